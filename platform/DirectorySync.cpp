#include "platform/DirectorySync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

int SyncDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int code = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return code;
}
