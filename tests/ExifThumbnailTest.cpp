#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ExifThumbnail.h"
#include "tests/support/JpegFixtures.h"

namespace {

struct Photo {
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> thumbnail;
    ExifThumbnailFields fields;
};

Photo PhotoWithThumbnail()
{
    Photo photo;
    photo.thumbnail = MakeJpeg({.width = 32, .height = 24, .solid = 0x204080});
    photo.bytes = WithExifThumbnail(MakeJpeg({.width = 96, .height = 64}), photo.thumbnail, &photo.fields);
    return photo;
}

std::optional<ByteRange> Find(const std::vector<unsigned char>& bytes)
{
    return FindExifThumbnail(bytes.data(), bytes.size());
}

}  // namespace

TEST(ExifThumbnail, IsFoundWhereIfd1SaysItIs)
{
    const Photo photo = PhotoWithThumbnail();
    const std::optional<ByteRange> found = Find(photo.bytes);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->offset, photo.fields.thumbnail);
    ASSERT_EQ(found->size, photo.thumbnail.size());
    EXPECT_TRUE(std::equal(photo.thumbnail.begin(), photo.thumbnail.end(), photo.bytes.begin() + found->offset));
}

TEST(ExifThumbnail, FilesWithoutOneHaveNone)
{
    EXPECT_FALSE(Find(MakeJpeg({.width = 96, .height = 64})));
    EXPECT_FALSE(Find(MakePng(8, 8)));
    EXPECT_FALSE(Find({}));
}

// Every damage leads to no thumbnail rather than to one read from the wrong bytes, or outside them.
TEST(ExifThumbnail, DamagedFieldsMeanNoThumbnail)
{
    struct Case {
        const char* damage;
        std::function<void(std::vector<unsigned char>&, const ExifThumbnailFields&)> apply;
    };
    const Case cases[] = {
        {"offset beyond the EXIF block", [](auto& b, auto& f) { PutLittleEndian32(b, f.thumbnailOffset, 60000); }},
        {"offset that wraps around", [](auto& b, auto& f) { PutLittleEndian32(b, f.thumbnailOffset, 0xFFFFFFF0u); }},
        {"length beyond the EXIF block", [](auto& b, auto& f) { PutLittleEndian32(b, f.thumbnailLength, 0x7FFFFFFFu); }},
        {"length too short to end", [](auto& b, auto& f) { PutLittleEndian32(b, f.thumbnailLength, 20); }},
        {"IFD1 beyond the block", [](auto& b, auto& f) { PutLittleEndian32(b, f.nextIfdOffset, 0xFFFFFF00u); }},
        {"no IFD1", [](auto& b, auto& f) { PutLittleEndian32(b, f.nextIfdOffset, 0); }},
        {"IFD1 pointing at IFD0", [](auto& b, auto& f) { PutLittleEndian32(b, f.nextIfdOffset, 8); }},
        {"not a TIFF byte order", [](auto& b, auto& f) { b[f.tiffHeader] = 'X'; }},
        {"thumbnail not starting as a JPEG", [](auto& b, auto& f) { b[f.thumbnail + 1] = 0x00; }},
        {"EXIF block longer than the file", [](auto& b, auto&) { b[4] = 0xFF; b.resize(b.size() / 2); }},
    };
    for (const Case& c : cases) {
        Photo photo = PhotoWithThumbnail();
        c.apply(photo.bytes, photo.fields);
        EXPECT_FALSE(Find(photo.bytes)) << c.damage;
    }
}

// Cut anywhere, as a file still being copied is: never a range outside what is there.
TEST(ExifThumbnail, ACutFileNeverGivesARangeOutsideIt)
{
    const Photo photo = PhotoWithThumbnail();
    const std::size_t end = photo.fields.thumbnail + photo.thumbnail.size() + 8;
    for (std::size_t keep = 0; keep < end; ++keep) {
        const std::vector<unsigned char> cut = Truncated(photo.bytes, keep);
        if (const std::optional<ByteRange> found = Find(cut)) {
            EXPECT_LE(found->offset + found->size, keep) << keep;
        }
    }
}
