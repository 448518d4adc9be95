#include "bench/Figures.h"

#include <QCoreApplication>
#include <QWidget>

#include "app/Picsifter.h"
#include "bench/LibjpegFloor.h"
#include "bench/Measure.h"
#include "bench/PreviewDriving.h"
#include "filelist/DDListBox.h"
#include "platform/Image.h"
#include "windows/ZoomInFm.h"

// The zoom of an entry the preview shows, to its first paint at natural size in the zoom window,
// against a full decode into a buffer kept from the last one.
void ZoomFigure(const BenchInputs& inputs, TForm1& window)
{
    TDDListBox& list = *window.DDListBox2;
    TImage& image = *window.Image2;
    list.SetDirectory(inputs.Path("hover"));
    const int entries[2] = {list.Items().IndexOf("plain1.jpg"), list.Items().IndexOf("plain2.jpg")};
    std::vector<unsigned char> pixels;
    int turn = 0;
    const Comparison zoom = Compare(
        7,
        [&] {
            list.ZoomIn(nullptr);
            ZoomInFm->Widget()->repaint();
        },
        [&] { DecodeWithLibjpeg(inputs.baseline, 8, pixels); },
        [&] {
            const int entry = entries[++turn % 2];
            HoverAndPaint(list, image, entry);
            UntilSharp(image);
            list.SetItemIndex(entry);
            QCoreApplication::processEvents();
        });
    PrintFigure("zoom, first paint at 6000x4000 (vs libjpeg 1/1)", zoom, "<= 1.20x");
    if (ZoomInFm)
        ZoomInFm->Hide();
}
