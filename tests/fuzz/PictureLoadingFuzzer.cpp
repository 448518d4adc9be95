// Any bytes, saved as a .jpg and loaded the way the preview and the zoom window load it: the file is
// read with its header and any EXIF thumbnail found, then drawn at a preview's size (the thumbnail as
// a draft, then a scaled decode) and at its natural size (a full decode). The platform's exceptions are the only acceptable failures; a crash, a sanitizer
// report, a leak or a hang is a bug.
//
// Pictures beyond kPreviewBudget and kZoomBudget pixels are not drawn: their decodes run the same
// code over more rows and would slow the search a hundredfold. Their size limits are unit-tested.

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "filelist/PreviewFit.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"

namespace {

constexpr long long kPreviewBudget = 16'000'000;
constexpr long long kZoomBudget = 1'000'000;

// The preview box of the main window's panes.
constexpr int kBoxWidth = 184;
constexpr int kBoxHeight = 192;

const std::string& ScratchFile()
{
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder && *folder ? folder : "/tmp") + "/picsift-fuzz-" + std::to_string(getpid()) + ".jpg";
    }();
    return path;
}

void Save(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();  // the scratch folder is broken, not the picture code
}

void DrawReportingNothing(TGraphic& graphic, QPainter& painter, const QRect& dest)
{
    try {
        graphic.Draw(painter, dest);
    } catch (const Exception&) {
    }
}

void DrawDraftReportingNothing(TGraphic& graphic, QPainter& painter, const QRect& dest)
{
    try {
        graphic.DrawDraft(painter, dest);
    } catch (const Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Save(ScratchFile(), data, size);
    TPicture picture;
    try {
        picture.LoadFromFile(ScratchFile());
    } catch (const Exception&) {
        return 0;
    }
    TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty())
        return 0;
    const int width = graphic->Width();
    const int height = graphic->Height();
    const long long pixels = static_cast<long long>(width) * height;

    QImage canvas(kBoxWidth, kBoxHeight, QImage::Format_RGB32);
    QPainter painter(&canvas);
    if (pixels <= kPreviewBudget) {
        const PreviewSize preview = FitPreview(kBoxWidth, kBoxHeight, width, height);
        const QRect dest(0, 0, preview.Width, preview.Height);
        DrawDraftReportingNothing(*graphic, painter, dest);
        DrawReportingNothing(*graphic, painter, dest);
    }
    if (pixels <= kZoomBudget)
        DrawReportingNothing(*graphic, painter, QRect(0, 0, width, height));
    return 0;
}
