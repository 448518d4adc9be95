#include "filelist/WorkingDirectory.h"

#include <cerrno>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/ShellFileOperation.h"

void MakeWorkingDirectory(const std::string& directory)
{
    if (directory.empty())
        throw Exception("No folder is chosen for this list yet.");
    if (SetCurrentDirectoryA(directory.c_str()) == 0)
        throw EFOpenError("Cannot open the folder \"" + directory + "\": " + std::strerror(errno));
}
