#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPrinterInfo>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/Image.h"
#include "platform/Menus.h"
#include "tests/support/PaneFixture.h"
#include "windows/ZoomInFm.h"

namespace {
constexpr std::uint32_t kRed = 0xff0000;
constexpr std::uint32_t kGreen = 0x00ff00;
constexpr std::uint32_t kBlue = 0x0000ff;

QRgb PixelOf(TForm* form, int x, int y)
{
    return form->Widget()->grab().toImage().pixel(x, y);
}

// JPEG colours come back near, not exact.
bool Near(QRgb pixel, std::uint32_t colour)
{
    auto near = [](int a, int b) { return std::abs(a - b) <= 16; };
    return near(qRed(pixel), (colour >> 16) & 0xff) && near(qGreen(pixel), (colour >> 8) & 0xff) &&
           near(qBlue(pixel), colour & 0xff);
}

struct Size {
    int width, height;
    bool operator==(const Size&) const = default;
};
Size ClientSizeOf(const TForm* form)
{
    return {form->ClientWidth(), form->ClientHeight()};
}
Size PictureSizeOf(TZoomInFm* window)
{
    return {window->ImageZm->Picture().Width(), window->ImageZm->Picture().Height()};
}
}  // namespace

class ZoomWindow : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        ASSERT_EQ(ZoomInFm, nullptr) << "a zoom window outlived the list that owned it";
    }

    // Shows entry index of list in its preview, as hovering over it does.
    void ShowEntry(TDDListBox* list, int index)
    {
        if (list->LastIndex() == index)
            Hover(list, index == 0 ? 1 : 0);
        Hover(list, index);
        ASSERT_EQ(list->LastIndex(), index);
    }

    static void Zoom(TDDListBox* list)
    {
        RunReportingErrors([list] { list->ZoomIn(nullptr); });
        QApplication::processEvents();
    }
};

TEST_F(ZoomWindow, ADoubleClickOpensTheSharedWindowAtItsPlaceAtTheNaturalSize)
{
    Photo("photos/a.jpg", 64, 48, kRed);
    Photo("photos/b.jpg", 40, 30, kBlue);
    left_.list->SetDirectory(Path("photos"));
    right_.list->SetDirectory(Path("photos"));
    ShowEntry(left_.list, 1);

    auto* viewport = static_cast<QAbstractScrollArea*>(left_.list->Widget())->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    QApplication::processEvents();

    ASSERT_NE(ZoomInFm, nullptr);
    TZoomInFm* window = ZoomInFm;
    EXPECT_EQ(window->Owner(), left_.list);
    EXPECT_TRUE(window->Widget()->isVisible());
    EXPECT_EQ(window->Caption(), "Zoom In");
    EXPECT_EQ(window->BorderStyle(), bsNone);
    EXPECT_TRUE(window->Widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->Left(), 216);
    EXPECT_EQ(window->Top(), 67);
    EXPECT_EQ(ClientSizeOf(window), (Size{40, 30}));
    EXPECT_EQ(PictureSizeOf(window), (Size{40, 30}));
    EXPECT_FALSE(window->ImageZm->Stretch());
    EXPECT_EQ(window->ImageZm->Width(), 40);
    EXPECT_EQ(window->ImageZm->Height(), 30);
    EXPECT_TRUE(Near(PixelOf(window, 38, 28), kBlue));

    // The other list zooms into the same window, resized in place.
    window->SetLeft(300);
    window->SetTop(200);
    ShowEntry(right_.list, 0);
    Zoom(right_.list);
    EXPECT_EQ(ZoomInFm, window);
    EXPECT_EQ(window->Owner(), left_.list);
    EXPECT_EQ(window->Left(), 300);
    EXPECT_EQ(window->Top(), 200);
    EXPECT_EQ(ClientSizeOf(window), (Size{64, 48}));
    EXPECT_TRUE(Near(PixelOf(window, 62, 46), kRed));
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

TEST_F(ZoomWindow, IsBuiltAsItsLayoutSays)
{
    TZoomInFm window(nullptr);
    EXPECT_EQ(window.Name(), "ZoomInFm");
    EXPECT_EQ(ClientSizeOf(&window), (Size{352, 365}));
    EXPECT_EQ(window.ImageZm->Left(), 0);
    EXPECT_EQ(window.ImageZm->Top(), 0);
    EXPECT_EQ(window.ImageZm->Width(), 352);
    EXPECT_EQ(window.ImageZm->Height(), 365);
    EXPECT_EQ(window.Widget()->font().pixelSize(), 11);
    EXPECT_EQ(window.PopupMenu(), window.PopupMenu1);
    ASSERT_EQ(window.PopupMenu1->Count(), 2);
    EXPECT_EQ(window.PopupMenu1->Items(0), window.Close1);
    EXPECT_EQ(window.Close1->Caption(), "&Close");
    EXPECT_EQ(window.Close1->ShortCut(), 16451);
    EXPECT_EQ(window.PopupMenu1->Items(1), window.Print1);
    EXPECT_EQ(window.Print1->Caption(), "&Print");
    EXPECT_EQ(window.Print1->ShortCut(), 16464);
    EXPECT_EQ(window.Close1->Action()->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(window.Print1->Action()->shortcut(), QKeySequence("Ctrl+P"));
}

TEST_F(ZoomWindow, HidesAndShowsAgainWhereItWasLeftWithItsPicture)
{
    struct Way {
        const char* name;
        std::function<void(TZoomInFm*)> hide;
    };
    const Way ways[] = {
        {"Ctrl+C",
         [](TZoomInFm* w) {
             ASSERT_TRUE(w->Widget()->isActiveWindow());
             QTest::keyClick(w->Widget(), Qt::Key_C, Qt::ControlModifier);
         }},
        {"&Close from its menu",
         [](TZoomInFm* w) {
             QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C); });
             QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w->Widget()->mapToGlobal(QPoint(5, 5)));
             QApplication::sendEvent(w->Widget(), &event);
         }},
        {"a double-click on it", [](TZoomInFm* w) { QTest::mouseDClick(w->Widget(), Qt::LeftButton); }},
    };
    Photo("photos/a.jpg", 64, 48, kRed);
    Photo("photos/b.jpg", 40, 30, kBlue);
    left_.list->SetDirectory(Path("photos"));
    ShowEntry(left_.list, 1);
    for (const Way& way : ways) {
        Zoom(left_.list);
        TZoomInFm* window = ZoomInFm;
        window->SetLeft(250);
        window->SetTop(150);
        QApplication::processEvents();

        way.hide(window);
        QApplication::processEvents();
        EXPECT_FALSE(window->Widget()->isVisible()) << way.name;
        EXPECT_EQ(ZoomInFm, window) << way.name;
        EXPECT_EQ(PictureSizeOf(window), (Size{40, 30})) << way.name;

        Zoom(left_.list);
        EXPECT_TRUE(window->Widget()->isVisible()) << way.name;
        EXPECT_EQ(window->Left(), 250) << way.name;
        EXPECT_EQ(window->Top(), 150) << way.name;
    }
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

// With hover preview off the pointer makes an entry current without showing it; the zoom then takes
// the size of the picture shown earlier and draws the current entry's picture unscaled in it.
TEST_F(ZoomWindow, WithHoverPreviewOffTheWindowHasTheSizeOfThePictureShownEarlier)
{
    Photo("photos/a.jpg", 64, 48, kRed);
    Photo("photos/b.jpg", 100, 80, kGreen);
    Photo("photos/c.jpg", 30, 20, kBlue);
    left_.list->SetDirectory(Path("photos"));

    ShowEntry(left_.list, 1);
    left_.list->AutoShowClick(nullptr);
    Hover(left_.list, 0);
    Zoom(left_.list);
    ASSERT_NE(ZoomInFm, nullptr);
    EXPECT_EQ(ClientSizeOf(ZoomInFm), (Size{100, 80}));
    EXPECT_EQ(PictureSizeOf(ZoomInFm), (Size{64, 48}));
    EXPECT_TRUE(Near(PixelOf(ZoomInFm, 1, 1), kRed));
    EXPECT_TRUE(Near(PixelOf(ZoomInFm, 62, 46), kRed));  // drawn unscaled from the top-left corner
    EXPECT_FALSE(Near(PixelOf(ZoomInFm, 80, 60), kRed));  // the rest of the window stays empty

    left_.list->AutoShowClick(nullptr);
    ShowEntry(left_.list, 2);
    left_.list->AutoShowClick(nullptr);
    Hover(left_.list, 0);
    Zoom(left_.list);
    EXPECT_EQ(ClientSizeOf(ZoomInFm), (Size{30, 20}));
    EXPECT_TRUE(Near(PixelOf(ZoomInFm, 29, 19), kRed));  // cut off at the right and bottom
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

TEST_F(ZoomWindow, AListThatHasShownNothingOpensAnEmptyWindow)
{
    Photo("photos/a.jpg", 64, 48, kRed);
    left_.list->SetDirectory(Path("photos"));
    Hover(left_.list, 0);  // current, but the first entry is not shown on the first hover
    Zoom(left_.list);
    ASSERT_NE(ZoomInFm, nullptr);
    EXPECT_TRUE(ZoomInFm->Widget()->isVisible());
    EXPECT_EQ(ClientSizeOf(ZoomInFm), (Size{0, 0}));
    EXPECT_EQ(PictureSizeOf(ZoomInFm), (Size{64, 48}));
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

// A failed load ends the zoom: the window exists and has its new size, but keeps its old picture and
// stays hidden if it was.
TEST_F(ZoomWindow, AFailedLoadIsReportedAndTheWindowKeepsItsPictureAndVisibility)
{
    struct Case {
        const char* what;
        std::function<void()> spoil;  // after entry 2 has been shown, before the zoom
        const char* report;
    };
    const Case cases[] = {
        {"no current entry", [this] { Hover(left_.list, 7); }, "List index out of bounds (-1)"},
        {"the file has gone", [this] { std::filesystem::remove(Path("photos/c.jpg")); }, "c.jpg"},
        {"not a JPEG", [this] { Write(Path("photos/c.jpg"), "not a picture"); }, "JPEG error"},
    };
    for (const Case& c : cases) {
        Photo("photos/a.jpg", 64, 48, kRed);
        Photo("photos/b.jpg", 40, 30, kBlue);
        Photo("photos/c.jpg", 20, 10, kGreen);
        left_.list->SetDirectory(Path("photos"));
        ShowEntry(left_.list, 1);
        Zoom(left_.list);
        ASSERT_NE(ZoomInFm, nullptr);
        for (bool hidden : {false, true}) {
            if (hidden)
                ZoomInFm->Close1->Click();
            reports_.clear();
            ShowEntry(left_.list, 2);
            c.spoil();
            Zoom(left_.list);
            ASSERT_EQ(reports_.size(), 1u) << c.what;
            EXPECT_NE(reports_[0].find(c.report), std::string::npos) << c.what << ": " << reports_[0];
            EXPECT_EQ(ClientSizeOf(ZoomInFm), (Size{20, 10})) << c.what;
            EXPECT_EQ(PictureSizeOf(ZoomInFm), (Size{40, 30})) << c.what;
            EXPECT_EQ(ZoomInFm->Widget()->isVisible(), !hidden) << c.what;
            Photo("photos/c.jpg", 20, 10, kGreen);
            ShowEntry(left_.list, 1);
        }
    }
}

TEST_F(ZoomWindow, WithNoCurrentEntryTheFirstZoomStillCreatesTheWindowHidden)
{
    Photo("photos/a.jpg", 64, 48, kRed);
    left_.list->SetDirectory(Path("photos"));
    Zoom(left_.list);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0], "List index out of bounds (-1)");
    ASSERT_NE(ZoomInFm, nullptr);
    EXPECT_FALSE(ZoomInFm->Widget()->isVisible());
}

// A window of that size would cost as much memory as the picture that cannot be decoded, or be
// beyond what X can show while covering the screen with nothing.
TEST_F(ZoomWindow, APictureTooLargeForAWindowIsReportedAndNothingIsShown)
{
    const Size sizes[] = {{40000, 100}, {100, 40000}, {12000, 11000}};
    for (Size size : sizes) {
        Photo("photos/a.jpg", 64, 48, kRed);
        Photo("photos/b.jpg", 40, 30, kBlue);
        WriteBytes(Path("photos/c.jpg"), WithClaimedSize(MakeJpeg({.width = 16, .height = 16, .solid = kGreen}),
                                                         size.width, size.height));
        left_.list->SetDirectory(Path("photos"));
        ShowEntry(left_.list, 1);
        Zoom(left_.list);
        ZoomInFm->Close1->Click();
        reports_.clear();

        ShowEntry(left_.list, 2);
        ASSERT_EQ(left_.list->PictureWidth(), size.width);
        Zoom(left_.list);
        ASSERT_EQ(reports_.size(), 1u);
        EXPECT_NE(reports_[0].find("too large"), std::string::npos) << reports_[0];
        EXPECT_FALSE(ZoomInFm->Widget()->isVisible());
        EXPECT_EQ(ClientSizeOf(ZoomInFm), (Size{40, 30}));
        EXPECT_EQ(PictureSizeOf(ZoomInFm), (Size{40, 30}));
    }
}

TEST_F(ZoomWindow, PrintingWithoutAPrinterIsReportedAndTheWindowStays)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed; this test must not print on it";
    Photo("photos/a.jpg", 64, 48, kRed);
    Photo("photos/b.jpg", 40, 30, kBlue);
    left_.list->SetDirectory(Path("photos"));
    ShowEntry(left_.list, 1);
    Zoom(left_.list);
    ZoomInFm->Print1->Action()->trigger();  // as the menu and Ctrl+P do
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find("no printer"), std::string::npos) << reports_[0];
    EXPECT_TRUE(ZoomInFm->Widget()->isVisible());
}

// The window belongs to the list that made it: the shared reference must not outlive that list.
TEST_F(ZoomWindow, GoesWithTheListThatMadeItAndTheNextZoomMakesAnother)
{
    Photo("photos/a.jpg", 64, 48, kRed);
    Photo("photos/b.jpg", 40, 30, kBlue);
    left_.list->SetDirectory(Path("photos"));
    right_.list->SetDirectory(Path("photos"));
    ShowEntry(left_.list, 1);
    Zoom(left_.list);
    ASSERT_NE(ZoomInFm, nullptr);

    delete left_.list;
    EXPECT_EQ(ZoomInFm, nullptr);

    ShowEntry(right_.list, 1);
    Zoom(right_.list);
    ASSERT_NE(ZoomInFm, nullptr);
    EXPECT_EQ(ZoomInFm->Owner(), right_.list);
    EXPECT_TRUE(ZoomInFm->Widget()->isVisible());
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}
