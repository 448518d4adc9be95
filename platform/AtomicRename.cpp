#include "platform/AtomicRename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool IsUnsupportedByFileSystem(int code)
{
    return code == EINVAL || code == ENOSYS || code == EOPNOTSUPP || code == ENOTSUP;
}

namespace {
// For filesystems without RENAME_NOREPLACE (older network filesystems): link() never replaces
// either, and the old name goes only once the new one exists.
int LinkThenUnlink(const std::string& from, const std::string& to)
{
    if (link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (unlink(from.c_str()) != 0) {
        const int code = errno;
        unlink(to.c_str());
        return code;
    }
    return 0;
}
}

int RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int code = errno;
    if (!IsUnsupportedByFileSystem(code))
        return code;
    const int linked = LinkThenUnlink(from, to);
    return linked == EPERM || IsUnsupportedByFileSystem(linked) ? code : linked;
}

int ExchangeNames(const std::string& first, const std::string& second)
{
    if (renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0)
        return 0;
    return errno;
}
