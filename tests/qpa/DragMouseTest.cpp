// Real mouse input routed through the window, as a user drags.
#define QTEST_QPA_MOUSE_HANDLING
#include <QAbstractScrollArea>
#include <QTest>

#include "tests/support/PaneFixture.h"

class DragMouse : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        std::filesystem::create_directories(Path("Keep"));
        Photo("Inbox/p1.jpg", 64, 48);
        Photo("Inbox/p2.jpg", 64, 48);
        left_.list->SetDirectory(Path("Inbox"));
        right_.list->SetDirectory(Path("Keep"));
    }

    static QWidget* Viewport(TDDListBox* list) { return static_cast<QAbstractScrollArea*>(list->Widget())->viewport(); }
    QWindow* Window() { return form_->Widget()->windowHandle(); }
    QPoint InWindow(TDDListBox* list, QPoint p) { return Viewport(list)->mapTo(form_->Widget(), p); }

    // Press on an entry of the left list, move in steps to the right list and release there.
    void DragEntry(int index, Qt::KeyboardModifiers keys, bool release = true)
    {
        QPoint from = InWindow(left_.list, {20, index * 20 + 10});
        QPoint to = InWindow(right_.list, {20, 50});
        QTest::mouseMove(Window(), from);
        QTest::mousePress(Window(), Qt::LeftButton, keys, from);
        for (int step = 1; step <= 8; ++step)
            QTest::mouseMove(Window(), from + (to - from) * step / 8);
        if (release)
            QTest::mouseRelease(Window(), Qt::LeftButton, keys, to);
    }
};

TEST_F(DragMouse, ADragMovesAndAShiftDragCopies)
{
    DragEntry(0, Qt::NoModifier);
    EXPECT_EQ(Entries(Path("Keep")), (std::vector<std::string>{"p1.jpg"}));
    EXPECT_EQ(Names(left_.list), (std::vector<std::string>{"p2.jpg"}));

    DragEntry(0, Qt::ShiftModifier);
    EXPECT_EQ(Entries(Path("Keep")), (std::vector<std::string>{"p1.jpg", "p2.jpg"}));
    EXPECT_EQ(Entries(Path("Inbox")), (std::vector<std::string>{"p2.jpg"}));
    EXPECT_EQ(Names(right_.list), (std::vector<std::string>{"p1.jpg", "p2.jpg"}));
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

TEST_F(DragMouse, AClickIsNoDragAndEscCancels)
{
    QPoint at = InWindow(left_.list, {20, 10});
    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(Entries(Path("Inbox")).size(), 2u);

    DragEntry(0, Qt::NoModifier, false);
    QTest::keyClick(form_->Widget(), Qt::Key_Escape);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, InWindow(right_.list, {20, 50}));
    EXPECT_EQ(Entries(Path("Inbox")).size(), 2u);
    EXPECT_TRUE(Entries(Path("Keep")).empty());
}

TEST_F(DragMouse, ReleasingOutsideAListDoesNothing)
{
    QPoint from = InWindow(left_.list, {20, 10});
    QPoint outside(100, 300);  // over the instructions' place
    QTest::mouseMove(Window(), from);
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 8; ++step)
        QTest::mouseMove(Window(), from + (outside - from) * step / 8);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, outside);
    EXPECT_EQ(Entries(Path("Inbox")).size(), 2u);
}
