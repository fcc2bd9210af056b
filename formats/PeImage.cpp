// Header parsing and RVA mapping of PE modules. Each header is copied out of the file in one
// bounded read and its fields come through ByteReader; offsets are added in 64-bit arithmetic
// so no sum wraps.
#include "formats/PeImage.h"

#include "formats/ByteReader.h"
#include "formats/MzHeader.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint64_t kCoffHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kDataDirectorySize = 8;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
// The loader refuses modules with more sections than this; it also bounds every lookup.
constexpr std::uint16_t kMaxSections = 96;

struct OptionalHeaderLayout {
    std::uint64_t rvaCountOffset; // NumberOfRvaAndSizes
    std::uint64_t directoriesOffset;
};
constexpr OptionalHeaderLayout kPe32Layout{92, 96};
constexpr OptionalHeaderLayout kPe32PlusLayout{108, 112};

} // namespace

std::optional<PeImage> PeImage::Parse(const SourceReader& file)
{
    PeImage image;
    image.file_ = &file;

    const auto newHeader = NewHeaderOffset(file);
    if (!newHeader) return std::nullopt;
    const std::uint64_t peOffset = *newHeader;

    // Signature and COFF header, then the optional header whose size the COFF header gives.
    const auto coffBytes = file.copy(peOffset, 4 + kCoffHeaderSize);
    if (!coffBytes) return std::nullopt;
    const ByteReader coff(*coffBytes);
    if (coff.u32(0) != kPeSignature) return std::nullopt;
    const std::uint16_t sectionCount = *coff.u16(4 + 2);
    const std::uint64_t optionalSize = *coff.u16(4 + 16);
    const std::uint64_t optionalAt = peOffset + 4 + kCoffHeaderSize;
    if (optionalSize < 2) return std::nullopt;
    const auto optionalBytes = file.copy(optionalAt, optionalSize);
    if (!optionalBytes) return std::nullopt;
    const ByteReader optional(*optionalBytes);

    const std::uint16_t magic = *optional.u16(0);
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return std::nullopt;
    image.pe32Plus_ = magic == kPe32PlusMagic;
    const auto& layout = image.pe32Plus_ ? kPe32PlusLayout : kPe32Layout;
    if (optionalSize < layout.directoriesOffset) return std::nullopt;

    // The resource directory counts only when the header declares it and has room for it.
    const std::uint32_t rvaCount = *optional.u32(layout.rvaCountOffset);
    const std::uint64_t resourceEntry = layout.directoriesOffset + kResourceDirectoryIndex * kDataDirectorySize;
    if (rvaCount > kResourceDirectoryIndex && resourceEntry + kDataDirectorySize <= optionalSize)
        image.resourceRva_ = *optional.u32(resourceEntry);

    if (sectionCount > kMaxSections) return std::nullopt;
    const auto tableBytes = file.copy(optionalAt + optionalSize, sectionCount * kSectionHeaderSize);
    if (!tableBytes) return std::nullopt;
    const ByteReader table(*tableBytes);
    image.sections_.reserve(sectionCount);
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        const std::uint64_t header = i * kSectionHeaderSize;
        const std::uint64_t virtualSize = *table.u32(header + 8);
        const std::uint64_t rawSize = *table.u32(header + 16);
        Section s;
        s.virtualAddress = *table.u32(header + 12);
        s.rawOffset = *table.u32(header + 20);
        // A virtual size of 0 is written by some linkers to mean "the raw size".
        s.backedSize = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        // Raw data running past the end of the file is cut to what the file holds.
        const std::uint64_t inFile = s.rawOffset < file.size() ? file.size() - s.rawOffset : 0;
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
        if (file_->contains(offset, length)) return offset;
    }
    return std::nullopt;
}

} // namespace glyphora
