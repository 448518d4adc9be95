#include "bench/PreviewDriving.h"

#include <QCoreApplication>
#include <QWidget>
#include <chrono>
#include <stdexcept>

#include "filelist/DDListBox.h"
#include "platform/Image.h"

void HoverAndPaint(TDDListBox& list, TImage& image, int index)
{
    list.ShowPicture(index);
    image.Widget()->repaint();
}

void UntilSharp(TImage& image)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (image.SharpPictureOwed()) {
        QCoreApplication::processEvents();
        if (std::chrono::steady_clock::now() > giveUp)
            throw std::runtime_error("the preview never became sharp");
    }
}
