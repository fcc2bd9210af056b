// The block cache of SourceReader: least recently used blocks are reloaded; a large range
// goes to the source in one read and bypasses the cache.
#include "formats/SourceReader.h"

#include <algorithm>
#include <cstring>

namespace glyphora {

const SourceReader::Block* SourceReader::block(std::uint64_t index) const
{
    Block* victim = &blocks_[0];
    for (Block& b : blocks_) {
        if (b.index == index) {
            b.lastUse = ++clock_;
            return &b;
        }
        if (b.lastUse < victim->lastUse) victim = &b;
    }
    const std::uint64_t start = index * kBlockSize;
    victim->index = UINT64_MAX;
    victim->bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - start)));
    if (!source_->read(start, victim->bytes)) {
        readFailed_ = true;
        return nullptr;
    }
    victim->index = index;
    victim->lastUse = ++clock_;
    return victim;
}

bool SourceReader::read(std::uint64_t offset, std::span<std::uint8_t> into) const
{
    if (!contains(offset, into.size())) return false;
    if (into.size() >= kBlockSize) {
        if (source_->read(offset, into)) return true;
        readFailed_ = true;
        return false;
    }
    std::size_t done = 0;
    while (done < into.size()) {
        const std::uint64_t at = offset + done;
        const Block* b = block(at / kBlockSize);
        if (b == nullptr) return false;
        const std::size_t inBlock = static_cast<std::size_t>(at % kBlockSize);
        const std::size_t n = std::min(into.size() - done, b->bytes.size() - inBlock);
        std::memcpy(into.data() + done, b->bytes.data() + inBlock, n);
        done += n;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> SourceReader::copy(std::uint64_t offset, std::uint64_t length) const
{
    if (!contains(offset, length)) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (!read(offset, bytes)) return std::nullopt;
    return bytes;
}

} // namespace glyphora
