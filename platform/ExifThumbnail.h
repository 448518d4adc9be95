#pragma once
#include <cstddef>
#include <optional>

// Where a byte range lies within a larger block.
struct ByteRange {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The JPEG thumbnail a camera stores in a JPEG file's EXIF block (APP1 "Exif", IFD1's
// JPEGInterchangeFormat and JPEGInterchangeFormatLength). The data may be hostile: every offset is
// checked against the block it points into, and anything out of place means there is no thumbnail.
// The range lies inside the EXIF block, starts with a start-of-image marker and ends with an
// end-of-image marker.
std::optional<ByteRange> FindExifThumbnail(const unsigned char* data, std::size_t size);
