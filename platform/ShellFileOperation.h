#pragma once
#include <string>
#include <vector>

// The shell's file-operation request, with its codes and flags. Delete goes to the freedesktop.org
// trash; nothing the operation replaces or deletes is ever erased.
using UINT = unsigned int;
using FILEOP_FLAGS = unsigned short;

constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

constexpr FILEOP_FLAGS FOF_MULTIDESTFILES = 0x0001;
constexpr FILEOP_FLAGS FOF_SILENT = 0x0004;
constexpr FILEOP_FLAGS FOF_RENAMEONCOLLISION = 0x0008;
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x0010;
constexpr FILEOP_FLAGS FOF_WANTMAPPINGHANDLE = 0x0020;
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x0040;
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x0400;

struct SHFILEOPSTRUCT {
    void* hwnd = nullptr;
    UINT wFunc = 0;
    const char* pFrom = nullptr;  // double-NUL list of names, resolved against the current directory
    const char* pTo = nullptr;    // destination directory, or the new name for FO_RENAME
    FILEOP_FLAGS fFlags = 0;
    bool fAnyOperationsAborted = false;
    void* hNameMappings = nullptr;
    const char* lpszProgressTitle = nullptr;
};

// Runs the operation on every name of pFrom in order; stops at the first failure.
// Returns 0 when every name succeeded, otherwise the errno of the failure (never 0).
int SHFileOperationA(SHFILEOPSTRUCT* op);

// What happened to one name of the last operation, so that callers can show the truth and an undo
// could reverse it.
struct FileOperationOutcome {
    enum Result { Done, Failed, NotRun };
    std::string source;        // absolute path of the source
    std::string destination;   // absolute path it went to (empty for a delete)
    std::string trashed;       // where a deleted or replaced file now lies in a trash (files/NAME)
    Result result = NotRun;
    std::string reason;        // for Failed: why
};
const std::vector<FileOperationOutcome>& LastFileOperationOutcomes();

// Makes path the process's current directory; nonzero on success, 0 on failure.
int SetCurrentDirectoryA(const char* path);
