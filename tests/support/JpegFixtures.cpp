#include "tests/support/JpegFixtures.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

namespace {

struct EncoderErrors {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<EncoderErrors*>(info->err)->jump, 1);
}

struct Rgb {
    int r, g, b;
};

// Smooth light and colour across the frame plus per-pixel noise, mostly in brightness like a sensor's.
// The noise is what makes the file as large as a camera's; gradients alone compress to almost nothing.
class PhotoPattern {
public:
    PhotoPattern(int width, int height) : FAcross(width), FDown(height)
    {
        for (int x = 0; x < width; ++x) {
            const double t = static_cast<double>(x) / std::max(1, width - 1);
            FAcross[x] = {static_cast<int>(90 * t), static_cast<int>(40 * std::sin(6.0 * t)), static_cast<int>(70 * (1 - t))};
        }
        for (int y = 0; y < height; ++y) {
            const double t = static_cast<double>(y) / std::max(1, height - 1);
            FDown[y] = {static_cast<int>(60 * std::cos(4.0 * t)), static_cast<int>(100 * t), static_cast<int>(50 * t * t)};
        }
    }

    Rgb At(int x, int y)
    {
        const unsigned random = Next();
        const int luma = static_cast<int>(random & 31) - 16;
        const int chroma = static_cast<int>((random >> 5) & 7) - 4;
        return {Clamp(60 + FAcross[x].r + FDown[y].r + luma + chroma),
                Clamp(50 + FAcross[x].g + FDown[y].g + luma),
                Clamp(40 + FAcross[x].b + FDown[y].b + luma - chroma)};
    }

private:
    static int Clamp(int value) { return std::clamp(value, 0, 255); }

    unsigned Next()  // xorshift32: fixed sequence, so every run makes the same file
    {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return FState;
    }

    std::vector<Rgb> FAcross;
    std::vector<Rgb> FDown;
    unsigned FState = 2463534242u;
};

int ComponentsOf(JpegColourSpace space)
{
    switch (space) {
    case JpegColourSpace::Grayscale:
        return 1;
    case JpegColourSpace::AdobeCmyk:
    case JpegColourSpace::AdobeYcck:
        return 4;
    case JpegColourSpace::YCbCr:
        break;
    }
    return 3;
}

// Writes one pixel in the encoder's input layout for the colour space.
void Store(Rgb colour, JpegColourSpace space, unsigned char* out)
{
    switch (space) {
    case JpegColourSpace::Grayscale:
        out[0] = static_cast<unsigned char>((colour.r * 77 + colour.g * 150 + colour.b * 29) >> 8);
        return;
    case JpegColourSpace::AdobeCmyk:
    case JpegColourSpace::AdobeYcck: {
        // Inverted ink: the black channel holds the brightest component, the others are relative to it.
        const int brightest = std::max({colour.r, colour.g, colour.b});
        auto relative = [brightest](int value) {
            return static_cast<unsigned char>(brightest == 0 ? 0 : (value * 255 + brightest / 2) / brightest);
        };
        out[0] = relative(colour.r);
        out[1] = relative(colour.g);
        out[2] = relative(colour.b);
        out[3] = static_cast<unsigned char>(brightest);
        return;
    }
    case JpegColourSpace::YCbCr:
        break;
    }
    out[0] = static_cast<unsigned char>(colour.r);
    out[1] = static_cast<unsigned char>(colour.g);
    out[2] = static_cast<unsigned char>(colour.b);
}

struct Compressor {
    jpeg_compress_struct info{};
    EncoderErrors errors{};
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;

    Compressor() { info.err = jpeg_std_error(&errors.manager); errors.manager.error_exit = JumpOut; }
    ~Compressor()
    {
        jpeg_destroy_compress(&info);
        std::free(output);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    [[noreturn]] void ThrowError()
    {
        char message[JMSG_LENGTH_MAX];
        errors.manager.format_message(reinterpret_cast<j_common_ptr>(&info), message);
        throw std::invalid_argument(std::string("Cannot make the JPEG: ") + message);
    }
};

}  // namespace

namespace {

void Encode(Compressor& compressor, const JpegSpec& recipe, PhotoPattern& pattern, std::vector<unsigned char>& row)
{
    jpeg_compress_struct& info = compressor.info;
    if (setjmp(compressor.errors.jump))
        compressor.ThrowError();
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &compressor.output, &compressor.outputSize);
    info.image_width = static_cast<JDIMENSION>(recipe.width);
    info.image_height = static_cast<JDIMENSION>(recipe.height);
    info.input_components = ComponentsOf(recipe.colourSpace);
    info.in_color_space = info.input_components == 1 ? JCS_GRAYSCALE : info.input_components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    if (recipe.colourSpace == JpegColourSpace::AdobeYcck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, recipe.quality, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < recipe.width; ++x) {
            const Rgb colour = recipe.solid ? Rgb{static_cast<int>(*recipe.solid >> 16 & 0xFF), static_cast<int>(*recipe.solid >> 8 & 0xFF),
                                                static_cast<int>(*recipe.solid & 0xFF)}
                                          : pattern.At(x, static_cast<int>(info.next_scanline));
            Store(colour, recipe.colourSpace, &row[static_cast<std::size_t>(x) * info.input_components]);
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
}

}  // namespace

std::vector<unsigned char> MakeJpeg(const JpegSpec& recipe)
{
    if (recipe.exifThumbnail) {
        JpegSpec main = recipe;
        main.exifThumbnail.reset();
        JpegSpec thumbnail = main;
        thumbnail.width = recipe.exifThumbnail->width;
        thumbnail.height = recipe.exifThumbnail->height;
        thumbnail.progressive = false;
        if (recipe.exifThumbnail->solid)
            thumbnail.solid = recipe.exifThumbnail->solid;
        return WithExifThumbnail(MakeJpeg(main), MakeJpeg(thumbnail));
    }
    const int width = std::max(0, recipe.width);
    PhotoPattern pattern(width, std::max(0, recipe.height));
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * ComponentsOf(recipe.colourSpace));
    Compressor compressor;
    Encode(compressor, recipe, pattern, row);
    return {compressor.output, compressor.output + compressor.outputSize};
}

std::vector<unsigned char> Truncated(const std::vector<unsigned char>& jpeg, std::size_t keep)
{
    return {jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(std::min(keep, jpeg.size()))};
}

std::vector<unsigned char> WithClaimedSize(std::vector<unsigned char> jpeg, int width, int height)
{
    // Walk the marker segments after SOI up to the start-of-frame: FFC0 to FFCF, except FFC4
    // (Huffman tables), FFC8 (reserved) and FFCC (arithmetic coding conditions).
    std::size_t at = 2;
    while (at + 9 <= jpeg.size() && jpeg[at] == 0xFF) {
        const unsigned char marker = jpeg[at + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            // Marker, segment length (2), sample precision (1), then height and width, big-endian.
            jpeg[at + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[at + 6] = static_cast<unsigned char>(height);
            jpeg[at + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[at + 8] = static_cast<unsigned char>(width);
            return jpeg;
        }
        at += 2 + (static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3]);
    }
    throw std::invalid_argument("No frame header in the JPEG data");
}

namespace {

void Append16(std::vector<unsigned char>& bytes, unsigned value, bool bigEndian)
{
    const auto high = static_cast<unsigned char>(value >> 8), low = static_cast<unsigned char>(value);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
}

void Append32(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(value >> shift));
}

// One IFD entry: tag, type (3 SHORT, 4 LONG), count 1 and the value, little-endian.
void AppendEntry(std::vector<unsigned char>& bytes, unsigned tag, unsigned type, std::uint32_t value)
{
    Append16(bytes, tag, false);
    Append16(bytes, type, false);
    Append32(bytes, 1);
    Append32(bytes, value);
}

}  // namespace

void PutLittleEndian32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<unsigned char>(value >> (8 * i));
}

std::vector<unsigned char> WithExifThumbnail(const std::vector<unsigned char>& jpeg, const std::vector<unsigned char>& thumbnail,
                                             ExifThumbnailFields* fields)
{
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        throw std::invalid_argument("Not a JPEG stream");
    // TIFF header (8), IFD0 with the orientation (2 + 12 + 4), IFD1 with compression, offset and
    // length (2 + 3 * 12 + 4), then the thumbnail.
    constexpr std::uint32_t ifd0 = 8, ifd1 = ifd0 + 18, thumbnailAt = ifd1 + 42;
    std::vector<unsigned char> tiff = {'I', 'I', 42, 0};
    Append32(tiff, ifd0);
    Append16(tiff, 1, false);
    AppendEntry(tiff, 0x0112, 3, 1);  // orientation: upright
    Append32(tiff, ifd1);
    Append16(tiff, 3, false);
    AppendEntry(tiff, 0x0103, 3, 6);  // compression: JPEG
    AppendEntry(tiff, 0x0201, 4, thumbnailAt);
    AppendEntry(tiff, 0x0202, 4, static_cast<std::uint32_t>(thumbnail.size()));
    Append32(tiff, 0);
    tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());

    const std::size_t segmentLength = 2 + 6 + tiff.size();
    if (segmentLength > 0xFFFF)
        throw std::invalid_argument("The thumbnail does not fit in an EXIF block");
    std::vector<unsigned char> out = {0xFF, 0xD8, 0xFF, 0xE1};
    Append16(out, static_cast<unsigned>(segmentLength), true);
    out.insert(out.end(), {'E', 'x', 'i', 'f', 0, 0});
    const std::size_t tiffHeader = out.size();
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    if (fields)
        *fields = {.tiffHeader = tiffHeader,
                   .nextIfdOffset = tiffHeader + ifd1 - 4,
                   .thumbnailOffset = tiffHeader + ifd1 + 2 + 12 + 8,
                   .thumbnailLength = tiffHeader + ifd1 + 2 + 24 + 8,
                   .thumbnail = tiffHeader + thumbnailAt};
    return out;
}

std::vector<unsigned char> MakePng(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0x336699);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QByteArray& bytes = buffer.data();
    return {bytes.begin(), bytes.end()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("Cannot write " + path);
}
