// Header parsing and RVA mapping of PE modules. Every field comes through ByteReader;
// offsets are added in 64-bit arithmetic so no sum wraps.
#include "formats/PeImage.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;         // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint64_t kDosHeaderSize = 64;
constexpr std::uint64_t kLfanewOffset = 0x3C;
constexpr std::uint64_t kCoffHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kDataDirectorySize = 8;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
// The loader refuses modules with more sections than this; it also bounds every lookup.
constexpr std::uint16_t kMaxSections = 96;

struct OptionalHeaderLayout {
    std::uint64_t rvaCountOffset;   // NumberOfRvaAndSizes
    std::uint64_t directoriesOffset;
};
constexpr OptionalHeaderLayout kPe32Layout{92, 96};
constexpr OptionalHeaderLayout kPe32PlusLayout{108, 112};

} // namespace

std::optional<PeImage> PeImage::Parse(std::span<const std::uint8_t> bytes)
{
    PeImage image;
    image.file_ = ByteReader(bytes);
    const ByteReader& r = image.file_;

    if (!r.contains(0, kDosHeaderSize) || r.u16(0) != kDosMagic) return std::nullopt;
    const std::uint64_t peOffset = *r.u32(kLfanewOffset);
    if (r.u32(peOffset) != kPeSignature) return std::nullopt;

    const std::uint64_t coff = peOffset + 4;
    if (!r.contains(coff, kCoffHeaderSize)) return std::nullopt;
    const std::uint16_t sectionCount = *r.u16(coff + 2);
    const std::uint64_t optionalSize = *r.u16(coff + 16);
    const std::uint64_t optional = coff + kCoffHeaderSize;

    const auto magic = r.u16(optional);
    if (!magic || optionalSize < 2) return std::nullopt;
    if (*magic != kPe32Magic && *magic != kPe32PlusMagic) return std::nullopt;
    image.pe32Plus_ = *magic == kPe32PlusMagic;
    const auto& layout = image.pe32Plus_ ? kPe32PlusLayout : kPe32Layout;
    if (optionalSize < layout.directoriesOffset || !r.contains(optional, optionalSize)) return std::nullopt;

    // The resource directory counts only when the header declares it and has room for it.
    const std::uint32_t rvaCount = *r.u32(optional + layout.rvaCountOffset);
    const std::uint64_t resourceEntry = layout.directoriesOffset + kResourceDirectoryIndex * kDataDirectorySize;
    if (rvaCount > kResourceDirectoryIndex && resourceEntry + kDataDirectorySize <= optionalSize)
        image.resourceRva_ = *r.u32(optional + resourceEntry);

    if (sectionCount > kMaxSections) return std::nullopt;
    const std::uint64_t table = optional + optionalSize;
    if (!r.contains(table, sectionCount * kSectionHeaderSize)) return std::nullopt;
    image.sections_.reserve(sectionCount);
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        const std::uint64_t header = table + i * kSectionHeaderSize;
        const std::uint64_t virtualSize = *r.u32(header + 8);
        const std::uint64_t rawSize = *r.u32(header + 16);
        Section s;
        s.virtualAddress = *r.u32(header + 12);
        s.rawOffset = *r.u32(header + 20);
        // A virtual size of 0 is written by some linkers to mean "the raw size".
        s.backedSize = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        // Raw data running past the end of the file is cut to what the file holds.
        const std::uint64_t inFile = s.rawOffset < r.size() ? r.size() - s.rawOffset : 0;
        s.backedSize = std::min(s.backedSize, inFile);
        image.sections_.push_back(s);
    }
    return image;
}

std::uint64_t PeImage::backedBytesAt(std::uint64_t rva) const
{
    for (const auto& s : sections_) {
        if (rva >= s.virtualAddress && rva - s.virtualAddress < s.backedSize)
            return s.backedSize - (rva - s.virtualAddress);
    }
    return 0;
}

std::optional<std::uint64_t> PeImage::fileOffset(std::uint64_t rva, std::uint64_t length) const
{
    for (const auto& s : sections_) {
        if (rva < s.virtualAddress) continue;
        const std::uint64_t delta = rva - s.virtualAddress;
        if (delta > s.backedSize || length > s.backedSize - delta) continue;
        // A zero-length range still has to name a byte of the section or its end.
        const std::uint64_t offset = s.rawOffset + delta;
        if (file_.contains(offset, length)) return offset;
    }
    return std::nullopt;
}

} // namespace glyphora
