#pragma once
#include <string>

// Makes the names in directory durable, so that a rename or a new file survives a power cut before
// anything that depends on it (removing the original of a move) happens. Returns 0 or an errno;
// filesystems that cannot sync a directory count as success.
int SyncDirectory(const std::string& directory);
