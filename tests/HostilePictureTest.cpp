#include <QApplication>
#include <QPainter>

#include <fcntl.h>
#include <functional>
#include <regex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "tests/support/PaneFixture.h"

// Files named like photos whose content is hostile, loaded and drawn by the preview:
// none may crash or hang the program, and what goes wrong reaches the user in words.
class HostilePicture : public PaneFixture {
protected:
    // Previews the one file of the folder as a hover or a click does and paints it; the reports are
    // in reports_.
    void PreviewAndPaint(const std::string& folder)
    {
        left_.list->SetDirectory(Path(folder));
        ASSERT_EQ(left_.list->Items().Count(), 1);
        RunReportingErrors([&] { left_.list->ShowPicture(0); });
        left_.image->Widget()->grab();
        QApplication::processEvents();  // a failure while painting is reported once the paint is over
        // The painting may show a draft first; the picture itself is decoded here for certain.
        if (TGraphic* graphic = left_.image->Picture().Graphic()) {
            QImage canvas(left_.image->Width(), left_.image->Height(), QImage::Format_RGB32);
            QPainter painter(&canvas);
            RunReportingErrors([&] { graphic->Draw(painter, canvas.rect()); });
        }
    }
};

namespace {

using Bytes = std::vector<unsigned char>;

bool IsClearReport(const std::string& message)
{
    static const std::regex forms(
        "JPEG error #[0-9]+"
        "|The picture is too large to show \\([0-9]+ \u00d7 [0-9]+ pixels\\)"
        "|Cannot (open|read) file \"[^\"]+\": .+"
        "|The picture .+ is empty\\."
        "|The file \"[^\"]+\" is too large to be a picture \\(more than 256 MB\\)");
    return std::regex_match(message, forms);
}

// The file up to the end of its first scan header: everything a decoder needs before the data.
Bytes HeaderOf(const Bytes& jpeg)
{
    for (std::size_t at = 2; at + 4 <= jpeg.size();) {
        const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xDA)
            return {jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(at + 2 + length)};
        at += 2 + length;
    }
    ADD_FAILURE() << "no scan header";
    return jpeg;
}

Bytes Garbage(std::size_t size)
{
    Bytes bytes(size);
    unsigned state = 0x2545F491u;
    for (unsigned char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<unsigned char>(state);
    }
    return bytes;
}

Bytes HeaderOverGarbage(bool progressive)
{
    Bytes file = HeaderOf(MakeJpeg({.width = 640, .height = 480, .progressive = progressive}));
    const Bytes garbage = Garbage(20000);
    file.insert(file.end(), garbage.begin(), garbage.end());
    return file;
}

}  // namespace

TEST_F(HostilePicture, EachIsShownInPartOrReportedInWords)
{
    struct Case {
        const char* what;
        Bytes content;
        int width;                  // the size the preview learns; 0 when loading fails
        const char* report;  // the one report expected; nullptr: a partial picture or a clear report
    };
    const Bytes small = MakeJpeg({.width = 16, .height = 16});
    const Case cases[] = {
        // Beyond libjpeg's 65,500 a side: the header is refused before anything is allocated.
        {"claims 65535 x 65535", WithClaimedSize(small, 65535, 65535), 0, "JPEG error #41"},
        {"claims 65535 x 1", WithClaimedSize(small, 65535, 1), 0, "JPEG error #41"},
        {"baseline header over garbage", HeaderOverGarbage(false), 640, nullptr},
        {"progressive header over garbage", HeaderOverGarbage(true), 640, nullptr},
        {"header over nothing but markers", [&] {
             Bytes file = HeaderOf(small);
             file.insert(file.end(), 5000, 0xFF);
             return file;
         }(), 16, nullptr},
        {"a PNG", MakePng(30, 20), 0, "JPEG error #53"},
        {"no bytes", {}, 0, "The picture .+ is empty\\."},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = "case" + std::to_string(++n);
        std::filesystem::create_directories(Path(folder));
        WriteBytes(Path(folder + "/hostile.jpg"), c.content);
        reports_.clear();
        PreviewAndPaint(folder);
        if (c.width)
            EXPECT_EQ(left_.list->PictureWidth(), c.width);
        for (const std::string& report : reports_)
            EXPECT_TRUE(IsClearReport(report)) << report;
        if (c.report) {
            ASSERT_EQ(reports_.size(), 1u);
            EXPECT_TRUE(std::regex_match(reports_.front(), std::regex(c.report))) << reports_.front();
        }
    }
}

// Names that lead to a device, or to more bytes than any photo: previewing them must not read without
// end.
TEST_F(HostilePicture, WhatIsNoPictureFileIsRefusedUnread)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
        const char* report;
    };
    const Case cases[] = {
        {"a link to a device that never ends",
         [](const std::string& path) { ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); },
         "Cannot read file \".+\": it is not a regular file"},
        {"a file larger than any photo", [](const std::string& path) {
             WriteBytes(path, {});
             ASSERT_EQ(truncate(path.c_str(), (off_t(256) << 20) + 1), 0);  // sparse: no disk space used
         },
         "The file \".+\" is too large to be a picture \\(more than 256 MB\\)"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = "case" + std::to_string(++n);
        std::filesystem::create_directories(Path(folder));
        c.make(Path(folder + "/hostile.jpg"));
        ASSERT_FALSE(HasFatalFailure());
        reports_.clear();
        PreviewAndPaint(folder);
        ASSERT_EQ(reports_.size(), 1u);
        EXPECT_TRUE(std::regex_match(reports_.front(), std::regex(c.report))) << reports_.front();
        EXPECT_TRUE(left_.image->Picture().Graphic() == nullptr);
    }
}

TEST_F(HostilePicture, APipeIsRefusedWithoutWaitingForAWriter)
{
    std::filesystem::create_directories(Path("pipe"));
    const std::string path = Path("pipe/hostile.jpg");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    // Should the preview wait for a writer after all, one comes: the test then fails instead of hanging.
    std::thread writer([&] {
        const int fd = open(path.c_str(), O_WRONLY);
        if (fd >= 0)
            close(fd);
    });
    PreviewAndPaint("pipe");
    const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);  // frees the writer in any order
    writer.join();
    close(reader);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_TRUE(std::regex_match(reports_.front(), std::regex("Cannot read file \".+\": it is not a regular file")))
        << reports_.front();
}
