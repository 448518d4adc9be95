// Writes a test JPEG for the end-to-end scripts: make-test-jpeg WIDTH HEIGHT RRGGBB|photo FILE [progressive]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/JpegFixtures.h"

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT RRGGBB|photo FILE [progressive]\n", argv[0]);
        return 2;
    }
    JpegSpec recipe;
    recipe.width = std::atoi(argv[1]);
    recipe.height = std::atoi(argv[2]);
    if (std::string(argv[3]) != "photo")
        recipe.solid = static_cast<std::uint32_t>(std::stoul(argv[3], nullptr, 16));
    recipe.progressive = argc > 5 && std::string(argv[5]) == "progressive";
    WriteBytes(argv[4], MakeJpeg(recipe));
    return 0;
}
