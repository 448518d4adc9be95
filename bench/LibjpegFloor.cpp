#include "bench/LibjpegFloor.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace {
struct Errors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1);
}
}

void DecodeWithLibjpeg(const std::vector<unsigned char>& jpeg, int scaleEighths, std::vector<unsigned char>& pixels)
{
    jpeg_decompress_struct info{};
    Errors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOut;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("libjpeg failed on a benchmark input");
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), jpeg.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    info.scale_num = static_cast<unsigned>(scaleEighths);
    info.scale_denom = 8;
    jpeg_start_decompress(&info);
    const std::size_t stride = std::size_t(info.output_width) * 4;
    if (pixels.size() < stride * info.output_height)
        pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_destroy_decompress(&info);  // every row is in: nothing after the last scan matters
}
