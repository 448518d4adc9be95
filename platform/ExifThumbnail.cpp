#include "platform/ExifThumbnail.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kApp1 = 0xE1;
constexpr unsigned kTagThumbnailOffset = 0x0201;
constexpr unsigned kTagThumbnailLength = 0x0202;
constexpr unsigned kTypeShort = 3;
constexpr unsigned kTypeLong = 4;
constexpr std::size_t kEntrySize = 12;
// Cameras put the EXIF block first; a file whose first segments are something else is looked at no further.
constexpr int kSegmentsLookedAt = 16;

// The TIFF structure inside the EXIF block: every read is bounds-checked against it.
class Tiff {
public:
    Tiff(const unsigned char* data, std::size_t size) : FData(data), FSize(size) {}

    bool ReadByteOrder()
    {
        if (FSize < 8)
            return false;
        if (FData[0] == 'I' && FData[1] == 'I')
            FBigEndian = false;
        else if (FData[0] == 'M' && FData[1] == 'M')
            FBigEndian = true;
        else
            return false;
        std::uint32_t magic = 0;
        return Read16(2, magic) && magic == 42;
    }

    bool Read16(std::uint64_t at, std::uint32_t& value) const
    {
        if (at + 2 > FSize)
            return false;
        const unsigned a = FData[at], b = FData[at + 1];
        value = FBigEndian ? (a << 8 | b) : (b << 8 | a);
        return true;
    }

    bool Read32(std::uint64_t at, std::uint32_t& value) const
    {
        std::uint32_t high = 0, low = 0;
        if (!Read16(at, FBigEndian ? high : low) || !Read16(at + 2, FBigEndian ? low : high))
            return false;
        value = high << 16 | low;
        return true;
    }

    // The offset of the IFD that follows the one at ifd; false when ifd does not fit.
    bool NextIfd(std::uint64_t ifd, std::uint32_t& next) const
    {
        std::uint32_t count = 0;
        return Read16(ifd, count) && Read32(ifd + 2 + count * kEntrySize, next);
    }

    // The value of a SHORT or LONG entry with the tag, of the IFD at ifd.
    bool Value(std::uint64_t ifd, unsigned tag, std::uint32_t& value) const
    {
        std::uint32_t count = 0;
        if (!Read16(ifd, count))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t entry = ifd + 2 + i * kEntrySize;
            std::uint32_t entryTag = 0, type = 0, items = 0;
            if (!Read16(entry, entryTag) || !Read16(entry + 2, type) || !Read32(entry + 4, items))
                return false;
            if (entryTag != tag)
                continue;
            if (items != 1)
                return false;
            if (type == kTypeShort)
                return Read16(entry + 8, value);
            return type == kTypeLong && Read32(entry + 8, value);
        }
        return false;
    }

    std::optional<ByteRange> Thumbnail() const
    {
        std::uint32_t ifd0 = 0, ifd1 = 0, offset = 0, length = 0;
        if (!Read32(4, ifd0) || !NextIfd(ifd0, ifd1) || ifd1 == 0 || !Value(ifd1, kTagThumbnailOffset, offset)
            || !Value(ifd1, kTagThumbnailLength, length))
            return std::nullopt;
        if (length < 4 || std::uint64_t(offset) + length > FSize)
            return std::nullopt;
        return ByteRange{offset, length};
    }

private:
    const unsigned char* FData;
    std::size_t FSize;
    bool FBigEndian = false;
};

// Cameras may pad the thumbnail with zeros after its end marker.
bool IsWholeJpeg(const unsigned char* data, std::size_t size)
{
    if (size < 4 || data[0] != kMarker || data[1] != kStartOfImage)
        return false;
    while (size > 4 && data[size - 1] == 0)
        --size;
    return data[size - 2] == kMarker && data[size - 1] == kEndOfImage;
}

std::optional<ByteRange> ThumbnailInExifBlock(const unsigned char* data, std::size_t size, std::size_t blockStart)
{
    static constexpr unsigned char kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (size < sizeof kExifHeader || std::memcmp(data, kExifHeader, sizeof kExifHeader) != 0)
        return std::nullopt;
    Tiff tiff(data + sizeof kExifHeader, size - sizeof kExifHeader);
    if (!tiff.ReadByteOrder())
        return std::nullopt;
    std::optional<ByteRange> thumbnail = tiff.Thumbnail();
    if (!thumbnail || !IsWholeJpeg(data + sizeof kExifHeader + thumbnail->offset, thumbnail->size))
        return std::nullopt;
    thumbnail->offset += blockStart + sizeof kExifHeader;
    return thumbnail;
}

}  // namespace

std::optional<ByteRange> FindExifThumbnail(const unsigned char* data, std::size_t size)
{
    if (size < 4 || data[0] != kMarker || data[1] != kStartOfImage)
        return std::nullopt;
    std::size_t at = 2;
    for (int segment = 0; segment < kSegmentsLookedAt && at + 4 <= size; ++segment) {
        if (data[at] != kMarker)
            return std::nullopt;
        const unsigned char marker = data[at + 1];
        if (marker == kStartOfScan || marker == kEndOfImage)
            return std::nullopt;
        const std::size_t length = std::size_t(data[at + 2]) << 8 | data[at + 3];  // counts itself, not the marker
        if (length < 2 || at + 2 + length > size)
            return std::nullopt;
        if (marker == kApp1)
            if (std::optional<ByteRange> thumbnail = ThumbnailInExifBlock(data + at + 4, length - 2, at + 4))
                return thumbnail;
        at += 2 + length;
    }
    return std::nullopt;
}
