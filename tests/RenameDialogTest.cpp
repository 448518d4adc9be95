#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "platform/Bevel.h"
#include "platform/Button.h"
#include "platform/Edit.h"
#include "tests/support/ModalDialogs.h"
#include "windows/rename.h"

namespace {
QLineEdit* LineEdit(TOKRightDlg& dialog)
{
    return static_cast<QLineEdit*>(dialog.Edit1->Widget());
}

// The dialog is opened from an active window, as the program opens it from the main window.
class RenameDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_.SetClientWidth(200);
        host_.SetClientHeight(100);
        host_.Show();
        QApplication::processEvents();
    }
    TForm host_{nullptr};
    TOKRightDlg dialog{nullptr};
};

struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds&) const = default;
};
Bounds BoundsOf(const TControl* c)
{
    return {c->Left(), c->Top(), c->Width(), c->Height()};
}
}  // namespace

TEST_F(RenameDialog, IsBuiltAsItsLayoutSays)
{
    EXPECT_EQ(dialog.Name(), "OKRightDlg");
    EXPECT_EQ(dialog.Caption(), "Rename");
    EXPECT_EQ(dialog.BorderStyle(), bsDialog);
    EXPECT_EQ(dialog.Position(), poScreenCenter);
    EXPECT_EQ(dialog.ClientWidth(), 248);
    EXPECT_EQ(dialog.ClientHeight(), 106);
    EXPECT_EQ(dialog.Widget()->font().pixelSize(), 11);

    EXPECT_EQ(BoundsOf(dialog.Bevel1), (Bounds{8, 8, 233, 89}));
    EXPECT_EQ(dialog.Bevel1->Shape(), bsFrame);
    EXPECT_TRUE(dialog.Bevel1->Widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(dialog.ControlCount(), 4);
    EXPECT_EQ(dialog.Controls(0), dialog.Bevel1);  // first made, so behind the others

    EXPECT_EQ(BoundsOf(dialog.OKBtn), (Bounds{68, 64, 75, 25}));
    EXPECT_EQ(dialog.OKBtn->Caption(), "OK");
    EXPECT_TRUE(dialog.OKBtn->Default());
    EXPECT_EQ(dialog.OKBtn->ModalResult(), mrOk);
    EXPECT_EQ(dialog.DefaultButton(), dialog.OKBtn);

    EXPECT_EQ(BoundsOf(dialog.CancelBtn), (Bounds{148, 64, 75, 25}));
    EXPECT_EQ(dialog.CancelBtn->Caption(), "Cancel");
    EXPECT_TRUE(dialog.CancelBtn->Cancel());
    EXPECT_EQ(dialog.CancelBtn->ModalResult(), mrCancel);
    EXPECT_EQ(dialog.CancelButton(), dialog.CancelBtn);

    EXPECT_EQ(BoundsOf(dialog.Edit1), (Bounds{22, 24, 201, 21}));
    EXPECT_EQ(dialog.Edit1->Text(), "");
}

// Each way of ending the dialog and the result it gives.
TEST_F(RenameDialog, EndsWithTheResultOfTheWayItWasClosed)
{
    struct Case {
        const char* way;
        std::function<void(TOKRightDlg&)> close;
        int result;
    };
    const Case cases[] = {
        {"Enter in the edit field", [](TOKRightDlg& d) { QTest::keyClick(LineEdit(d), Qt::Key_Return); }, mrOk},
        {"keypad Enter", [](TOKRightDlg& d) { QTest::keyClick(LineEdit(d), Qt::Key_Enter); }, mrOk},
        {"Esc in the edit field", [](TOKRightDlg& d) { QTest::keyClick(LineEdit(d), Qt::Key_Escape); }, mrCancel},
        {"clicking OK", [](TOKRightDlg& d) { QTest::mouseClick(d.OKBtn->Widget(), Qt::LeftButton); }, mrOk},
        {"clicking Cancel", [](TOKRightDlg& d) { QTest::mouseClick(d.CancelBtn->Widget(), Qt::LeftButton); }, mrCancel},
        {"Enter on the focused Cancel button",
         [](TOKRightDlg& d) {
             d.CancelBtn->Widget()->setFocus();
             QTest::keyClick(d.CancelBtn->Widget(), Qt::Key_Return);
         },
         mrCancel},
        {"the close box", [](TOKRightDlg& d) { d.Widget()->close(); }, mrCancel},
    };
    for (const Case& c : cases) {
        AnswerNextModal([&](QWidget*) { c.close(dialog); });
        EXPECT_EQ(dialog.ShowModal(), c.result) << c.way;
        EXPECT_FALSE(dialog.Widget()->isVisible()) << c.way;
        QApplication::processEvents();  // the host window takes the keyboard back, as between two renames
    }
}

TEST_F(RenameDialog, EveryShowingFocusesTheEditWithTheWholeTextSelected)
{
    for (const char* name : {"IMG_0001.jpg", "b.jpg", "a name with spaces.jpg"}) {
        dialog.Edit1->SetText(name);
        AnswerNextModal([&](QWidget*) {
            EXPECT_EQ(QApplication::focusWidget(), LineEdit(dialog)) << name;
            EXPECT_EQ(LineEdit(dialog)->selectedText().toStdString(), name);
            // Leave by mouse, which takes the focus and the selection away from the field.
            QTest::mouseClick(dialog.CancelBtn->Widget(), Qt::LeftButton);
        });
        EXPECT_EQ(dialog.ShowModal(), mrCancel);
        QApplication::processEvents();
    }
}

TEST_F(RenameDialog, TypingReplacesTheNameAndTheTextComesBackAsTyped)
{
    dialog.Edit1->SetText("a.jpg");
    AnswerNextModal([&](QWidget*) {
        QTest::keyClicks(QApplication::focusWidget(), "  new name.JPG ");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Edit1->Text(), "  new name.JPG ");
}

TEST_F(RenameDialog, IsCentredOnTheScreenNotAtItsStoredPosition)
{
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    AnswerNextModal([&](QWidget* shown) {
        QPoint centre = shown->geometry().center();
        // within the width of a window frame, which is not known before the first showing
        EXPECT_LE(std::abs(centre.x() - screen.center().x()), 4);
        EXPECT_LE(std::abs(centre.y() - screen.center().y()), 4);
        shown->close();
    });
    dialog.ShowModal();
}
