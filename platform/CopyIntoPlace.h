#pragma once
#include <optional>
#include <string>
#include <sys/stat.h>

#include "platform/Trash.h"

// Copies the regular file source to destination so that the destination name only ever holds a
// complete, synced copy with the source's permissions and modification time: the data goes into a
// temporary ".NAME.XXXXXX" beside destination, which then takes its place (PlaceAtDestination keeps
// any file it replaces, and replaced tells where that went, even when a later step fails), and the
// folder is synced. expected is the source as the caller examined it: a source that is no longer
// that file, or that changes while being copied, fails. The source is never changed.
// Throws FileOperationError; no temporary is left behind.
void CopyIntoPlace(const std::string& source, const struct stat& expected, const std::string& destination,
                   std::optional<TrashEntry>& replaced);

// The same file, with the same size and modification time as when it was examined.
bool IsUnchanged(const struct stat& now, const struct stat& examined);
