#include "bench/Figures.h"

#include <QCoreApplication>
#include <filesystem>

#include "app/Picsifter.h"
#include "bench/LibjpegFloor.h"
#include "bench/Measure.h"
#include "bench/PreviewDriving.h"
#include "filelist/DDListBox.h"
#include "platform/Image.h"
#include "tests/support/JpegFixtures.h"

namespace {

// Two entries per kind of file, so that every hover is of another entry than the last.
struct HoverFolder {
    int plain[2], withThumbnail[2], progressive[2];
};

HoverFolder MakeHoverFolder(const BenchInputs& inputs, TDDListBox& list)
{
    std::filesystem::create_directory(inputs.Path("hover"));
    for (const char* copy : {"1", "2"}) {
        WriteBytes(inputs.Path("hover/plain") + copy + ".jpg", inputs.baseline);
        WriteBytes(inputs.Path("hover/thumbnail") + copy + ".jpg", inputs.baselineWithThumbnail);
        WriteBytes(inputs.Path("hover/progressive") + copy + ".jpg", inputs.progressive);
    }
    list.SetDirectory(inputs.Path("hover"));
    auto at = [&list](const char* name) { return list.Items().IndexOf(name); };
    return {{at("plain1.jpg"), at("plain2.jpg")},
            {at("thumbnail1.jpg"), at("thumbnail2.jpg")},
            {at("progressive1.jpg"), at("progressive2.jpg")}};
}

}  // namespace

void HoverPreviewFigures(const BenchInputs& inputs, TForm1& window)
{
    TDDListBox& list = *window.DDListBox2;
    TImage& image = *window.Image2;
    const HoverFolder folder = MakeHoverFolder(inputs, list);
    std::vector<unsigned char> pixels;
    int turn = 0;

    auto hoverUntilSharp = [&](const int (&entries)[2]) {
        return [&] {
            HoverAndPaint(list, image, entries[++turn % 2]);
            UntilSharp(image);
        };
    };
    auto eighthOf = [&](const std::vector<unsigned char>& jpeg) { return [&] { DecodeWithLibjpeg(jpeg, 1, pixels); }; };
    PrintFigure("hover preview, sharp (vs libjpeg 1/8)", Compare(15, hoverUntilSharp(folder.plain), eighthOf(inputs.baseline)),
                "<= 1.10x");
    PrintFigure("hover preview, sharp after thumbnail",
                Compare(15, hoverUntilSharp(folder.withThumbnail), eighthOf(inputs.baseline)), "<= 1.10x");
    PrintFigure("hover preview, progressive (vs libjpeg 1/8)",
                Compare(3, hoverUntilSharp(folder.progressive), eighthOf(inputs.progressive)), "-");

    bool draftShown = true;
    const Comparison firstPixels = Compare(
        15,
        [&] {
            HoverAndPaint(list, image, folder.withThumbnail[++turn % 2]);
            draftShown = draftShown && image.SharpPictureOwed();
        },
        [&] { DecodeWithLibjpeg(inputs.thumbnail, 8, pixels); }, [&] { UntilSharp(image); });
    PrintFigure(draftShown ? "first pixels (vs libjpeg thumbnail decode)" : "first pixels: THUMBNAIL NOT SHOWN", firstPixels,
                "<= 16 ms, aim 5 ms");
}
