// Bounds-checked little-endian reads over untrusted bytes. Every read names an absolute
// offset and fails softly (std::nullopt / false) instead of touching memory past the end;
// offsets and sizes are combined in 64-bit arithmetic so that no sum can wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace glyphora {

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    // True when [offset, offset + length) lies inside the buffer.
    bool contains(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    std::optional<std::uint8_t> u8(std::uint64_t offset) const
    {
        if (!contains(offset, 1)) return std::nullopt;
        return bytes_[offset];
    }
    std::optional<std::uint16_t> u16(std::uint64_t offset) const
    {
        if (!contains(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const
    {
        if (!contains(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::optional<std::int32_t> i32(std::uint64_t offset) const
    {
        auto v = u32(offset);
        if (!v) return std::nullopt;
        return static_cast<std::int32_t>(*v);
    }
    std::optional<std::uint64_t> u64(std::uint64_t offset) const
    {
        auto lo = u32(offset), hi = u32(offset + 4);
        if (!lo || !hi) return std::nullopt;
        return (static_cast<std::uint64_t>(*hi) << 32) | *lo;
    }

    // A sub-view of length bytes at offset, or nullopt when it does not fit.
    std::optional<std::span<const std::uint8_t>> slice(std::uint64_t offset, std::uint64_t length) const
    {
        if (!contains(offset, length)) return std::nullopt;
        return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace glyphora
