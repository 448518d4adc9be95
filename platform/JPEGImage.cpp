#include "platform/JPEGImage.h"

#include "platform/Exceptions.h"

#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::string& fileName, int error)
{
    throw EFOpenError(std::string(what) + " \"" + fileName + "\": " + std::strerror(error));
}

struct FileBytes {
    RecycledBuffer buffer;
    std::size_t size = 0;
};

// Beyond any photo a camera or an editor writes, and within what the decoder's own bounds allow
// beside it: reading a larger file whole could take all the memory there is.
constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;

[[noreturn]] void ThrowFileTooLarge(const std::string& fileName)
{
    throw EInvalidGraphic("The file \"" + fileName + "\" is too large to be a picture (more than "
                          + std::to_string(kMaxFileBytes >> 20) + " MB)");
}

FileBytes ReadWholeFile(const std::string& fileName)
{
    // Without O_NONBLOCK, opening a pipe named like a photo would wait for a writer for ever.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        ThrowFileError("Cannot open file", fileName, errno);
    struct FileCloser {
        int fd;
        ~FileCloser() { ::close(fd); }
    } closer{fd};

    struct stat status {};
    if (::fstat(fd, &status) != 0)
        ThrowFileError("Cannot read file", fileName, errno);
    if (S_ISDIR(status.st_mode))
        ThrowFileError("Cannot read file", fileName, EISDIR);
    // A device or a pipe may never end (a link to /dev/zero).
    if (!S_ISREG(status.st_mode))
        throw EFOpenError("Cannot read file \"" + fileName + "\": it is not a regular file");
    if (static_cast<std::size_t>(status.st_size) > kMaxFileBytes)
        ThrowFileTooLarge(fileName);
    // One byte more than expected, so that the end shows without a second buffer.
    FileBytes bytes{RecycledBuffer(static_cast<std::size_t>(status.st_size) + 1), 0};
    // Read to the end rather than trust the size: the file may be growing while a camera copies it.
    for (;;) {
        if (bytes.size == bytes.buffer.Capacity()) {
            if (bytes.size > kMaxFileBytes)
                ThrowFileTooLarge(fileName);
            RecycledBuffer larger(std::min(2 * bytes.buffer.Capacity(), kMaxFileBytes + 1));
            std::memcpy(larger.Data(), bytes.buffer.Data(), bytes.size);
            bytes.buffer = std::move(larger);
        }
        const ssize_t count = ::read(fd, bytes.buffer.Data() + bytes.size, bytes.buffer.Capacity() - bytes.size);
        if (count == 0)
            return bytes;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError("Cannot read file", fileName, errno);
        }
        bytes.size += static_cast<std::size_t>(count);
    }
}

// A draft needs no more; a hostile thumbnail may claim any size.
constexpr long long kLargestDraftPixels = 2'000'000;

// The EXIF thumbnail, if it has a readable header of a sensible size.
std::optional<ByteRange> UsableThumbnail(const unsigned char* data, std::size_t size)
{
    std::optional<ByteRange> thumbnail = FindExifThumbnail(data, size);
    if (!thumbnail)
        return std::nullopt;
    try {
        const JpegSize thumbnailSize = ReadJpegSize(data + thumbnail->offset, thumbnail->size);
        if (thumbnailSize.width <= 0 || thumbnailSize.height <= 0
            || static_cast<long long>(thumbnailSize.width) * thumbnailSize.height > kLargestDraftPixels)
            return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return thumbnail;
}

// Decodes at scale into a bitmap whose pixels come from recycled memory and go back to it when the
// last copy of the image goes.
QImage DecodeIntoRecycledBitmap(const unsigned char* data, std::size_t size, int scale)
{
    QImage decoded;
    DecodeJpeg(data, size, scale, [&decoded](JpegSize rowsSize) {
        const qsizetype stride = static_cast<qsizetype>(rowsSize.width) * 4;
        auto* block = new RecycledBuffer(static_cast<std::size_t>(stride) * rowsSize.height);
        decoded = QImage(
            block->Data(), rowsSize.width, rowsSize.height, stride, QImage::Format_RGB32,
            [](void* kept) { delete static_cast<RecycledBuffer*>(kept); }, block);
        if (decoded.isNull())
            delete block;
        return decoded.isNull() ? JpegRows{} : JpegRows{decoded.bits(), decoded.bytesPerLine()};
    });
    return decoded;
}

QImage ScaledTo(const QImage& decoded, QSize size)
{
    if (decoded.size() == size)
        return decoded;
    return decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    FileBytes bytes = ReadWholeFile(fileName);
    const JpegSize size = bytes.size == 0 ? JpegSize{} : ReadJpegSize(bytes.buffer.Data(), bytes.size);
    FThumbnail = UsableThumbnail(bytes.buffer.Data(), bytes.size);
    FData = std::move(bytes.buffer);
    FDataSize = bytes.size;
    FSize = size;
    FBitmap = QImage();
}

void TJPEGImage::Draw(QPainter& painter, const QRect& dest)
{
    if (Empty() || dest.isEmpty())
        return;
    if (FBitmap.size() != dest.size()) {
        FBitmap = QImage();  // its memory goes back first, for this very decode when the size is the same
        FBitmap = Render(dest.size());
    }
    painter.drawImage(dest.topLeft(), FBitmap);
}

bool TJPEGImage::DrawDraft(QPainter& painter, const QRect& dest)
{
    if (!FThumbnail || Empty() || dest.isEmpty() || FBitmap.size() == dest.size())
        return false;
    const unsigned char* thumbnail = Data() + FThumbnail->offset;
    try {
        const int scale = ChooseJpegScale(ReadJpegSize(thumbnail, FThumbnail->size), {dest.width(), dest.height()});
        QImage decoded;
        DecodeJpeg(thumbnail, FThumbnail->size, scale, [&decoded](JpegSize rowsSize) {
            decoded = QImage(rowsSize.width, rowsSize.height, QImage::Format_RGB32);
            return decoded.isNull() ? JpegRows{} : JpegRows{decoded.bits(), decoded.bytesPerLine()};
        }, JpegDamage::Refused);  // a damaged draft would show what the picture is not
        painter.drawImage(dest.topLeft(), ScaledTo(decoded, dest.size()));
        return true;
    } catch (const std::exception&) {
        FThumbnail.reset();  // the picture itself may still be fine
        return false;
    }
}

QImage TJPEGImage::Render(QSize size) const
{
    const int scale = ChooseJpegScale(FSize, {size.width(), size.height()});
    return ScaledTo(DecodeIntoRecycledBitmap(Data(), FDataSize, scale), size);
}
