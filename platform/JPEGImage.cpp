#include "platform/JPEGImage.h"

#include "platform/Exceptions.h"

#include <QPainter>
#include <QRect>

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

std::vector<unsigned char> ReadWholeFile(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowFileError("Cannot open file", fileName, errno);
    struct FileCloser {
        int fd;
        ~FileCloser() { ::close(fd); }
    } closer{fd};

    std::vector<unsigned char> bytes;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && status.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    // Read to the end rather than trust the size: the file may be growing while a camera copies it.
    unsigned char chunk[1 << 16];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count == 0)
            return bytes;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError("Cannot read file", fileName, errno);
        }
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
}

}  // namespace

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    std::vector<unsigned char> data = ReadWholeFile(fileName);
    const JpegSize size = data.empty() ? JpegSize{} : ReadJpegSize(data.data(), data.size());
    FData = std::move(data);
    FSize = size;
    FBitmap = QImage();
}

void TJPEGImage::Draw(QPainter& painter, const QRect& dest)
{
    if (Empty() || dest.isEmpty())
        return;
    if (FBitmap.size() != dest.size()) {
        FBitmap = QImage();  // let go of the old bitmap before a zoom allocates a large one
        FBitmap = Render(dest.size());
    }
    painter.drawImage(dest.topLeft(), FBitmap);
}

QImage TJPEGImage::Render(QSize size) const
{
    QImage decoded;
    const int scale = ChooseJpegScale(FSize, {size.width(), size.height()});
    DecodeJpeg(FData.data(), FData.size(), scale, [&decoded](JpegSize rowsSize) {
        decoded = QImage(rowsSize.width, rowsSize.height, QImage::Format_RGB32);
        return decoded.isNull() ? JpegRows{} : JpegRows{decoded.bits(), decoded.bytesPerLine()};
    });
    if (decoded.size() == size)
        return decoded;
    return decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
