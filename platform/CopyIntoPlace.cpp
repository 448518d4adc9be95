#include "platform/CopyIntoPlace.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/AtomicRename.h"
#include "platform/DirectorySync.h"
#include "platform/FileOperationError.h"
#include "platform/PathNames.h"
#include "platform/PlaceAtDestination.h"

namespace {

class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return fd_; }

    // Closes now: on some filesystems a failed delayed write shows only here. 0 or an errno.
    int Close() { return close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

private:
    int fd_;
};

void WriteWholeAt(int fd, const char* data, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw FileOperationError(n < 0 ? errno : EIO);
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
}

// Bytes copied from offset on, 0 at the end of the source.
ssize_t CopyChunkByReadAndWrite(int from, int to, off_t offset)
{
    static std::vector<char> buffer(1 << 20);
    ssize_t n;
    do {
        n = pread(from, buffer.data(), buffer.size(), offset);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        throw FileOperationError(errno);
    WriteWholeAt(to, buffer.data(), static_cast<std::size_t>(n), offset);
    return n;
}

// Cheapest first: sharing the blocks, then a copy inside the kernel, then plain reads and writes.
void CopyData(int from, int to)
{
    if (ioctl(to, FICLONE, from) == 0)
        return;
    off_t copied = 0;
    bool kernelCopyWorks = true;
    for (;;) {
        ssize_t n;
        if (kernelCopyWorks) {
            loff_t in = copied;
            loff_t out = copied;
            n = copy_file_range(from, &in, to, &out, std::size_t(1) << 30, 0);
            if (n < 0 && (IsUnsupportedByFileSystem(errno) || errno == EXDEV)) {
                kernelCopyWorks = false;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw FileOperationError(errno);
        } else {
            n = CopyChunkByReadAndWrite(from, to, copied);
        }
        if (n == 0)
            return;
        copied += n;
    }
}

// Filesystems without Unix permissions (a camera card) refuse some modes; the data is still whole.
bool CannotStoreMode(int code)
{
    return code == EPERM || code == EOPNOTSUPP || code == ENOTSUP;
}

// Writes the data, the mode and the times of the open source into the open copy, durably.
void FillCopy(int from, const struct stat& examined, OpenFile& copy)
{
    const int to = copy.Descriptor();
    CopyData(from, to);
    struct stat after {};
    if (fstat(from, &after) != 0)
        throw FileOperationError(errno);
    if (!IsUnchanged(after, examined))
        throw FileOperationError(EAGAIN, "the file changed while it was being copied");
    if (fchmod(to, examined.st_mode & 07777) != 0 && !CannotStoreMode(errno))
        ThrowSystemError(errno, "cannot set the permissions of the copy");
    const timespec times[2] = {examined.st_atim, examined.st_mtim};
    if (futimens(to, times) != 0)
        ThrowSystemError(errno, "cannot set the date of the copy");
    if (fsync(to) != 0)
        ThrowSystemError(errno, "cannot write the copy to disk");
    struct stat written {};
    if (fstat(to, &written) != 0)
        throw FileOperationError(errno);
    if (written.st_size != examined.st_size)
        throw FileOperationError(EIO, "the copy is incomplete");
    if (const int code = copy.Close())
        ThrowSystemError(code, "cannot write the copy to disk");
}

void RemoveIfStill(const std::string& path, const struct stat& ours)
{
    struct stat now {};
    if (lstat(path.c_str(), &now) == 0 && now.st_dev == ours.st_dev && now.st_ino == ours.st_ino)
        unlink(path.c_str());
}

}  // namespace

bool IsUnchanged(const struct stat& now, const struct stat& examined)
{
    return now.st_dev == examined.st_dev && now.st_ino == examined.st_ino && now.st_size == examined.st_size
           && now.st_mtim.tv_sec == examined.st_mtim.tv_sec && now.st_mtim.tv_nsec == examined.st_mtim.tv_nsec;
}

void CopyIntoPlace(const std::string& source, const struct stat& expected, const std::string& destination,
                   std::optional<TrashEntry>& replaced)
{
    OpenFile from(open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (from.Descriptor() < 0)
        ThrowSystemError(errno, "cannot open the file");
    struct stat examined {};
    if (fstat(from.Descriptor(), &examined) != 0)
        throw FileOperationError(errno);
    if (!IsUnchanged(examined, expected))
        throw FileOperationError(EAGAIN, "the file changed while it was being copied");

    const std::string directory = ParentDirectoryOf(destination);
    // "." + name + ".XXXXXX" must stay a valid file name.
    std::string temporary =
        JoinedPath(directory, "." + TruncatedName(FileNameOf(destination), NAME_MAX - 8) + ".XXXXXX");
    OpenFile copy(mkostemp(temporary.data(), O_CLOEXEC));
    if (copy.Descriptor() < 0)
        ThrowSystemError(errno, "cannot create a file in " + directory);
    struct stat ours {};
    if (fstat(copy.Descriptor(), &ours) != 0) {
        const int code = errno;
        unlink(temporary.c_str());
        throw FileOperationError(code);
    }

    try {
        FillCopy(from.Descriptor(), examined, copy);
        replaced = PlaceAtDestination(temporary, destination);
    } catch (const FileOperationError&) {
        // Only while the temporary name still holds our copy: after a failed swap it may hold the
        // file that was at the destination.
        RemoveIfStill(temporary, ours);
        throw;
    }
    if (const int code = SyncDirectory(directory))
        ThrowSystemError(code, "cannot make the new name in " + directory + " durable");
}
