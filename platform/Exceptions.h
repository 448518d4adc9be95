#pragma once
#include <stdexcept>
#include <string>

// The platform's failures. Whatever leaves an event handler reaches the application's error report,
// which shows what() in a message box; the program goes on.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A list index that names no entry.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened or read.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A picture file whose extension no graphic class is registered for, or whose content is unusable.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// The JPEG decoder rejected the data: "JPEG error #N", N being libjpeg's message code.
class EJPEGError : public Exception {
public:
    using Exception::Exception;
};

// An operation the platform cannot carry out (no printer, a missing window system feature...).
class EPlatformError : public Exception {
public:
    using Exception::Exception;
};
