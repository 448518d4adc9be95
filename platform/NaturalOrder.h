#pragma once
#include <string_view>

// The order of a file manager: letter case ignored, runs of digits compared by value (IMG_2 before IMG_10),
// ties broken by byte order so that distinct names never compare equal.
int NaturalCompare(std::string_view a, std::string_view b);

inline bool NaturalLess(std::string_view a, std::string_view b)
{
    return NaturalCompare(a, b) < 0;
}
