#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <unistd.h>

#include "app/Picsifter.h"
#include "bench/Figures.h"
#include "bench/Measure.h"

// Our code paths against their floors, in one process and one run: the real main window, offscreen.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const BenchInputs inputs = MakeBenchInputs();
    int status = 0;
    try {
        if (chdir(inputs.root.c_str()) != 0)  // the window lists its current folder at start
            throw std::runtime_error("Cannot enter " + inputs.root);
        TForm1 window(nullptr);
        window.Show();
        QApplication::processEvents();
        PrintHeader();
        HoverPreviewFigures(inputs, window);
        MemoryFigure(inputs, window);
        ZoomFigure(inputs, window);
        ListingFigure(inputs, window);
        FileOperationFigures(inputs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        status = 1;
    }
    RemoveBenchInputs(inputs);
    return status;
}
