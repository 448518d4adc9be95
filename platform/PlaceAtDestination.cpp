#include "platform/PlaceAtDestination.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/AtomicRename.h"
#include "platform/FileOperationError.h"

namespace {
void RefuseFolderAt(const std::string& destination)
{
    struct stat status {};
    if (lstat(destination.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throw FileOperationError(EISDIR, "a folder of that name is at the destination");
}

// After the swap the old file lies at newPath; it goes to the trash as if taken from destination.
TrashEntry TrashSwappedOut(const std::string& newPath, const std::string& destination)
{
    try {
        return MoveToTrash(newPath, destination);
    } catch (const FileOperationError& error) {
        if (ExchangeNames(newPath, destination) == 0)
            throw;
        throw FileOperationError(error.Code(), std::string(error.what()) + "; the file that was at "
                                                   + destination + " is now at " + newPath);
    }
}
}

std::optional<TrashEntry> PlaceAtDestination(const std::string& newPath, const std::string& destination)
{
    // A second try covers the old file vanishing between the two renames.
    for (int attempt = 0; attempt < 2; ++attempt) {
        int code = RenameWithoutReplacing(newPath, destination);
        if (code == 0)
            return std::nullopt;
        if (code != EEXIST)
            throw FileOperationError(code);
        RefuseFolderAt(destination);
        code = ExchangeNames(newPath, destination);
        if (code == 0)
            return TrashSwappedOut(newPath, destination);
        if (IsUnsupportedByFileSystem(code))
            return ReplaceByTrashingFirst(newPath, destination);
        if (code != ENOENT)
            throw FileOperationError(code);
    }
    throw FileOperationError(EAGAIN, "the destination kept changing");
}

TrashEntry ReplaceByTrashingFirst(const std::string& newPath, const std::string& destination)
{
    RefuseFolderAt(destination);
    const TrashEntry old = MoveToTrash(destination);
    if (const int code = RenameWithoutReplacing(newPath, destination)) {
        std::string reason = std::strerror(code);
        try {
            PutBackFromTrash(old, destination);
        } catch (const FileOperationError&) {
            reason += "; the file that was at " + destination + " stays in the trash as " + old.file;
        }
        throw FileOperationError(code, reason);
    }
    return old;
}
