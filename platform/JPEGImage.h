#pragma once
#include "platform/ExifThumbnail.h"
#include "platform/Graphics.h"
#include "platform/JpegDecoder.h"
#include "platform/RecycledBuffer.h"

#include <QImage>
#include <QSize>
#include <optional>
#include <string>

// A JPEG picture held as its file's bytes. Loading reads only the header; the picture is decoded when
// drawn, at the smallest DCT scale that covers the drawn size, so a hover preview of a camera file
// decodes an eighth of it. A camera's EXIF thumbnail, when there is one, gives a draft at once.
class TJPEGImage : public TGraphic {
public:
    // Reads the whole file, so the picture still draws after the file is moved or deleted.
    // An empty file is an empty picture; a file that cannot be read, or is no regular file, raises
    // EFOpenError; one over 256 MB raises EInvalidGraphic unread, and data that is not a JPEG raises
    // EJPEGError. On failure the image keeps what it had.
    void LoadFromFile(const std::string& fileName);

    int Width() const override { return FSize.width; }
    int Height() const override { return FSize.height; }

    // Draws at dest's size, smoothly scaled unless that is the natural size. The bitmap is kept, so
    // drawing again at the same size decodes nothing.
    void Draw(QPainter& painter, const QRect& dest) override;

    // Draws the EXIF thumbnail scaled to dest, unless the picture is already decoded at that size.
    // A thumbnail that fails to decode is not tried again.
    bool DrawDraft(QPainter& painter, const QRect& dest) override;

    // The bitmap kept from the last draw, at the size drawn; null before the first draw.
    const QImage& Bitmap() const { return FBitmap; }

private:
    QImage Render(QSize size) const;
    const unsigned char* Data() const { return FData.Data(); }

    RecycledBuffer FData;
    std::size_t FDataSize = 0;
    JpegSize FSize;
    std::optional<ByteRange> FThumbnail;
    QImage FBitmap;
};
