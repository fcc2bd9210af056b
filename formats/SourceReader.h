// Bounds-checked reads of an untrusted ByteSource. Byte ranges are copied out (small ones
// through a small block cache, so that walking a resource tree costs few system calls) and
// then parsed with ByteReader; nothing ever points into the file. The cache holds at most
// kCacheBlocks x kBlockSize bytes whatever the size of the file, and a read that fails inside
// the source's size (the file was truncated or rewritten under us) is remembered.
#pragma once

#include "platform/ByteSource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glyphora {

class SourceReader {
public:
    static constexpr std::size_t kBlockSize = 16 * 1024;
    static constexpr std::size_t kCacheBlocks = 16;

    explicit SourceReader(const ByteSource& source) : source_(&source), size_(source.size()) {}
    SourceReader(const SourceReader&) = delete;
    SourceReader& operator=(const SourceReader&) = delete;

    std::uint64_t size() const { return size_; }

    // True when [offset, offset + length) lies inside the source.
    bool contains(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= size_ && length <= size_ - offset;
    }

    // Fills into with the bytes at offset; false when they lie outside or cannot be read.
    bool read(std::uint64_t offset, std::span<std::uint8_t> into) const;

    // A copy of [offset, offset + length); nullopt when it lies outside or cannot be read.
    std::optional<std::vector<std::uint8_t>> copy(std::uint64_t offset, std::uint64_t length) const;

    // True once a read inside the source's size has failed: the file changed while we read it.
    bool readFailed() const { return readFailed_; }

private:
    struct Block {
        std::uint64_t index = UINT64_MAX;
        std::uint64_t lastUse = 0;
        std::vector<std::uint8_t> bytes;
    };
    // The cached block with that index, loaded when needed; nullptr when it cannot be read.
    const Block* block(std::uint64_t index) const;

    const ByteSource* source_;
    std::uint64_t size_;
    mutable std::array<Block, kCacheBlocks> blocks_{};
    mutable std::uint64_t clock_ = 0;
    mutable bool readFailed_ = false;
};

} // namespace glyphora
