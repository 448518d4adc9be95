#include "platform/ShellFileOperation.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicRename.h"
#include "platform/CopyIntoPlace.h"
#include "platform/DirectorySync.h"
#include "platform/ErrorReport.h"
#include "platform/FileOperationError.h"
#include "platform/PathNames.h"
#include "platform/PlaceAtDestination.h"
#include "platform/Trash.h"

namespace {

std::vector<FileOperationOutcome>& Outcomes()
{
    static std::vector<FileOperationOutcome> outcomes;
    return outcomes;
}

std::vector<std::string> NamesIn(const char* list)
{
    std::vector<std::string> names;
    for (const char* name = list; name && *name; name += std::strlen(name) + 1)
        names.emplace_back(name);
    return names;
}

std::string VerbFor(UINT operation)
{
    switch (operation) {
    case FO_MOVE: return "move";
    case FO_COPY: return "copy";
    case FO_DELETE: return "delete";
    case FO_RENAME: return "rename";
    default: return "change";
    }
}

// Only plain files are photos: following a symlink or taking a folder could move or trash far more
// than the name shows.
struct stat RegularFileAt(const std::string& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        throw FileOperationError(errno);
    if (S_ISLNK(status.st_mode))
        throw FileOperationError(EINVAL, "it is a symbolic link, not a file");
    if (S_ISDIR(status.st_mode))
        throw FileOperationError(EISDIR, "it is a folder, not a file");
    if (!S_ISREG(status.st_mode))
        throw FileOperationError(EINVAL, "it is not a regular file");
    return status;
}

bool IsSameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A copy onto itself would truncate the photo; a move onto itself must not count as done.
void RefuseSameFile(const struct stat& source, const std::string& destination)
{
    struct stat status {};
    if (lstat(destination.c_str(), &status) == 0 && IsSameFile(status, source))
        throw FileOperationError(EINVAL, "source and destination are the same file");
}

void NoteReplaced(FileOperationOutcome& outcome, const std::optional<TrashEntry>& replaced)
{
    if (replaced)
        outcome.trashed = replaced->file;
}

void CopyTo(const std::string& source, const struct stat& status, const std::string& destination,
            FileOperationOutcome& outcome)
{
    std::optional<TrashEntry> replaced;
    try {
        CopyIntoPlace(source, status, destination, replaced);
    } catch (const FileOperationError&) {
        NoteReplaced(outcome, replaced);
        throw;
    }
    NoteReplaced(outcome, replaced);
}

// Only the file that was copied goes, and only once its copy is safely in place.
void RemoveOriginal(const std::string& source, const struct stat& copied)
{
    struct stat now {};
    if (lstat(source.c_str(), &now) != 0 || !IsUnchanged(now, copied))
        throw FileOperationError(EAGAIN, "it was copied, but changed meanwhile, so the original is kept too");
    if (unlink(source.c_str()) != 0)
        ThrowSystemError(errno, "it was copied, but the original could not be removed");
    SyncDirectory(ParentDirectoryOf(source));
}

void MoveTo(const std::string& source, const struct stat& status, const std::string& destination,
            FileOperationOutcome& outcome)
{
    RefuseSameFile(status, destination);
    try {
        NoteReplaced(outcome, PlaceAtDestination(source, destination));
        return;
    } catch (const FileOperationError& error) {
        if (error.Code() != EXDEV)
            throw;
    }
    CopyTo(source, status, destination, outcome);
    RemoveOriginal(source, status);
}

// On a filesystem that ignores letter case, "a.jpg" and "A.JPG" name one entry.
bool IsCaseOnlyRename(const struct stat& source, const std::string& sourcePath, const std::string& target)
{
    struct stat targetStatus {};
    struct stat sourceFolder {};
    struct stat targetFolder {};
    return lstat(target.c_str(), &targetStatus) == 0 && IsSameFile(targetStatus, source)
           && FileNameOf(sourcePath) != FileNameOf(target)
           && stat(ParentDirectoryOf(sourcePath).c_str(), &sourceFolder) == 0
           && stat(ParentDirectoryOf(target).c_str(), &targetFolder) == 0 && IsSameFile(sourceFolder, targetFolder);
}

// Renaming straight to the other case would be a no-op there. When the target name is still taken
// once the file is out of the way, it is a second hard link on a case-sensitive filesystem: the
// same file after all.
void RenameThroughTemporaryName(const std::string& source, const std::string& target)
{
    const std::string folder = ParentDirectoryOf(source);
    std::string temporary;
    for (int n = 0;; ++n) {
        temporary = JoinedPath(folder, ".picsift-rename-" + std::to_string(getpid()) + "-" + std::to_string(n));
        const int code = RenameWithoutReplacing(source, temporary);
        if (code == 0)
            break;
        if (code != EEXIST || n == 100)
            throw FileOperationError(code);
    }
    const int code = RenameWithoutReplacing(temporary, target);
    if (code == 0)
        return;
    if (RenameWithoutReplacing(temporary, source) != 0)
        throw FileOperationError(code, std::string(std::strerror(code)) + "; the file is now at " + temporary);
    if (code == EEXIST)
        throw FileOperationError(EINVAL, "source and destination are the same file");
    throw FileOperationError(code);
}

void RenameTo(const std::string& source, const struct stat& status, const std::string& target,
              FileOperationOutcome& outcome)
{
    if (IsCaseOnlyRename(status, source, target))
        RenameThroughTemporaryName(source, target);
    else
        MoveTo(source, status, target, outcome);
}

std::string DestinationFolder(const char* pTo)
{
    if (!pTo || !*pTo)
        throw FileOperationError(EINVAL, "there is no destination folder");
    const std::string folder = AbsolutePathOf(pTo);
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0)
        ThrowSystemError(errno, "the destination folder " + folder + " cannot be used");
    if (!S_ISDIR(status.st_mode))
        throw FileOperationError(ENOTDIR, "the destination " + folder + " is not a folder");
    return folder;
}

std::string RenameTarget(const char* pTo, std::size_t nameCount)
{
    if (nameCount != 1)
        throw FileOperationError(EINVAL, "a rename takes exactly one file");
    if (!pTo || !*pTo)
        throw FileOperationError(EINVAL, "there is no new name");
    if (pTo[std::strlen(pTo) - 1] == '/')
        throw FileOperationError(EINVAL, "the new name is a folder path");
    return AbsolutePathOf(pTo);
}

// Sets every destination before anything changes, so that a bad destination changes nothing.
void PlanDestinations(const SHFILEOPSTRUCT& op, std::vector<FileOperationOutcome>& outcomes)
{
    switch (op.wFunc) {
    case FO_MOVE:
    case FO_COPY: {
        const std::string folder = DestinationFolder(op.pTo);
        for (auto& outcome : outcomes)
            outcome.destination = JoinedPath(folder, FileNameOf(outcome.source));
        return;
    }
    case FO_RENAME:
        outcomes.front().destination = RenameTarget(op.pTo, outcomes.size());
        return;
    case FO_DELETE:
        return;
    default:
        throw FileOperationError(EINVAL, "unknown file operation " + std::to_string(op.wFunc));
    }
}

void Run(UINT operation, FileOperationOutcome& outcome)
{
    const struct stat status = RegularFileAt(outcome.source);
    switch (operation) {
    case FO_MOVE: MoveTo(outcome.source, status, outcome.destination, outcome); break;
    case FO_COPY:
        RefuseSameFile(status, outcome.destination);
        CopyTo(outcome.source, status, outcome.destination, outcome);
        break;
    case FO_RENAME: RenameTo(outcome.source, status, outcome.destination, outcome); break;
    case FO_DELETE: outcome.trashed = MoveToTrash(outcome.source).file; break;
    }
}

std::string MessageFor(UINT operation, const FileOperationOutcome* outcome, const std::string& reason)
{
    std::string message = "Cannot " + VerbFor(operation);
    if (outcome) {
        message += " \"" + outcome->source + "\"";
        if (!outcome->destination.empty())
            message += " to \"" + outcome->destination + "\"";
    }
    return message + ": " + reason;
}

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCT* op)
{
    auto& outcomes = Outcomes();
    outcomes.clear();
    op->fAnyOperationsAborted = false;
    std::size_t current = 0;
    try {
        for (const std::string& name : NamesIn(op->pFrom))
            outcomes.emplace_back().source = AbsolutePathOf(name);
        if (outcomes.empty())
            throw FileOperationError(EINVAL, "no file was named");
        // Options that would change where files go are not offered; doing something else silently
        // would be worse than refusing.
        if (op->fFlags & (FOF_MULTIDESTFILES | FOF_RENAMEONCOLLISION | FOF_WANTMAPPINGHANDLE))
            throw FileOperationError(EINVAL, "unsupported file operation options");
        PlanDestinations(*op, outcomes);
        for (; current < outcomes.size(); ++current) {
            Run(op->wFunc, outcomes[current]);
            outcomes[current].result = FileOperationOutcome::Done;
        }
        return 0;
    } catch (const FileOperationError& error) {
        op->fAnyOperationsAborted = true;
        FileOperationOutcome* failed = current < outcomes.size() ? &outcomes[current] : nullptr;
        if (failed) {
            failed->result = FileOperationOutcome::Failed;
            failed->reason = error.what();
        }
        if (!(op->fFlags & FOF_NOERRORUI))
            ReportError(MessageFor(op->wFunc, failed, error.what()));
        return error.Code() != 0 ? error.Code() : EIO;
    }
}

const std::vector<FileOperationOutcome>& LastFileOperationOutcomes()
{
    return Outcomes();
}

int SetCurrentDirectoryA(const char* path)
{
    return path && chdir(path) == 0 ? 1 : 0;
}
