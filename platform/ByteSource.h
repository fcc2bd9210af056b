// A source of bytes read by offset: the one way the parsers reach an untrusted file. A file
// is never mapped, so another program that shrinks or rewrites it while we read can only make
// a read fail, never bring the process down; the parsers treat a failed read as missing data.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

namespace glyphora {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The size the source had when it was opened; reads are only attempted inside it.
    virtual std::uint64_t size() const = 0;

    // Fills into with the bytes at offset. False when they lie outside size() or cannot be
    // delivered any more (the file was truncated or the system reported an error).
    virtual bool read(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
};

// Bytes already in memory (fuzz targets, tests, resources handed over whole). The caller
// keeps them alive and unchanged for as long as the source lives.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override
    {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset) return false;
        if (!into.empty()) std::memcpy(into.data(), bytes_.data() + offset, into.size());
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace glyphora
