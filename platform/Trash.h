#pragma once
#include <string>

// The freedesktop.org trash, so that what the program deletes or replaces can be listed and
// restored by any desktop's trash tools. A file only ever moves by rename into the trash of its
// own filesystem; it is never copied there and never erased.

// Where a trashed file lies: its data in files/, its record in info/.
struct TrashEntry {
    std::string file;  // TRASH/files/NAME
    std::string info;  // TRASH/info/NAME.trashinfo
};

// Moves the file at path into the trash. originalPath is where a restore puts it back; it differs
// from path when a replaced file was swapped out of its place first. Both lie on one filesystem.
// Throws FileOperationError, and then the file is where it was.
TrashEntry MoveToTrash(const std::string& path);
TrashEntry MoveToTrash(const std::string& path, const std::string& originalPath);

// Undoes MoveToTrash: renames the file back to path, never replacing anything there, and removes
// its record. Throws FileOperationError, and then the file stays in the trash.
void PutBackFromTrash(const TrashEntry& entry, const std::string& path);

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
std::string HomeTrashDirectory();
