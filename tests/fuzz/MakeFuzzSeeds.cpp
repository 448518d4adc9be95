// Writes the fuzzer's seed corpus into the folder given: small JPEGs of every kind the encoder makes,
// and the damaged and foreign files users meet. The fuzzer mutates from these.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/JpegFixtures.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::vector<std::pair<std::string, Bytes>> Seeds()
{
    std::vector<std::pair<std::string, Bytes>> seeds;
    const std::pair<const char*, JpegColourSpace> spaces[] = {
        {"ycbcr", JpegColourSpace::YCbCr},
        {"gray", JpegColourSpace::Grayscale},
        {"cmyk", JpegColourSpace::AdobeCmyk},
        {"ycck", JpegColourSpace::AdobeYcck},
    };
    for (const auto& [spaceName, space] : spaces)
        for (bool progressive : {false, true}) {
            const std::string stem = std::string(spaceName) + (progressive ? "-progressive" : "-baseline");
            seeds.emplace_back(stem + "-33x17.jpg",
                               MakeJpeg({.width = 33, .height = 17, .quality = 75, .progressive = progressive, .colourSpace = space}));
            seeds.emplace_back(stem + "-1x1.jpg",
                               MakeJpeg({.width = 1, .height = 1, .progressive = progressive, .colourSpace = space, .solid = 0x3366CC}));
        }
    seeds.emplace_back("exif-thumbnail.jpg",
                       MakeJpeg({.width = 40, .height = 30, .quality = 60, .exifThumbnail = ExifThumbnailSpec{.width = 16, .height = 12}}));
    const Bytes photo = MakeJpeg({.width = 48, .height = 32, .quality = 60});
    seeds.emplace_back("truncated-half.jpg", Truncated(photo, photo.size() / 2));
    seeds.emplace_back("truncated-in-tables.jpg", Truncated(photo, 100));
    seeds.emplace_back("claims-larger.jpg", WithClaimedSize(photo, 4000, 3000));
    seeds.emplace_back("claims-smaller.jpg", WithClaimedSize(photo, 5, 3));
    seeds.emplace_back("a-png.jpg", MakePng(8, 6));
    seeds.emplace_back("text.jpg", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g', '\n'});
    seeds.emplace_back("only-start-marker.jpg", Bytes{0xFF, 0xD8});
    return seeds;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : Seeds())
        WriteBytes((folder / name).string(), bytes);
    return 0;
}
