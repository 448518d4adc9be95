#pragma once

class TControl;

// The in-application drag facility. A drag is pending from the press until the pointer has moved
// QApplication::startDragDistance() with the button held; then the control under the pointer is asked
// DragOver, and a release over one that accepted calls its DragDrop. A release elsewhere or Esc cancels.
// From the press to the end, pointer movements go to the drag and to no control.
void BeginDragFrom(TControl* source, bool immediate);
// A control going away takes part in no drag any more.
void CancelDragOf(TControl* control);
bool Dragging();
