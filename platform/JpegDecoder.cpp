#include "platform/JpegDecoder.h"

#include "platform/Exceptions.h"

#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// BGRA rather than BGRX: libjpeg-turbo leaves the X byte undefined but sets A to 0xFF, which
// Format_RGB32 requires. Either way the bytes of a little-endian 0xFFRRGGBB word.
constexpr J_COLOR_SPACE kNativeArgb = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct ErrorJump {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// Warnings are damage libjpeg works around; the picture is shown as it comes out.
void IgnoreMessage(j_common_ptr, int) {}
void PrintNothing(j_common_ptr) {}

// Level -1 is a warning: damage libjpeg would work around.
void JumpOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        JumpOut(info);
}

std::string SizeText(unsigned width, unsigned height)
{
    return std::to_string(width) + " \u00d7 " + std::to_string(height) + " pixels";
}

[[noreturn]] void ThrowTooLarge(unsigned width, unsigned height)
{
    throw EInvalidGraphic("The picture is too large to show (" + SizeText(width, height) + ")");
}

// A decompressor over a memory buffer. Every call into libjpeg must follow a setjmp on errors.jump in
// the calling function, which turns the jump into an exception; nothing with a destructor may be
// created between the two, as the jump skips it.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorJump errors{};

    Decompressor()
    {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = JumpOut;
        errors.manager.emit_message = IgnoreMessage;
        errors.manager.output_message = PrintNothing;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }  // also right after a failed create
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    void Open(const unsigned char* data, std::size_t size)
    {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMaxDecoderMemory;
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
    }

    [[noreturn]] void ThrowError() const
    {
        const int code = errors.manager.msg_code;
        // Out of memory is about the picture's size, not damage; say so in words.
        if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY)
            ThrowTooLarge(info.image_width, info.image_height);
        throw EJPEGError("JPEG error #" + std::to_string(code));
    }
};

// Adobe applications write CMYK and YCCK inverted (0 is full ink), and so does libjpeg's encoder when
// told it is writing for them; other CMYK files store ink as it is.
void CmykRowToArgb(unsigned char* row, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x) {
        unsigned char* pixel = row + 4 * x;
        unsigned c = pixel[0], m = pixel[1], y = pixel[2], k = pixel[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const std::uint32_t argb = 0xFF000000u | (c * k / 255) << 16 | (m * k / 255) << 8 | (y * k / 255);
        std::memcpy(pixel, &argb, sizeof argb);
    }
}

}  // namespace

JpegSize ReadJpegSize(const unsigned char* data, std::size_t size)
{
    Decompressor decompressor;
    if (setjmp(decompressor.errors.jump))
        decompressor.ThrowError();
    decompressor.Open(data, size);
    return {static_cast<int>(decompressor.info.image_width), static_cast<int>(decompressor.info.image_height)};
}

JpegSize ScaledJpegSize(JpegSize natural, int scale)
{
    auto scaled = [scale](int length) { return static_cast<int>((static_cast<long long>(length) * scale + 7) / 8); };
    return {scaled(natural.width), scaled(natural.height)};
}

int ChooseJpegScale(JpegSize natural, JpegSize wanted)
{
    for (int scale = 1; scale < 8; ++scale) {
        const JpegSize scaled = ScaledJpegSize(natural, scale);
        if (scaled.width >= wanted.width && scaled.height >= wanted.height)
            return scale;
    }
    return 8;
}

JpegSize DecodeJpeg(const unsigned char* data, std::size_t size, int scale, const JpegRowsProvider& rowsFor,
                    JpegDamage damage)
{
    Decompressor decompressor;
    if (damage == JpegDamage::Refused)
        decompressor.errors.manager.emit_message = JumpOnWarning;
    jpeg_decompress_struct& info = decompressor.info;
    if (setjmp(decompressor.errors.jump))
        decompressor.ThrowError();
    decompressor.Open(data, size);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kNativeArgb;  // libjpeg has no CMYK to RGB conversion
    info.scale_num = static_cast<unsigned>(scale);
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    if (static_cast<long long>(info.output_width) * info.output_height > kMaxDecodedPixels)
        ThrowTooLarge(info.image_width, info.image_height);

    // A multi-scan file is read completely here, into libjpeg's own memory, before the rows exist.
    jpeg_start_decompress(&info);
    const JpegSize outputSize{static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
    const JpegRows rows = rowsFor(outputSize);
    if (!rows.first)
        ThrowTooLarge(info.image_width, info.image_height);

    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rows.first + rows.stride * static_cast<std::ptrdiff_t>(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            CmykRowToArgb(row, info.output_width, info.saw_Adobe_marker);
    }
    // No jpeg_finish_decompress: every row is in, and what follows the last scan cannot change them.
    return outputSize;
}
