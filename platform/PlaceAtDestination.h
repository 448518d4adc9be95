#pragma once
#include <optional>
#include <string>

#include "platform/Trash.h"

// Gives the file at newPath the name destination. Whatever already has that name is kept: it goes
// to the trash, recorded under the destination's path, and the name never points at nothing in
// between. Returns where the replaced file lies in the trash, or nothing when the name was free.
// A folder at the destination is not replaced. Throws FileOperationError, and then both files are
// where they were; EXDEV means the two paths lie on different filesystems.
std::optional<TrashEntry> PlaceAtDestination(const std::string& newPath, const std::string& destination);

// The replacement for filesystems that cannot swap two names: the old file goes to the trash first,
// then the new one takes its name; if that fails, the old one is put back.
TrashEntry ReplaceByTrashingFirst(const std::string& newPath, const std::string& destination);
