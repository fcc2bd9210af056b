// The DOS header's e_lfanew and the signature it leads to.
#include "formats/MzHeader.h"

#include "formats/ByteReader.h"

#include <array>

namespace glyphora {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D; // "MZ"
constexpr std::uint64_t kDosHeaderSize = 64;
constexpr std::uint64_t kLfanewOffset = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kNeSignature = 0x454E;     // "NE"

} // namespace

std::optional<std::uint64_t> NewHeaderOffset(const SourceReader& file)
{
    const auto dosBytes = file.copy(0, kDosHeaderSize);
    if (!dosBytes) return std::nullopt;
    const ByteReader dos(*dosBytes);
    if (dos.u16(0) != kDosMagic) return std::nullopt;
    return *dos.u32(kLfanewOffset);
}

ModuleFormat DetectModuleFormat(const SourceReader& file)
{
    const auto at = NewHeaderOffset(file);
    if (!at) return ModuleFormat::Unknown;
    std::array<std::uint8_t, 4> signature{};
    if (file.read(*at, signature) && ByteReader(signature).u32(0) == kPeSignature) return ModuleFormat::Pe;
    if (file.read(*at, std::span(signature).first(2)) && ByteReader(signature).u16(0) == kNeSignature)
        return ModuleFormat::Ne;
    return ModuleFormat::Unknown;
}

} // namespace glyphora
