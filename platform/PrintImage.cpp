#include "platform/PrintImage.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Exceptions.h"

void PrintImage(const QImage& image, const std::string& documentName)
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw EPlatformError("There is no printer to print on: no default printer is installed.");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(documentName));
    PrintImageOn(image, printer);
}

void PrintImageOn(const QImage& image, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPlatformError("The printer " + printer.printerName().toStdString() + " cannot be used.");
    QRect page = painter.viewport();
    QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(page.topLeft(), size), image);
    painter.end();
}
