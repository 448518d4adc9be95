#pragma once
#include <cstddef>

// Memory for file data and bitmaps that is kept for the next picture when its owner lets go of it.
// Fresh memory costs a page fault per 4 KB page when first touched, 2.4 ms a megabyte or more on the
// machines Picsift runs on: reading a 9 MB photo into fresh memory took longer than decoding its
// preview, and a 24-megapixel bitmap waited a quarter of a second before its first row.
// GUI thread only.
class RecycledBuffer {
public:
    RecycledBuffer() = default;
    // At least size bytes, not initialised: a kept block when one fits, else a new one.
    explicit RecycledBuffer(std::size_t size);
    ~RecycledBuffer();
    RecycledBuffer(RecycledBuffer&& other) noexcept;
    RecycledBuffer& operator=(RecycledBuffer&& other) noexcept;
    RecycledBuffer(const RecycledBuffer&) = delete;
    RecycledBuffer& operator=(const RecycledBuffer&) = delete;

    unsigned char* Data() const { return FData; }
    std::size_t Capacity() const { return FCapacity; }

private:
    void GiveBack();

    unsigned char* FData = nullptr;
    std::size_t FCapacity = 0;
};
