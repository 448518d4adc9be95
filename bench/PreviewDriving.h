#pragma once
class TDDListBox;
class TImage;

// Hover as the pointer does it: the list shows the entry and the preview paints at once, as the
// event loop's next pass would.
void HoverAndPaint(TDDListBox& list, TImage& image, int index);

// Runs the event loop until the preview shows the sharp picture.
void UntilSharp(TImage& image);
