#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "tests/support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <string>

namespace {

class Picture : public ::testing::Test {
protected:
    Picture()
    {
        FPicture.OnChange = [this] { ++FChanges; };
    }

    std::string Write(const std::string& name, int width, int height)
    {
        const std::string path = (FDir.path() + "/").toStdString() + name;
        WriteBytes(path, MakeJpeg({.width = width, .height = height}));
        return path;
    }

    QTemporaryDir FDir;
    TPicture FPicture;
    int FChanges = 0;
};

TEST_F(Picture, LoadsJpegExtensionsInAnyLetterCase)
{
    for (const std::string name : {"a.jpg", "b.JPG", "c.jpeg", "d.JPEG", "e.JpEg", "f.g.jpg"}) {
        FChanges = 0;
        FPicture.LoadFromFile(Write(name, 30, 20));
        EXPECT_EQ(FPicture.Width(), 30) << name;
        EXPECT_EQ(FPicture.Height(), 20) << name;
        EXPECT_EQ(FChanges, 1) << name;
    }
}

TEST_F(Picture, RejectsOtherExtensionsNamingThemAndKeepsWhatItHad)
{
    FPicture.LoadFromFile(Write("first.jpg", 30, 20));
    TGraphic* const first = FPicture.Graphic();
    struct Case {
        std::string name;
        std::string message;
    };
    const Case cases[] = {
        {"photo.png", "Unknown picture file extension (.png)"},
        {"photo.JPE", "Unknown picture file extension (.JPE)"},
        {"photo.jpg.txt", "Unknown picture file extension (.txt)"},
        {"photo", "Unknown picture file extension (.)"},
        {"dir.jpg/photo", "Unknown picture file extension (.)"},  // the dot belongs to the folder
    };
    ASSERT_TRUE(QDir(FDir.path()).mkdir("dir.jpg"));
    FChanges = 0;
    for (const Case& c : cases) {
        try {
            // A real JPEG under each name: the extension alone decides.
            FPicture.LoadFromFile(Write(c.name, 50, 50));
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const EInvalidGraphic& error) {
            EXPECT_EQ(error.what(), c.message);
        }
        EXPECT_EQ(FPicture.Graphic(), first) << c.name;
    }
    EXPECT_EQ(FChanges, 0);
}

TEST_F(Picture, KeepsWhatItHadWhenTheFileFailsToLoad)
{
    FPicture.LoadFromFile(Write("first.jpg", 30, 20));
    TGraphic* const first = FPicture.Graphic();
    FChanges = 0;
    const std::string broken = (FDir.path() + "/broken.jpg").toStdString();
    WriteBytes(broken, MakePng(4, 4));
    EXPECT_THROW(FPicture.LoadFromFile((FDir.path() + "/missing.jpg").toStdString()), EFOpenError);
    EXPECT_THROW(FPicture.LoadFromFile(broken), EJPEGError);
    EXPECT_EQ(FPicture.Graphic(), first);
    EXPECT_EQ(FPicture.Width(), 30);
    EXPECT_EQ(FChanges, 0);
}

TEST_F(Picture, IsEmptyUntilLoadedAndReportsEveryAssign)
{
    EXPECT_EQ(FPicture.Graphic(), nullptr);
    EXPECT_EQ(FPicture.Width(), 0);
    EXPECT_EQ(FPicture.Height(), 0);
    FPicture.Assign(nullptr);
    EXPECT_EQ(FChanges, 1);
    EXPECT_EQ(FPicture.Width(), 0);
}

}  // namespace
