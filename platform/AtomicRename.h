#pragma once
#include <string>

// Renames that can never make a name point at nothing or drop the file that was there.
// Both return 0 or an errno.

// Gives from the name to; fails with EEXIST instead of replacing anything at to.
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// Swaps what the two names refer to in one step. EINVAL (or EOPNOTSUPP) where the filesystem
// cannot.
int ExchangeNames(const std::string& first, const std::string& second);

// errno values that mean "this filesystem does not do that", not "that failed".
bool IsUnsupportedByFileSystem(int code);
