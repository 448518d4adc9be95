#include "filelist/DDListBox.h"
#include "filelist/PreviewFit.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

TImage* TDDListBox::GetImage() const
{
    return FImage;
}

void TDDListBox::SetImage(TImage* Value)
{
    if (Value == FImage)
        return;
    FImage = Value;
    if (!FImage)
        return;
    FImageTop = FImage->Top();
    FImageLeft = FImage->Left();
    FImageWidth = FImage->Width();
    FImageHeight = FImage->Height();
    FImage->SetStretch(true);
    FImage->SetDraftFirst(true);  // a camera's thumbnail shows while the pointer is still moving
    FImage->Invalidate();
}

void TDDListBox::ShowPicture(int Index)
{
    FLastIndex = Index;
    // The file is read once: the picture that gave the size is the one the preview shows.
    TPicture scratch;
    scratch.LoadFromFile(FDirectory + Items()[Index]);
    FPictureHeight = scratch.Height();
    FPictureWidth = scratch.Width();
    FImage->SetHeight(FImageHeight);
    FImage->SetWidth(FImageWidth);
    if (FPictureWidth <= 0 || FPictureHeight <= 0)
        throw EInvalidGraphic("The picture " + FDirectory + Items()[Index] + " is empty.");
    PreviewSize size = FitPreview(FImageWidth, FImageHeight, FPictureWidth, FPictureHeight);
    FImage->SetHeight(size.Height);
    FImage->SetWidth(size.Width);
    FImage->Picture().Assign(scratch.SharedGraphic());
}

void TDDListBox::ShowCurrentPicture()
{
    if (FImage && ItemIndex() >= 0 && ItemIndex() < Items().Count())
        ShowPicture(ItemIndex());
}

void TDDListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TListBox::MouseMove(Shift, X, Y);
    int Index = ItemAtPos({X, Y}, true);
    if (FImage && FShowJPG && Index != -1 && Index != FLastIndex)
        ShowPicture(Index);
    SetItemIndex(Index);
}

void TDDListBox::Click()
{
    TListBox::Click();
    if (FImage)
        ShowPicture(ItemIndex());
}
