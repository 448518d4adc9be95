#pragma once
#include <string>

// Makes a list's directory the process's current one, so that the bare names handed to the shell
// resolve in it. Throws when it cannot: a command that silently did nothing would leave the user
// guessing.
void MakeWorkingDirectory(const std::string& directory);
