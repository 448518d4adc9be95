#include "bench/Figures.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "app/Picsifter.h"
#include "bench/Measure.h"
#include "bench/PreviewDriving.h"
#include "filelist/DDListBox.h"
#include "platform/Image.h"

namespace {

double ResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;  // the kernel says kB
    return 0;
}

}  // namespace

// Two hundred entries, each hovered once until sharp. They are links to three files (one in ten
// progressive, half of the rest with an EXIF thumbnail): every hover still reads and decodes a
// whole 24-megapixel file of its own.
void MemoryFigure(const BenchInputs& inputs, TForm1& window)
{
    const std::string folder = inputs.Path("many/");
    std::filesystem::create_directory(folder);
    for (int i = 0; i < 200; ++i) {
        const char* kind = i % 10 == 9 ? "progressive.jpg" : i % 2 ? "thumbnail.jpg" : "plain.jpg";
        LinkAs(inputs.Path(kind), folder + "IMG_" + std::to_string(1000 + i) + ".JPG");
    }
    TDDListBox& list = *window.DDListBox2;
    TImage& image = *window.Image2;
    list.SetDirectory(folder);
    const double before = ResidentMegabytes();
    for (int i = 0; i < list.Items().Count(); ++i) {
        HoverAndPaint(list, image, i);
        UntilSharp(image);
    }
    PrintMegabytes("memory: resident after 200 photos (vs before)", ResidentMegabytes(), before, "<= 120 MB");
}
