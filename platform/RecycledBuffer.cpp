#include "platform/RecycledBuffer.h"

#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace {

struct Block {
    unsigned char* data;
    std::size_t capacity;
};

// Enough for the bytes of the picture shown, the one before it and a decode, or a zoom's bitmap;
// bounded so that the kept memory stays a fraction of what one large zoom takes anyway.
constexpr std::size_t kKeptBlocks = 4;
constexpr std::size_t kKeptBytes = 256u << 20;
// Below this, allocating is cheap and keeping is not worth it.
constexpr std::size_t kSmallestKept = 256u << 10;
constexpr std::size_t kStep = 1u << 20;

// Never destroyed: a picture may be let go of during the program's exit, after statics are gone.
std::vector<Block>& Kept()
{
    static auto* kept = new std::vector<Block>;
    return *kept;
}

// Room for the next photo being a little larger: pages never touched cost nothing.
std::size_t WithHeadroom(std::size_t size)
{
    if (size < kSmallestKept)
        return size;
    return (size + size / 8 + kStep - 1) / kStep * kStep;
}

// The smallest kept block that holds size without wasting more than it holds.
std::vector<Block>::iterator BestFit(std::size_t size)
{
    std::vector<Block>& kept = Kept();
    auto best = kept.end();
    for (auto block = kept.begin(); block != kept.end(); ++block)
        if (block->capacity >= size && block->capacity <= 2 * size + kStep && (best == kept.end() || block->capacity < best->capacity))
            best = block;
    return best;
}

}  // namespace

RecycledBuffer::RecycledBuffer(std::size_t size)
{
    std::vector<Block>& kept = Kept();
    if (auto block = BestFit(size); block != kept.end()) {
        FData = block->data;
        FCapacity = block->capacity;
        kept.erase(block);
        return;
    }
    FCapacity = WithHeadroom(size);
    FData = static_cast<unsigned char*>(std::malloc(FCapacity > 0 ? FCapacity : 1));
    if (!FData)
        throw std::bad_alloc();
}

RecycledBuffer::~RecycledBuffer()
{
    GiveBack();
}

RecycledBuffer::RecycledBuffer(RecycledBuffer&& other) noexcept
    : FData(std::exchange(other.FData, nullptr)), FCapacity(std::exchange(other.FCapacity, 0))
{
}

RecycledBuffer& RecycledBuffer::operator=(RecycledBuffer&& other) noexcept
{
    if (this != &other) {
        GiveBack();
        FData = std::exchange(other.FData, nullptr);
        FCapacity = std::exchange(other.FCapacity, 0);
    }
    return *this;
}

void RecycledBuffer::GiveBack()
{
    if (!FData)
        return;
    if (FCapacity < kSmallestKept) {
        std::free(std::exchange(FData, nullptr));
        return;
    }
    std::vector<Block>& kept = Kept();
    kept.push_back({std::exchange(FData, nullptr), FCapacity});
    std::size_t keptBytes = 0;
    for (const Block& block : kept)
        keptBytes += block.capacity;
    // The oldest go first.
    while (kept.size() > kKeptBlocks || keptBytes > kKeptBytes) {
        keptBytes -= kept.front().capacity;
        std::free(kept.front().data);
        kept.erase(kept.begin());
    }
    FCapacity = 0;
}
