#pragma once
#include <string>
#include <string_view>

// The order of a file manager: letter case ignored, runs of digits compared by value (IMG_2 before IMG_10),
// ties broken by byte order so that distinct names never compare equal.
int NaturalCompare(std::string_view a, std::string_view b);

// A key whose byte order is the natural order up to ties: NaturalCompare(a, b) is the sign of
// NaturalSortKey(a).compare(NaturalSortKey(b)) whenever that is not 0, and of a.compare(b) when it is.
// Sorting many names by key costs a byte comparison each time instead of decoding and folding.
std::string NaturalSortKey(std::string_view text);

inline bool NaturalLess(std::string_view a, std::string_view b)
{
    return NaturalCompare(a, b) < 0;
}
