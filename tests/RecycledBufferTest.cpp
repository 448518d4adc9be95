#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "platform/JPEGImage.h"
#include "platform/RecycledBuffer.h"
#include "tests/support/JpegFixtures.h"

TEST(RecycledBuffer, MemoryLetGoOfServesTheNextPictureOfAboutTheSameSize)
{
    unsigned char* first = nullptr;
    {
        RecycledBuffer photo(40'000'000);
        first = photo.Data();
        EXPECT_GE(photo.Capacity(), 40'000'000u);
    }
    RecycledBuffer slightlyLarger(41'000'000);
    EXPECT_EQ(slightlyLarger.Data(), first);
    RecycledBuffer another(40'000'000);  // the first is taken: never handed out twice
    EXPECT_NE(another.Data(), first);
}

TEST(RecycledBuffer, ASmallRequestDoesNotTakeALargeBlock)
{
    unsigned char* large = nullptr;
    {
        RecycledBuffer zoom(96'000'000);
        large = zoom.Data();
    }
    RecycledBuffer preview(1'500'000);
    EXPECT_NE(preview.Data(), large);
    RecycledBuffer nextZoom(96'000'000);
    EXPECT_EQ(nextZoom.Data(), large);
}

// Bitmaps drawn at natural size live in recycled memory: one still shown must never be written over
// by the next decode.
TEST(RecycledBuffer, BitmapsStillShownKeepTheirPixels)
{
    QTemporaryDir folder;
    const std::uint32_t colours[] = {0xC02020, 0x20C020, 0x2020C0};
    std::vector<std::unique_ptr<TJPEGImage>> images;
    QImage canvas(1024, 768, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (std::uint32_t colour : colours) {
        const std::string path = QDir(folder.path()).filePath("p.jpg").toStdString();
        WriteBytes(path, MakeJpeg({.width = 1024, .height = 768, .solid = colour}));
        images.push_back(std::make_unique<TJPEGImage>());
        images.back()->LoadFromFile(path);
        images.back()->Draw(painter, {0, 0, 1024, 768});
        if (colour == colours[1])
            images.erase(images.begin());  // the first goes: its memory serves the last
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        const QRgb centre = images[i]->Bitmap().pixel(512, 384);
        const std::uint32_t expected = colours[i + 1];
        EXPECT_NEAR(qRed(centre), int(expected >> 16 & 0xFF), 4) << i;
        EXPECT_NEAR(qGreen(centre), int(expected >> 8 & 0xFF), 4) << i;
        EXPECT_NEAR(qBlue(centre), int(expected & 0xFF), 4) << i;
    }
}
