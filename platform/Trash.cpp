#include "platform/Trash.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicRename.h"
#include "platform/DirectorySync.h"
#include "platform/FileOperationError.h"
#include "platform/PathNames.h"

namespace {

// A rename works only within one mount, and bind mounts share a device, so both are compared.
struct FileSystemIdentity {
    unsigned deviceMajor = 0;
    unsigned deviceMinor = 0;
    std::uint64_t mountId = 0;  // 0 where the kernel does not tell
    bool operator==(const FileSystemIdentity&) const = default;
};

// errno on failure.
std::optional<FileSystemIdentity> IdentityOf(const std::string& path, int flags = 0)
{
    struct statx status {};
    if (statx(AT_FDCWD, path.c_str(), flags, STATX_BASIC_STATS | STATX_MNT_ID, &status) != 0)
        return std::nullopt;
    return FileSystemIdentity{status.stx_dev_major, status.stx_dev_minor,
                              (status.stx_mask & STATX_MNT_ID) ? status.stx_mnt_id : 0};
}

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
        return user->pw_dir;
    return {};
}

// The identity the home trash has or would have once created: that of its nearest existing
// ancestor, since a folder not yet made cannot be a mount point.
std::optional<FileSystemIdentity> IdentityOfFutureDirectory(std::string path)
{
    for (;;) {
        if (auto identity = IdentityOf(path))
            return identity;
        if (errno != ENOENT || path == "/")
            return std::nullopt;
        path = ParentDirectoryOf(path);
    }
}

void MakeDirectories(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) == 0 || errno == EEXIST)
        return;
    if (errno != ENOENT || path == "/")
        ThrowSystemError(errno, "cannot create the folder " + path);
    MakeDirectories(ParentDirectoryOf(path));
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        ThrowSystemError(errno, "cannot create the folder " + path);
}

void EnsureDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        ThrowSystemError(errno, "cannot create the trash folder " + path);
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        ThrowSystemError(errno, "cannot use the trash folder " + path);
    if (!S_ISDIR(status.st_mode))
        throw FileOperationError(ENOTDIR, "the trash folder " + path + " is not a folder");
}

// A folder this user alone controls: a real directory (never a symlink that could lead elsewhere)
// that we own.
bool IsOwnDirectory(const std::string& path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid();
}

// $topdir/.Trash/$uid, usable only when the administrator made .Trash a sticky real directory, so
// that nobody else can swap our folder.
std::optional<std::string> SharedVolumeTrash(const std::string& topdir)
{
    const std::string shared = JoinedPath(topdir, ".Trash");
    struct stat status {};
    if (lstat(shared.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || !(status.st_mode & S_ISVTX))
        return std::nullopt;
    const std::string own = JoinedPath(shared, std::to_string(getuid()));
    mkdir(own.c_str(), 0700);
    return IsOwnDirectory(own) ? std::optional(own) : std::nullopt;
}

// $topdir/.Trash-$uid, made by us with 0700.
std::optional<std::string> PrivateVolumeTrash(const std::string& topdir)
{
    const std::string own = JoinedPath(topdir, ".Trash-" + std::to_string(getuid()));
    mkdir(own.c_str(), 0700);
    return IsOwnDirectory(own) ? std::optional(own) : std::nullopt;
}

// The top of the mount that holds directory.
std::string MountPointOf(std::string directory, const FileSystemIdentity& identity)
{
    while (directory != "/") {
        const std::string parent = ParentDirectoryOf(directory);
        if (IdentityOf(parent) != identity)
            break;
        directory = parent;
    }
    return directory;
}

struct TrashLocation {
    std::string directory;
    std::string topdir;  // empty for the home trash, whose Path= entries are absolute
};

TrashLocation TrashFor(const FileSystemIdentity& file, const std::string& originalDirectory)
{
    const std::string home = HomeTrashDirectory();
    if (!home.empty() && IdentityOfFutureDirectory(home) == file) {
        MakeDirectories(home);
        return {home, {}};
    }
    if (IdentityOf(originalDirectory) != file)
        throw FileOperationError(EXDEV, "the file is not on the filesystem of its folder");
    const std::string topdir = MountPointOf(originalDirectory, file);
    if (auto shared = SharedVolumeTrash(topdir))
        return {*shared, topdir};
    if (auto own = PrivateVolumeTrash(topdir))
        return {*own, topdir};
    throw FileOperationError(EACCES, "there is no usable trash on the file's filesystem (" + topdir + ")");
}

// Only "/" and the unreserved characters of a URI stay literal, so that any byte, a "%" or a
// newline included, reads back as written.
std::string PercentEncoded(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : path) {
        const bool literal = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                             || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (literal) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0xF];
        }
    }
    return encoded;
}

std::string LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// The n-th name tried for base: base itself, then "stem.2.ext", "stem.3.ext"... always short enough
// to take the ".trashinfo" suffix.
std::string CandidateName(const std::string& base, int n)
{
    constexpr std::size_t infoSuffix = sizeof ".trashinfo" - 1;
    const auto dot = base.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string extension = hasExtension ? base.substr(dot) : "";
    const std::string number = n == 1 ? "" : "." + std::to_string(n);
    const std::size_t room = NAME_MAX - infoSuffix - number.size() - extension.size();
    return TruncatedName(base.substr(0, base.size() - extension.size()), room) + number + extension;
}

void WriteWhole(int fd, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw FileOperationError(n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
}

// Writes the whole record durably; on any failure the record is gone again.
void WriteTrashInfo(int fd, const std::string& infoPath, const std::string& content)
{
    try {
        WriteWhole(fd, content);
        if (fsync(fd) != 0)
            throw FileOperationError(errno);
    } catch (const FileOperationError& error) {
        close(fd);
        unlink(infoPath.c_str());
        throw FileOperationError(error.Code(), "cannot write " + infoPath + ": " + error.what());
    }
    if (close(fd) != 0) {
        const int code = errno;
        unlink(infoPath.c_str());
        ThrowSystemError(code, "cannot write " + infoPath);
    }
}

}  // namespace

std::string HomeTrashDirectory()
{
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && dataHome[0] == '/')
        return JoinedPath(dataHome, "Trash");
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : JoinedPath(home, ".local/share/Trash");
}

TrashEntry MoveToTrash(const std::string& path)
{
    return MoveToTrash(path, path);
}

TrashEntry MoveToTrash(const std::string& path, const std::string& originalPath)
{
    const std::string current = AbsolutePathOf(path);
    const auto file = IdentityOf(current, AT_SYMLINK_NOFOLLOW);
    if (!file)
        ThrowSystemError(errno, "cannot find " + current);

    const std::string original = AbsolutePathOf(originalPath);
    char resolved[PATH_MAX];
    if (!realpath(ParentDirectoryOf(original).c_str(), resolved))
        ThrowSystemError(errno, "cannot resolve the folder of " + original);
    const std::string originalDirectory = resolved;

    const TrashLocation trash = TrashFor(*file, originalDirectory);
    const std::string filesDirectory = JoinedPath(trash.directory, "files");
    const std::string infoDirectory = JoinedPath(trash.directory, "info");
    EnsureDirectory(filesDirectory);
    EnsureDirectory(infoDirectory);

    const std::string resolvedOriginal = JoinedPath(originalDirectory, FileNameOf(original));
    const std::string recordedPath =
        trash.topdir.empty() ? resolvedOriginal
                             : resolvedOriginal.substr(trash.topdir == "/" ? 1 : trash.topdir.size() + 1);
    const std::string content = "[Trash Info]\nPath=" + PercentEncoded(recordedPath)
                                + "\nDeletionDate=" + LocalTimeNow() + "\n";

    const std::string base = FileNameOf(original);
    for (int n = 1; n <= 9999; ++n) {
        const std::string name = CandidateName(base, n);
        const TrashEntry entry{JoinedPath(filesDirectory, name), JoinedPath(infoDirectory, name + ".trashinfo")};
        struct stat status {};
        if (lstat(entry.file.c_str(), &status) == 0)
            continue;  // an orphan without a record must not be overwritten either
        const int fd = open(entry.info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            ThrowSystemError(errno, "cannot create " + entry.info);
        WriteTrashInfo(fd, entry.info, content);
        SyncDirectory(infoDirectory);

        const int code = RenameWithoutReplacing(current, entry.file);
        if (code == 0) {
            SyncDirectory(filesDirectory);
            return entry;
        }
        unlink(entry.info.c_str());
        if (code != EEXIST)
            ThrowSystemError(code, "cannot move the file into " + filesDirectory);
    }
    throw FileOperationError(EEXIST, "there is no free name left in the trash for " + base);
}

void PutBackFromTrash(const TrashEntry& entry, const std::string& path)
{
    if (const int code = RenameWithoutReplacing(entry.file, path))
        ThrowSystemError(code, "cannot put " + entry.file + " back to " + path);
    unlink(entry.info.c_str());
}
