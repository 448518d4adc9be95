#pragma once
#include <QApplication>
#include <memory>
#include <string>

#include "filelist/DDListBox.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Panel.h"
#include "tests/FileOperationFixture.h"
#include "tests/support/JpegFixtures.h"

// Two panes as the main window has them (a panel holding a file list with the preview box under it),
// shown offscreen, over a scratch folder whose trash is its own.
class PaneFixture : public FileOperationFixture {
protected:
    struct Pane {
        TPanel* panel;
        TDDListBox* list;
        TImage* image;
    };

    void SetUp() override
    {
        FileOperationFixture::SetUp();
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientWidth(640);
        form_->SetClientHeight(480);
        left_ = MakePane("DDListBox2", 216);
        right_ = MakePane("DDListBox3", 424);
        form_->Show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        form_.reset();
        FileOperationFixture::TearDown();
    }

    Pane MakePane(const std::string& name, int left)
    {
        auto* panel = new TPanel(form_.get());
        panel->SetParent(form_.get());
        panel->SetBounds(left, 8, 200, 450);
        auto* image = new TImage(form_.get());
        image->SetParent(panel);
        image->SetBounds(8, 248, 184, 192);
        auto* list = new TDDListBox(form_.get());
        list->SetName(name);
        list->SetParent(panel);
        list->SetBounds(8, 104, 184, 138);
        list->SetItemHeight(20);
        list->SetImage(image);
        return {panel, list, image};
    }

    // A JPEG of one colour at Path(relative).
    void Photo(const std::string& relative, int width, int height, std::uint32_t colour = 0x808080)
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        WriteBytes(Path(relative), MakeJpeg({.width = width, .height = height, .quality = 90, .solid = colour}));
    }

    // Moves the pointer over entry index of a list, as hovering does; a failure goes to the error report.
    static void Hover(TDDListBox* list, int index) { MoveTo(list, 20, index * 20 + 10); }
    static void MoveTo(TDDListBox* list, int x, int y)
    {
        RunReportingErrors([&] { list->MouseMove(TShiftState(), x, y); });
    }

    static std::vector<std::string> Names(const TDDListBox* list)
    {
        std::vector<std::string> names;
        for (int i = 0; i < list->Items().Count(); ++i)
            names.push_back(list->Items()[i]);
        return names;
    }

    std::unique_ptr<TForm> form_;
    Pane left_{};
    Pane right_{};
};
