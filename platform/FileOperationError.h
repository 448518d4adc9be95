#pragma once
#include <cstring>
#include <string>

#include "platform/Exceptions.h"

// A step of a file operation that failed. Code() is the errno the shell operation returns; what() is
// the reason a user reads.
class FileOperationError : public Exception {
public:
    FileOperationError(int code, const std::string& reason) : Exception(reason), code_(code) {}

    // The reason is the system's own text for code.
    explicit FileOperationError(int code) : FileOperationError(code, std::strerror(code)) {}

    int Code() const { return code_; }

private:
    int code_;
};

// What the failed call was about, then the system's text for errno.
[[noreturn]] inline void ThrowSystemError(int code, const std::string& what)
{
    throw FileOperationError(code, what + ": " + std::strerror(code));
}
