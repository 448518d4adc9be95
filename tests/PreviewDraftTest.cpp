#include <QApplication>
#include <QWidget>
#include <functional>
#include <optional>

#include "platform/JPEGImage.h"
#include "tests/support/PaneFixture.h"

// The preview paints a camera's EXIF thumbnail at once and the picture itself when the event loop is
// next idle.
class PreviewDraft : public PaneFixture {
protected:
    static constexpr std::uint32_t kPicture = 0x2060C0;
    static constexpr std::uint32_t kThumbnail = 0xE0A020;

    // A 1200 x 800 photo of one colour, with an EXIF thumbnail of another when asked.
    void PhotoWithThumbnail(const std::string& relative, std::optional<std::uint32_t> thumbnail)
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        JpegSpec recipe{.width = 1200, .height = 800, .solid = kPicture};
        if (thumbnail)
            recipe.exifThumbnail = ExifThumbnailSpec{.solid = thumbnail};
        WriteBytes(Path(relative), MakeJpeg(recipe));
    }

    QImage Screen() const { return left_.image->Widget()->grab().toImage(); }

    static QRgb Centre(const QImage& shot) { return shot.pixel(shot.width() / 2, shot.height() / 2); }

    void UntilIdle()
    {
        for (int i = 0; i < 100 && left_.image->SharpPictureOwed(); ++i)
            QApplication::processEvents();
    }

    static bool Near(QRgb actual, std::uint32_t expected)
    {
        return std::abs(qRed(actual) - int(expected >> 16 & 0xFF)) <= 6 && std::abs(qGreen(actual) - int(expected >> 8 & 0xFF)) <= 6
               && std::abs(qBlue(actual) - int(expected & 0xFF)) <= 6;
    }

    static std::size_t ThumbnailSize(const std::vector<unsigned char>& bytes, const ExifThumbnailFields& fields)
    {
        return bytes[fields.thumbnailLength] | bytes[fields.thumbnailLength + 1] << 8;
    }

    std::shared_ptr<TGraphic> Shown() const { return left_.image->Picture().SharedGraphic(); }
};

TEST_F(PreviewDraft, TheThumbnailShowsFirstThenThePictureAtTheSameGeometry)
{
    PhotoWithThumbnail("photos/a.jpg", std::nullopt);
    PhotoWithThumbnail("photos/b.jpg", kThumbnail);
    left_.list->SetDirectory(Path("photos"));

    left_.list->ShowPicture(0);
    const QImage plain = Screen();
    EXPECT_FALSE(left_.image->SharpPictureOwed());
    EXPECT_TRUE(Near(Centre(plain), kPicture));
    const QRect plainBounds = left_.image->Widget()->geometry();

    left_.list->ShowPicture(1);
    const QImage draft = Screen();
    EXPECT_TRUE(left_.image->SharpPictureOwed());
    EXPECT_TRUE(Near(Centre(draft), kThumbnail)) << std::hex << Centre(draft);
    EXPECT_EQ(draft.size(), plain.size());
    EXPECT_EQ(left_.image->Widget()->geometry(), plainBounds);
    EXPECT_EQ(left_.list->PictureWidth(), 1200);  // the picture's size, not the thumbnail's
    EXPECT_EQ(left_.list->PictureHeight(), 800);

    UntilIdle();
    EXPECT_FALSE(left_.image->SharpPictureOwed());
    EXPECT_EQ(Screen(), plain);
    EXPECT_EQ(left_.image->Widget()->geometry(), plainBounds);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(PreviewDraft, APictureThePointerLeftBeforeIdleIsNeverDecoded)
{
    PhotoWithThumbnail("photos/a.jpg", kThumbnail);
    PhotoWithThumbnail("photos/b.jpg", kThumbnail);
    PhotoWithThumbnail("photos/c.jpg", kThumbnail);
    left_.list->SetDirectory(Path("photos"));
    std::vector<std::shared_ptr<TGraphic>> passedOver;
    for (int entry : {1, 0}) {
        Hover(left_.list, entry);
        Screen();  // its draft is on screen
        passedOver.push_back(Shown());
    }
    Hover(left_.list, 2);
    Screen();
    UntilIdle();
    for (const auto& graphic : passedOver)
        EXPECT_TRUE(static_cast<TJPEGImage&>(*graphic).Bitmap().isNull());
    EXPECT_FALSE(static_cast<TJPEGImage&>(*Shown()).Bitmap().isNull());
    EXPECT_TRUE(Near(Centre(Screen()), kPicture));
    EXPECT_TRUE(reports_.empty());
}

// Whatever is wrong with the thumbnail, the picture itself shows at once and nobody is bothered.
TEST_F(PreviewDraft, ABrokenThumbnailFallsBackToThePicture)
{
    struct Case {
        const char* damage;
        std::function<void(std::vector<unsigned char>&, const ExifThumbnailFields&)> apply;
    };
    const Case cases[] = {
        {"offset beyond the file", [](auto& b, auto& f) { PutLittleEndian32(b, f.thumbnailOffset, 0xFFFFFFF0u); }},
        {"frame claiming 60000 x 60000", [](auto& b, auto& f) {
             const std::vector<unsigned char> thumbnail(b.begin() + f.thumbnail, b.end());
             const std::vector<unsigned char> claiming = WithClaimedSize(thumbnail, 60000, 60000);
             std::copy(claiming.begin(), claiming.begin() + 1000, b.begin() + f.thumbnail);
         }},
        {"tables overwritten", [](auto& b, auto& f) { std::fill(b.begin() + f.thumbnail + 2, b.begin() + f.thumbnail + 400, 0x00); }},
        {"scan cut short", [](auto& b, auto& f) {
             const std::size_t end = f.thumbnail + ThumbnailSize(b, f) - 2;  // its end marker stays
             std::fill(b.begin() + end - 40, b.begin() + end, 0xFF);
         }},
    };
    int n = 0;
    for (const Case& c : cases) {
        ExifThumbnailFields fields;
        std::vector<unsigned char> bytes =
            WithExifThumbnail(MakeJpeg({.width = 1200, .height = 800, .solid = kPicture}),
                              MakeJpeg({.width = 160, .height = 107, .solid = kThumbnail}), &fields);
        c.apply(bytes, fields);
        const std::string name = "photos/" + std::to_string(n++) + ".jpg";
        std::filesystem::create_directories(Path("photos"));
        WriteBytes(Path(name), bytes);
        left_.list->SetDirectory(Path("photos"));  // a new listing shows the last entry again
        left_.list->ShowPicture(left_.list->Items().IndexOf(name.substr(7)));
        EXPECT_TRUE(Near(Centre(Screen()), kPicture)) << c.damage;
        EXPECT_FALSE(left_.image->SharpPictureOwed()) << c.damage;
        EXPECT_TRUE(reports_.empty()) << c.damage;
        EXPECT_EQ(left_.list->PictureWidth(), 1200) << c.damage;
    }
}
