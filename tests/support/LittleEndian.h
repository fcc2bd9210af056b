// Little-endian stores into a growing byte buffer, for the test-only file builders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphora::testing {

// Writes value at at, growing out first when it is too short.
inline void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    if (out.size() < at + 2) out.resize(at + 2);
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

inline std::size_t AlignUp(std::size_t value, std::size_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

} // namespace glyphora::testing
