#include "platform/Exceptions.h"
#include "platform/JpegDecoder.h"
#include "tests/support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// A decode into a plain buffer, one 32-bit word a pixel, rows packed.
struct Decoded {
    JpegSize size;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * size.width + x]; }
};

Decoded Decode(const std::vector<unsigned char>& jpeg, int scale)
{
    Decoded result;
    result.size = DecodeJpeg(jpeg.data(), jpeg.size(), scale, [&result](JpegSize size) {
        result.pixels.assign(static_cast<std::size_t>(size.width) * size.height, 0);
        return JpegRows{reinterpret_cast<unsigned char*>(result.pixels.data()), static_cast<std::ptrdiff_t>(size.width) * 4};
    });
    return result;
}

std::string ErrorOf(const std::vector<unsigned char>& data)
{
    try {
        ReadJpegSize(data.data(), data.size());
    } catch (const EJPEGError& error) {
        return error.what();
    }
    return "no error";
}

std::string JpegError(int code)
{
    return "JPEG error #" + std::to_string(code);
}

// Largest difference of one channel between two 0xFFRRGGBB words; the alpha byte must be opaque.
int Distance(std::uint32_t actual, std::uint32_t expectedRgb)
{
    int worst = (actual >> 24) == 0xFF ? 0 : 255;
    for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(static_cast<int>(actual >> shift & 0xFF) - static_cast<int>(expectedRgb >> shift & 0xFF)));
    return worst;
}

TEST(JpegDecoder, ReadsTheNaturalSizeFromTheHeader)
{
    const JpegSpec recipes[] = {
        {.width = 640, .height = 480},
        {.width = 33, .height = 17, .progressive = true},
        {.width = 1, .height = 1, .colourSpace = JpegColourSpace::Grayscale},
        {.width = 480, .height = 640, .colourSpace = JpegColourSpace::AdobeCmyk},
    };
    for (const JpegSpec& recipe : recipes) {
        const std::vector<unsigned char> jpeg = MakeJpeg(recipe);
        EXPECT_EQ(ReadJpegSize(jpeg.data(), jpeg.size()), (JpegSize{recipe.width, recipe.height})) << recipe.width << "x" << recipe.height;
    }
}

TEST(JpegDecoder, ChoosesTheSmallestScaleCoveringTheWantedSize)
{
    struct Case {
        JpegSize natural, wanted;
        int scale;
        JpegSize decoded;
    };
    const Case cases[] = {
        {{6000, 4000}, {184, 123}, 1, {750, 500}},    // hover preview of a camera file
        {{4000, 6000}, {128, 192}, 1, {500, 750}},    // portrait preview
        {{6000, 4000}, {751, 500}, 2, {1500, 1000}},  // one pixel more than an eighth
        {{6000, 4000}, {1000, 700}, 2, {1500, 1000}},
        {{6000, 4000}, {3000, 2001}, 5, {3750, 2500}},
        {{6000, 4000}, {6000, 4000}, 8, {6000, 4000}},  // natural size, as the zoom draws
        {{1001, 667}, {126, 84}, 1, {126, 84}},         // libjpeg rounds the scaled size up
        {{100, 100}, {200, 200}, 8, {100, 100}},        // larger than natural: full size, then enlarged
        {{100, 100}, {0, 0}, 1, {13, 13}},
    };
    for (const Case& c : cases) {
        const int scale = ChooseJpegScale(c.natural, c.wanted);
        EXPECT_EQ(scale, c.scale) << c.natural.width << "x" << c.natural.height << " into " << c.wanted.width << "x" << c.wanted.height;
        EXPECT_EQ(ScaledJpegSize(c.natural, scale), c.decoded) << "scale " << scale;
    }
}

TEST(JpegDecoder, DecodesAtEveryScaleToTheSizeItPredicts)
{
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 1001, .height = 667});
    for (int scale = 1; scale <= 8; ++scale)
        EXPECT_EQ(Decode(jpeg, scale).size, ScaledJpegSize({1001, 667}, scale)) << "scale " << scale;
}

TEST(JpegDecoder, KeepsASolidColourInEveryColourSpace)
{
    constexpr std::uint32_t orange = 0xE08030;
    constexpr std::uint32_t orangeAsGray = 0x959595;  // (224*77 + 128*150 + 48*29) >> 8
    struct Case {
        JpegColourSpace space;
        bool progressive;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {JpegColourSpace::YCbCr, false, orange},     {JpegColourSpace::YCbCr, true, orange},
        {JpegColourSpace::Grayscale, false, orangeAsGray}, {JpegColourSpace::AdobeCmyk, false, orange},
        {JpegColourSpace::AdobeCmyk, true, orange}, {JpegColourSpace::AdobeYcck, false, orange},
    };
    for (const Case& c : cases) {
        const Decoded decoded =
            Decode(MakeJpeg({.width = 40, .height = 24, .quality = 95, .progressive = c.progressive, .colourSpace = c.space, .solid = orange}), 8);
        int worst = 0;
        for (std::uint32_t pixel : decoded.pixels)
            worst = std::max(worst, Distance(pixel, c.expected));
        EXPECT_LE(worst, 4) << "colour space " << static_cast<int>(c.space) << (c.progressive ? ", progressive" : "");
    }
}

TEST(JpegDecoder, WritesRowsAtTheCallersStrideAndNothingBetween)
{
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 10, .height = 6, .solid = 0x0000FF});
    constexpr std::ptrdiff_t stride = 64;  // 40 bytes of pixels, 24 of the caller's own
    std::vector<unsigned char> buffer(stride * 6, 0xAB);
    DecodeJpeg(jpeg.data(), jpeg.size(), 8, [&buffer](JpegSize) { return JpegRows{buffer.data(), stride}; });
    for (int y = 0; y < 6; ++y) {
        std::uint32_t first;
        std::memcpy(&first, &buffer[y * stride], 4);
        EXPECT_LE(Distance(first, 0x0000FF), 4) << "row " << y;
        for (std::ptrdiff_t x = 40; x < stride; ++x)
            ASSERT_EQ(buffer[y * stride + x], 0xAB) << "row " << y << " byte " << x;
    }
}

TEST(JpegDecoder, ReportsDataThatIsNoJpegWithTheDecodersMessageCode)
{
    const std::string text = "This is a text file.\n";
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 64, .height = 64});
    EXPECT_EQ(ErrorOf(MakePng(8, 8)), JpegError(JERR_NO_SOI));
    EXPECT_EQ(ErrorOf({text.begin(), text.end()}), JpegError(JERR_NO_SOI));
    EXPECT_EQ(ErrorOf({}), JpegError(JERR_INPUT_EMPTY));
    // Cut inside the tables: the stream ends before any picture.
    EXPECT_TRUE(std::regex_match(ErrorOf(Truncated(jpeg, 100)), std::regex("JPEG error #[0-9]+"))) << ErrorOf(Truncated(jpeg, 100));
}

TEST(JpegDecoder, KeepsWhatATruncatedFileHolds)
{
    for (bool progressive : {false, true}) {
        const std::vector<unsigned char> jpeg = MakeJpeg({.width = 256, .height = 256, .progressive = progressive});
        const Decoded whole = Decode(jpeg, 8);
        Decoded cut;
        ASSERT_NO_THROW(cut = Decode(Truncated(jpeg, jpeg.size() * 3 / 4), 8)) << "progressive " << progressive;
        ASSERT_EQ(cut.size, whole.size);
        if (!progressive) {  // a baseline file cut short keeps its top rows exactly
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 256; ++x)
                    ASSERT_EQ(cut.At(x, y), whole.At(x, y)) << x << "," << y;
        }
        EXPECT_NE(cut.pixels, whole.pixels) << "progressive " << progressive;
    }
}

TEST(JpegDecoder, RefusesPicturesTooLargeBeforeAllocatingThem)
{
    struct Case {
        int side;
        bool progressive;
        int scale;
    };
    const Case cases[] = {
        {65000, false, 8},  // a 4-gigapixel bitmap
        {65000, true, 1},   // libjpeg would hold every coefficient, 12 GB, even for an eighth
        {24000, true, 1},   // 1.7 GB of coefficients
    };
    for (const Case& c : cases) {
        const std::vector<unsigned char> huge =
            WithClaimedSize(MakeJpeg({.width = 16, .height = 16, .progressive = c.progressive}), c.side, c.side);
        ASSERT_EQ(ReadJpegSize(huge.data(), huge.size()), (JpegSize{c.side, c.side}));
        bool rowsAsked = false;
        try {
            DecodeJpeg(huge.data(), huge.size(), c.scale, [&rowsAsked](JpegSize) {
                rowsAsked = true;
                return JpegRows{};
            });
            ADD_FAILURE() << "no error for " << c.side << (c.progressive ? ", progressive" : "");
        } catch (const EInvalidGraphic& error) {
            const std::string side = std::to_string(c.side);
            EXPECT_EQ(error.what(), "The picture is too large to show (" + side + " \u00d7 " + side + " pixels)");
        }
        EXPECT_FALSE(rowsAsked) << c.side;
    }
}

TEST(JpegDecoder, RefusesThePictureWhenNoRowsCanBeHad)
{
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 30, .height = 20});
    try {
        DecodeJpeg(jpeg.data(), jpeg.size(), 8, [](JpegSize) { return JpegRows{}; });
        FAIL() << "no error";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "The picture is too large to show (30 \u00d7 20 pixels)");
    }
}

}  // namespace
