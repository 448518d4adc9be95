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

struct JpegSpec {
    int width = 0;
    int height = 0;
    int quality = 90;
    bool progressive = false;
    JpegColourSpace colourSpace = JpegColourSpace::YCbCr;
    // 0xRRGGBB for one solid colour; unset gives a photo-like picture (gradients and sensor noise)
    // whose file size is close to a camera's at the same size and quality.
    std::optional<std::uint32_t> solid = std::nullopt;
};

std::vector<unsigned char> MakeJpeg(const JpegSpec& spec);

// The first `keep` bytes: a file cut short while being copied.
std::vector<unsigned char> Truncated(const std::vector<unsigned char>& jpeg, std::size_t keep);

// The same stream with the frame header claiming another size; the scan data stays as it was.
std::vector<unsigned char> WithClaimedSize(std::vector<unsigned char> jpeg, int width, int height);

// A real PNG file: data that is a picture but not a JPEG.
std::vector<unsigned char> MakePng(int width, int height);

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
