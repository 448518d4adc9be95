#include "filelist/DDListBox.h"

void TDDListBox::ZoomIn(TObject*) {}
void TDDListBox::DblClick() { TListBox::DblClick(); ZoomIn(this); }
void TDDListBox::RenameClick(TObject*) {}
