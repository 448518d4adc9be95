#pragma once
#include "bench/BenchInputs.h"

class TForm1;

// Each prints its lines of the table.
void HoverPreviewFigures(const BenchInputs& inputs, TForm1& window);
void MemoryFigure(const BenchInputs& inputs, TForm1& window);
void ZoomFigure(const BenchInputs& inputs, TForm1& window);
void ListingFigure(const BenchInputs& inputs, TForm1& window);
void FileOperationFigures(const BenchInputs& inputs);
