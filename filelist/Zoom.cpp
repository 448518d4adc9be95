#include "filelist/DDListBox.h"
#include "platform/Image.h"
#include "platform/NaturalSizeWindow.h"
#include "windows/ZoomInFm.h"

// Sized from the picture last shown in the preview, so a zoom from the menu with hover preview off
// gets the size of that picture, not of the current entry's.
void TDDListBox::ZoomIn(TObject*)
{
    if (!ZoomInFm)
        ZoomInFm = new TZoomInFm(this);
    CheckNaturalSizeWindow(FPictureWidth, FPictureHeight);
    ZoomInFm->SetClientWidth(FPictureWidth);
    ZoomInFm->SetClientHeight(FPictureHeight);
    ZoomInFm->ImageZm->Picture().LoadFromFile(FDirectory + Items()[ItemIndex()]);
    ZoomInFm->Show();
}

void TDDListBox::DblClick()
{
    TListBox::DblClick();
    ZoomIn(this);
}
