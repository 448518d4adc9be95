#include <QTest>
#include <gtest/gtest.h>

#include "platform/Button.h"
#include "platform/Form.h"
#include "platform/Panel.h"

// A button ends its form's modal loop only when it carries a result; its click event fires either way.
TEST(Button, ClickingSetsTheFormsResultOnlyWhenItHasOne)
{
    for (int result : {mrNone, mrOk, mrCancel}) {
        TForm form(nullptr);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        auto* button = new TButton(&form);
        button->SetParent(panel);  // the form is found through the parents
        button->SetModalResult(result);
        int clicks = 0;
        int resultSeenByHandler = -1;
        button->OnClick = [&](TObject* Sender) {
            EXPECT_EQ(Sender, button);
            ++clicks;
            resultSeenByHandler = form.ModalResult();
        };
        form.SetModalResult(7);
        QTest::mouseClick(button->Widget(), Qt::LeftButton);
        EXPECT_EQ(clicks, 1) << result;
        EXPECT_EQ(form.ModalResult(), result == mrNone ? 7 : result);
        EXPECT_EQ(resultSeenByHandler, form.ModalResult()) << "the result is set before the click event";
    }
}

TEST(Button, DefaultAndCancelRegisterWithTheFormAndLetGo)
{
    TForm form(nullptr);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    EXPECT_EQ(form.DefaultButton(), ok);
    EXPECT_EQ(form.CancelButton(), cancel);

    cancel->SetDefault(false);  // was never the default: the default stays
    EXPECT_EQ(form.DefaultButton(), ok);
    ok->SetDefault(false);
    cancel->SetCancel(false);
    EXPECT_EQ(form.DefaultButton(), nullptr);
    EXPECT_EQ(form.CancelButton(), nullptr);
}
