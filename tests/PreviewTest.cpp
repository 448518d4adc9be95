#include <QWidget>
#include <regex>

#include "tests/support/PaneFixture.h"

using Preview = PaneFixture;

namespace {
const TGraphic* Shown(const TImage* image)
{
    return const_cast<TImage*>(image)->Picture().Graphic();
}
}

TEST_F(Preview, HoverFitsThePictureAndFollowsThePointer)
{
    Photo("photos/a.jpg", 640, 480);
    Photo("photos/b.jpg", 480, 640);
    left_.list->SetDirectory(Path("photos"));

    Hover(left_.list, 0);  // the last index starts at 0: the first entry shows nothing yet
    EXPECT_EQ(Shown(left_.image), nullptr);
    EXPECT_EQ(left_.list->ItemIndex(), 0);

    Hover(left_.list, 1);
    EXPECT_EQ(left_.list->PictureWidth(), 480);
    EXPECT_EQ(left_.list->PictureHeight(), 640);
    EXPECT_EQ(left_.image->Width(), 144);
    EXPECT_EQ(left_.image->Height(), 192);
    EXPECT_EQ(left_.image->Left(), 8);
    EXPECT_EQ(left_.image->Top(), 248);
    EXPECT_EQ(left_.list->ItemIndex(), 1);

    Hover(left_.list, 0);
    EXPECT_EQ(left_.image->Width(), 184);
    EXPECT_EQ(left_.image->Height(), 138);
    EXPECT_TRUE(left_.image->Stretch());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Preview, MovingWithinOneEntryLoadsItOnce)
{
    Photo("photos/a.jpg", 64, 48);
    Photo("photos/b.jpg", 64, 48);
    left_.list->SetDirectory(Path("photos"));
    Hover(left_.list, 1);
    std::filesystem::remove(Path("photos/b.jpg"));
    MoveTo(left_.list, 30, 33);  // still over entry 1: a second load would fail
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Preview, BelowTheLastEntryNothingIsCurrentAndThePictureStays)
{
    Photo("photos/a.jpg", 64, 48);
    Photo("photos/b.jpg", 64, 48);
    left_.list->SetDirectory(Path("photos"));
    Hover(left_.list, 1);
    const TGraphic* before = Shown(left_.image);
    Hover(left_.list, 5);
    EXPECT_EQ(left_.list->ItemIndex(), -1);
    EXPECT_EQ(Shown(left_.image), before);
}

TEST_F(Preview, WithAutoShowOffHoverMovesTheCurrentEntryButSelectionShows)
{
    Photo("photos/a.jpg", 64, 48);
    Photo("photos/b.jpg", 48, 64);
    left_.list->SetDirectory(Path("photos"));
    left_.list->SetShowJPG(false);
    Hover(left_.list, 1);
    EXPECT_EQ(left_.list->ItemIndex(), 1);
    EXPECT_EQ(Shown(left_.image), nullptr);

    left_.list->UserKey(Qt::Key_Up, TShiftState());  // the user selects entry 0 with the keyboard
    EXPECT_EQ(left_.list->ItemIndex(), 0);
    EXPECT_NE(Shown(left_.image), nullptr);
    EXPECT_EQ(left_.image->Height(), 138);
}

TEST_F(Preview, AFileThatFailsIsReportedOnceAndThePreviewKeepsItsPicture)
{
    Photo("photos/a.jpg", 640, 480);
    Write(Path("photos/b.jpg"), "not a picture");
    Photo("photos/c.jpg", 480, 640);
    left_.list->SetDirectory(Path("photos"));
    Hover(left_.list, 2);
    const TGraphic* before = Shown(left_.image);

    Hover(left_.list, 1);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_TRUE(std::regex_match(reports_[0], std::regex("JPEG error #[0-9]+"))) << reports_[0];
    EXPECT_EQ(left_.list->ItemIndex(), 2);  // the failed move did not make the entry current
    EXPECT_EQ(Shown(left_.image), before);
    EXPECT_EQ(left_.image->Width(), 144);

    MoveTo(left_.list, 30, 31);  // on over the same entry: not tried again
    EXPECT_EQ(reports_.size(), 1u);
    EXPECT_EQ(left_.list->ItemIndex(), 1);

    Hover(left_.list, 0);
    Hover(left_.list, 1);  // away and back: tried again
    EXPECT_EQ(reports_.size(), 2u);
}

TEST_F(Preview, AnEmptyFileIsReportedAsEmptyWithTheBoxReset)
{
    Photo("photos/a.jpg", 480, 640);
    Write(Path("photos/b.jpg"), "");
    left_.list->SetDirectory(Path("photos"));
    left_.list->ShowPicture(0);
    EXPECT_THROW(left_.list->ShowPicture(1), Exception);
    EXPECT_EQ(left_.list->PictureWidth(), 0);
    EXPECT_EQ(left_.list->PictureHeight(), 0);
    EXPECT_EQ(left_.image->Width(), 184);
    EXPECT_EQ(left_.image->Height(), 192);
    try {
        left_.list->ShowPicture(1);
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("empty"), std::string::npos) << e.what();
    }
}

TEST_F(Preview, ANewDirectoryKeepsThePictureAndTheLastPosition)
{
    Photo("one/a.jpg", 64, 48);
    Photo("one/b.jpg", 64, 48);
    Photo("two/c.jpg", 48, 64);
    Photo("two/d.jpg", 48, 64);
    left_.list->SetDirectory(Path("one"));
    Hover(left_.list, 1);
    const TGraphic* before = Shown(left_.image);
    left_.list->SetDirectory(Path("two"));
    EXPECT_EQ(Shown(left_.image), before);
    Hover(left_.list, 1);  // the position last shown: nothing until another entry was shown
    EXPECT_EQ(Shown(left_.image), before);
    EXPECT_EQ(left_.list->PictureWidth(), 64);
    Hover(left_.list, 0);
    Hover(left_.list, 1);
    EXPECT_EQ(left_.list->PictureWidth(), 48);
    EXPECT_EQ(left_.image->Width(), 144);
}

TEST_F(Preview, TheKeptBytesStillPaintAfterTheFileIsGone)
{
    Photo("photos/a.jpg", 64, 48);
    Photo("photos/b.jpg", 640, 480, 0x0000FF);
    left_.list->SetDirectory(Path("photos"));
    Hover(left_.list, 1);
    std::filesystem::remove(Path("photos/b.jpg"));
    QImage shot = left_.image->Widget()->grab().toImage();
    QColor centre = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    EXPECT_LT(centre.red(), 20);
    EXPECT_GT(centre.blue(), 230);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Preview, LinkingTheSameImageAgainKeepsTheBox)
{
    Photo("photos/a.jpg", 64, 48);
    Photo("photos/b.jpg", 48, 64);
    left_.list->SetDirectory(Path("photos"));
    left_.image->SetBounds(0, 0, 50, 50);
    left_.list->SetImage(left_.image);
    left_.list->ShowPicture(1);
    EXPECT_EQ(left_.image->Height(), 192);
    EXPECT_EQ(left_.image->Width(), 144);
}

TEST_F(Preview, AnIndexWithoutEntryFailsAfterRecordingIt)
{
    EXPECT_THROW(left_.list->ShowPicture(-1), EListError);
    EXPECT_EQ(left_.list->LastIndex(), -1);
}
