#include "platform/Exceptions.h"
#include "platform/JPEGImage.h"
#include "tests/support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr QRgb kCanvasColour = 0xFF000000;

class JpegImage : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        const std::string path = (FDir.path() + "/").toStdString() + name;
        WriteBytes(path, bytes);
        return path;
    }

    // Draws the image into dest on a black canvas large enough for it.
    QImage DrawOnCanvas(TJPEGImage& image, const QRect& dest)
    {
        QImage canvas(dest.right() + 2, dest.bottom() + 2, QImage::Format_RGB32);
        canvas.fill(kCanvasColour);
        QPainter painter(&canvas);
        image.Draw(painter, dest);
        return canvas;
    }

    QTemporaryDir FDir;
};

int Distance(QRgb actual, QRgb expected)
{
    return std::max({std::abs(qRed(actual) - qRed(expected)), std::abs(qGreen(actual) - qGreen(expected)),
                     std::abs(qBlue(actual) - qBlue(expected))});
}

// Where the second start-of-scan marker is.
std::size_t SecondScanHeader(const std::vector<unsigned char>& jpeg)
{
    int seen = 0;
    for (std::size_t at = 0; at + 1 < jpeg.size(); ++at)
        if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xDA && ++seen == 2)
            return at;
    throw std::invalid_argument("fewer than two scans");
}

// Worst distance from colour over the pixels inside rect.
int WorstDistance(const QImage& canvas, const QRect& rect, QRgb colour)
{
    int worst = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            worst = std::max(worst, Distance(canvas.pixel(x, y), colour));
    return worst;
}

TEST_F(JpegImage, LoadingReadsTheNaturalSizeAndDecodesNothing)
{
    TJPEGImage image;
    image.LoadFromFile(Write("a.jpg", MakeJpeg({.width = 640, .height = 480})));
    EXPECT_EQ(image.Width(), 640);
    EXPECT_EQ(image.Height(), 480);
    EXPECT_TRUE(image.Bitmap().isNull());
}

TEST_F(JpegImage, DrawsASolidColourScaledIntoDestAndNothingOutside)
{
    constexpr QRgb teal = 0xFF2090A0;
    TJPEGImage image;
    image.LoadFromFile(Write("teal.jpg", MakeJpeg({.width = 1536, .height = 1024, .solid = 0x2090A0})));
    const QRect dests[] = {{8, 4, 184, 123}, {1, 2, 1536, 1024}, {3, 3, 3000, 20}};  // preview, natural, enlarged
    for (const QRect& dest : dests) {
        const QImage canvas = DrawOnCanvas(image, dest);
        EXPECT_EQ(image.Bitmap().size(), dest.size());
        EXPECT_LE(WorstDistance(canvas, dest, teal), 4) << dest.width() << "x" << dest.height();
        EXPECT_EQ(canvas.pixel(dest.left() - 1, dest.top() - 1), kCanvasColour);
        EXPECT_EQ(canvas.pixel(dest.right() + 1, dest.bottom() + 1), kCanvasColour);
    }
}

TEST_F(JpegImage, DrawsTheDecodeAtTheCoveringScaleSmoothlyScaledToDest)
{
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 1536, .height = 1024});
    TJPEGImage image;
    image.LoadFromFile(Write("pattern.jpg", jpeg));
    struct Case {
        QRect dest;
        int scale;
    };
    const Case cases[] = {
        {{8, 4, 184, 123}, 1},     // preview from a 192 x 128 decode
        {{0, 0, 500, 300}, 3},     // from 576 x 384
        {{5, 6, 1536, 1024}, 8},   // natural size: the decode itself, unscaled
        {{0, 0, 1600, 1100}, 8},   // enlarged
    };
    for (const Case& c : cases) {
        const JpegSize decodedSize = ScaledJpegSize({1536, 1024}, c.scale);
        QImage decoded(decodedSize.width, decodedSize.height, QImage::Format_RGB32);
        DecodeJpeg(jpeg.data(), jpeg.size(), c.scale, [&decoded](JpegSize) { return JpegRows{decoded.bits(), decoded.bytesPerLine()}; });
        const QImage expected = decoded.size() == c.dest.size() ? decoded
                                                                : decoded.scaled(c.dest.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_EQ(DrawOnCanvas(image, c.dest).copy(c.dest), expected) << c.dest.width() << "x" << c.dest.height();
    }
}

TEST_F(JpegImage, KeepsTheBitmapUntilTheDrawnSizeChanges)
{
    TJPEGImage image;
    image.LoadFromFile(Write("a.jpg", MakeJpeg({.width = 600, .height = 400})));
    DrawOnCanvas(image, {0, 0, 184, 123});
    const qint64 first = image.Bitmap().cacheKey();
    DrawOnCanvas(image, {10, 20, 184, 123});  // moved, same size
    EXPECT_EQ(image.Bitmap().cacheKey(), first);
    DrawOnCanvas(image, {0, 0, 184, 130});
    EXPECT_NE(image.Bitmap().cacheKey(), first);
    EXPECT_EQ(image.Bitmap().size(), QSize(184, 130));
}

TEST_F(JpegImage, DrawsATruncatedFileAsFarAsItGoes)
{
    const std::vector<unsigned char> jpeg = MakeJpeg({.width = 300, .height = 200});
    TJPEGImage whole, cut;
    whole.LoadFromFile(Write("whole.jpg", jpeg));
    cut.LoadFromFile(Write("cut.jpg", Truncated(jpeg, jpeg.size() / 2)));
    EXPECT_EQ(cut.Width(), 300);
    QImage drawn;
    ASSERT_NO_THROW(drawn = DrawOnCanvas(cut, {0, 0, 300, 200}));
    EXPECT_EQ(drawn.copy(0, 0, 300, 8), DrawOnCanvas(whole, {0, 0, 300, 200}).copy(0, 0, 300, 8));
    EXPECT_NO_THROW(DrawOnCanvas(cut, {0, 0, 150, 100}));
}

TEST_F(JpegImage, StillDrawsAfterTheFileIsDeleted)
{
    TJPEGImage image;
    const std::string path = Write("gone.jpg", MakeJpeg({.width = 64, .height = 48, .solid = 0xFFFF00}));
    image.LoadFromFile(path);
    ASSERT_EQ(std::remove(path.c_str()), 0);
    const QImage canvas = DrawOnCanvas(image, {0, 0, 32, 24});
    EXPECT_LE(WorstDistance(canvas, {0, 0, 32, 24}, 0xFFFFFF00), 4);
}

TEST_F(JpegImage, LoadsAnEmptyFileAsAnEmptyPicture)
{
    TJPEGImage image;
    ASSERT_NO_THROW(image.LoadFromFile(Write("empty.jpg", {})));
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_TRUE(image.Empty());
    const QImage canvas = DrawOnCanvas(image, {0, 0, 10, 10});
    EXPECT_EQ(WorstDistance(canvas, {0, 0, 10, 10}, kCanvasColour), 0);
}

TEST_F(JpegImage, RejectsDataThatIsNoJpegAndKeepsThePreviousPicture)
{
    const std::string text = "Not a picture\n";
    const std::vector<unsigned char> notJpegs[] = {MakePng(20, 10), {text.begin(), text.end()}};
    for (const auto& bytes : notJpegs) {
        TJPEGImage image;
        image.LoadFromFile(Write("good.jpg", MakeJpeg({.width = 40, .height = 30})));
        try {
            image.LoadFromFile(Write("bad.jpg", bytes));
            ADD_FAILURE() << "no error";
        } catch (const EJPEGError& error) {
            EXPECT_EQ(error.what(), "JPEG error #" + std::to_string(JERR_NO_SOI));
        }
        EXPECT_EQ(image.Width(), 40);
        EXPECT_NO_THROW(DrawOnCanvas(image, {0, 0, 40, 30}));
    }
}

TEST_F(JpegImage, ReportsAFileThatCannotBeReadByNameAndReason)
{
    struct Case {
        std::string path;
        std::string message;
    };
    const std::string missing = (FDir.path() + "/missing.jpg").toStdString();
    const std::string directory = (FDir.path() + "/folder.jpg").toStdString();
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(directory)));
    const Case cases[] = {
        {missing, "Cannot open file \"" + missing + "\": " + std::strerror(ENOENT)},
        {directory, "Cannot read file \"" + directory + "\": " + std::strerror(EISDIR)},
    };
    for (const Case& c : cases) {
        TJPEGImage image;
        try {
            image.LoadFromFile(c.path);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
        EXPECT_TRUE(image.Empty());
    }
}

TEST_F(JpegImage, DrawingADamagedScanThrowsTheDecoderError)
{
    // The second scan header of a progressive file asks for coefficients up to 64; the last is 63.
    std::vector<unsigned char> jpeg = MakeJpeg({.width = 64, .height = 64, .progressive = true});
    const std::size_t scan = SecondScanHeader(jpeg);
    const int components = jpeg[scan + 4];
    jpeg[scan + 5 + 2 * components + 1] = 64;  // after marker, length, count and component selectors: Ss, Se

    TJPEGImage image;
    image.LoadFromFile(Write("damaged.jpg", jpeg));
    try {
        DrawOnCanvas(image, {0, 0, 64, 64});
        FAIL() << "no error";
    } catch (const EJPEGError& error) {
        EXPECT_EQ(error.what(), "JPEG error #" + std::to_string(JERR_BAD_PROGRESSION));
    }
    EXPECT_TRUE(image.Bitmap().isNull());
}

TEST_F(JpegImage, RefusesAHugePictureWhenDrawnInsteadOfAllocatingGigabytes)
{
    struct Case {
        bool progressive;
        QRect dest;
    };
    const Case cases[] = {{false, {0, 0, 65000, 65000}}, {true, {0, 0, 184, 184}}};  // zoom, preview
    for (const Case& c : cases) {
        TJPEGImage image;
        image.LoadFromFile(Write("huge.jpg", WithClaimedSize(MakeJpeg({.width = 16, .height = 16, .progressive = c.progressive}), 65000, 65000)));
        EXPECT_EQ(image.Width(), 65000);
        QImage canvas(200, 200, QImage::Format_RGB32);
        QPainter painter(&canvas);
        try {
            image.Draw(painter, c.dest);
            ADD_FAILURE() << "no error, progressive " << c.progressive;
        } catch (const EInvalidGraphic& error) {
            EXPECT_STREQ(error.what(), "The picture is too large to show (65000 \u00d7 65000 pixels)");
        }
    }
}

}  // namespace
