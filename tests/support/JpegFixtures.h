#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// JPEG files made by libjpeg's encoder for tests and benchmarks; the repository holds no binary fixtures.

enum class JpegColourSpace {
    YCbCr,      // the usual colour file, chroma halved both ways as cameras write it
    Grayscale,
    AdobeCmyk,  // inverted CMYK with an Adobe marker, as Photoshop writes it
    AdobeYcck,
};

// A JPEG thumbnail in an EXIF block (APP1, IFD1), as cameras write one for quick previews.
struct ExifThumbnailSpec {
    int width = 160;
    int height = 107;
    // 0xRRGGBB for one solid colour; unset gives the photo's own colour or pattern.
    std::optional<std::uint32_t> solid = std::nullopt;
};

struct JpegSpec {
    int width = 0;
    int height = 0;
    int quality = 90;
    bool progressive = false;
    JpegColourSpace colourSpace = JpegColourSpace::YCbCr;
    // 0xRRGGBB for one solid colour; unset gives a photo-like picture (gradients and sensor noise)
    // whose file size is close to a camera's at the same size and quality.
    std::optional<std::uint32_t> solid = std::nullopt;
    std::optional<ExifThumbnailSpec> exifThumbnail = std::nullopt;
};

std::vector<unsigned char> MakeJpeg(const JpegSpec& recipe);

// The first `keep` bytes: a file cut short while being copied.
std::vector<unsigned char> Truncated(const std::vector<unsigned char>& jpeg, std::size_t keep);

// The same stream with the frame header claiming another size; the scan data stays as it was.
std::vector<unsigned char> WithClaimedSize(std::vector<unsigned char> jpeg, int width, int height);

// Where the fields that lead to the thumbnail lie in a file made by WithExifThumbnail, for tests that
// damage them: each a 32-bit little-endian offset or length, counted from the TIFF header.
struct ExifThumbnailFields {
    std::size_t tiffHeader = 0;       // file position the offsets count from
    std::size_t nextIfdOffset = 0;    // IFD0's link to IFD1
    std::size_t thumbnailOffset = 0;  // IFD1's JPEGInterchangeFormat value
    std::size_t thumbnailLength = 0;  // IFD1's JPEGInterchangeFormatLength value
    std::size_t thumbnail = 0;        // file position of the thumbnail's first byte
};

// The JPEG with an EXIF block right after its start marker whose IFD1 holds thumbnail.
std::vector<unsigned char> WithExifThumbnail(const std::vector<unsigned char>& jpeg, const std::vector<unsigned char>& thumbnail,
                                             ExifThumbnailFields* fields = nullptr);

void PutLittleEndian32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value);

// A real PNG file: data that is a picture but not a JPEG.
std::vector<unsigned char> MakePng(int width, int height);

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
