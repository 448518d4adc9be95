#pragma once
#include <cstddef>
#include <functional>

// libjpeg over a JPEG stream held in memory. Errors leave as exceptions: EJPEGError("JPEG error #N")
// for what the decoder rejects, EInvalidGraphic for pictures too large to decode here.

struct JpegSize {
    int width = 0;
    int height = 0;
    bool operator==(const JpegSize&) const = default;
};

// The largest bitmap a decode may produce (about 480 MB at 4 bytes a pixel).
inline constexpr long long kMaxDecodedPixels = 120'000'000;

// What libjpeg may allocate for itself. Progressive and multi-scan files keep every DCT coefficient
// of the whole picture, whatever the output scale: 2 bytes a sample, so a 120-megapixel picture
// needs 360 MB with the usual halved chroma and 720 MB without.
inline constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

// The natural size as the frame header states it; EXIF orientation is not consulted.
JpegSize ReadJpegSize(const unsigned char* data, std::size_t size);

// The DCT scale, in eighths (1 to 8), of the smallest decode that covers wanted in both dimensions;
// 8 when even the full size does not.
int ChooseJpegScale(JpegSize natural, JpegSize wanted);

// The size libjpeg decodes natural at scale/8: each dimension rounded up.
JpegSize ScaledJpegSize(JpegSize natural, int scale);

// Where decoded rows go: the first row and the distance in bytes from one row to the next. Each
// pixel is a 32-bit word 0xFFRRGGBB in native byte order, as in QImage::Format_RGB32.
struct JpegRows {
    unsigned char* first = nullptr;
    std::ptrdiff_t stride = 0;
};
// Asked once per decode for a buffer of the given size; may hand back one kept from an earlier
// decode. A null first row means no memory for it.
using JpegRowsProvider = std::function<JpegRows(JpegSize size)>;

// What a decode makes of damage behind a readable header, which libjpeg works around with a warning.
enum class JpegDamage {
    Tolerated,  // libjpeg fills what is missing and the rest of the picture stands
    Refused,    // raises EJPEGError, for pictures that are only worth showing whole
};

// Decodes the picture at scale/8 into the rows provided and returns their size.
JpegSize DecodeJpeg(const unsigned char* data, std::size_t size, int scale, const JpegRowsProvider& rowsFor,
                    JpegDamage damage = JpegDamage::Tolerated);
