#pragma once
#include <string>

// The part of a path before its last "/"; empty when there is none. "/x.jpg" gives "/".
std::string ExtractFileDir(const std::string& FileName);
