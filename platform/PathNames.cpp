#include "platform/PathNames.h"

#include <cerrno>
#include <climits>
#include <unistd.h>

#include "platform/FileOperationError.h"

namespace {
std::string WithoutTrailingSlashes(const std::string& path)
{
    auto end = path.find_last_not_of('/');
    return end == std::string::npos ? path.substr(0, 1) : path.substr(0, end + 1);
}
}

std::string ParentDirectoryOf(const std::string& path)
{
    const std::string trimmed = WithoutTrailingSlashes(path);
    const auto slash = trimmed.rfind('/');
    if (slash == std::string::npos)
        return ".";
    const auto end = trimmed.find_last_not_of('/', slash);
    return end == std::string::npos ? "/" : trimmed.substr(0, end + 1);
}

std::string FileNameOf(const std::string& path)
{
    const std::string trimmed = WithoutTrailingSlashes(path);
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string JoinedPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::string AbsolutePathOf(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        ThrowSystemError(errno, "cannot read the current folder");
    return JoinedPath(buffer, path);
}

std::string TruncatedName(const std::string& name, std::size_t maxBytes)
{
    if (name.size() <= maxBytes)
        return name;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;  // do not split a multi-byte character
    return name.substr(0, end);
}
