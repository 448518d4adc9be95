#pragma once
#include <string>

// Plain text operations on "/"-separated paths; none of them looks at the disk except
// AbsolutePathOf, which asks for the current directory.

// The directory part: "/" for an entry of the root, "." for a bare name.
std::string ParentDirectoryOf(const std::string& path);

// The last component, ignoring trailing "/".
std::string FileNameOf(const std::string& path);

// directory + "/" + name, without doubling the "/" after the root or a trailing one.
std::string JoinedPath(const std::string& directory, const std::string& name);

// path itself when absolute, else resolved against the current directory (symlinks and ".." are
// left as written). Throws FileOperationError when the current directory cannot be read.
std::string AbsolutePathOf(const std::string& path);

// name shortened, at a UTF-8 character boundary, to at most maxBytes bytes.
std::string TruncatedName(const std::string& name, std::size_t maxBytes);
