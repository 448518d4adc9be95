#pragma once
#include <cstddef>
#include <vector>

// The decoder's floor: libjpeg alone, from bytes in memory into a buffer the caller keeps, as BGRA.
// No file reading, no allocation for the pixels, no scaling, no painting.
void DecodeWithLibjpeg(const std::vector<unsigned char>& jpeg, int scaleEighths, std::vector<unsigned char>& pixels);
