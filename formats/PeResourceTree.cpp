// Walks and indexes the three-level resource tree of a PE module. Directory offsets and
// name offsets are relative to the root of the tree; data entries hold plain RVAs. Every
// structure is copied out of the file with one bounded read before its fields are looked at.
#include "formats/PeResourceTree.h"

#include "formats/ByteReader.h"
#include "formats/ResourceNameText.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint64_t kDirectoryHeaderSize = 16;
constexpr std::uint64_t kDirectoryEntrySize = 8;
constexpr std::uint64_t kDataEntrySize = 16;
// Names are stored once each in a sound file, so their text cannot outgrow the file; a
// file whose entries all point at one long name must not make us copy it endlessly.
constexpr std::uint64_t kNameBudgetSlack = 4096;
// No resource we read is larger: icon images stay far below it, and it bounds what one data
// entry of a huge file can make us allocate.
constexpr std::uint64_t kMaxResourceBytes = 256u * 1024u * 1024u;

// The bytes of [rva, rva + length) when one section backs all of them and they can be read.
std::optional<std::vector<std::uint8_t>> CopyAtRva(const PeImage& image, std::uint64_t rva, std::uint64_t length)
{
    const auto at = image.fileOffset(rva, length);
    if (!at) return std::nullopt;
    return image.file().copy(*at, length);
}

bool IsString(std::uint32_t nameField)
{
    return (nameField & kHighBit) != 0;
}
bool IsDirectory(std::uint32_t target)
{
    return (target & kHighBit) != 0;
}
std::uint32_t OffsetOf(std::uint32_t field)
{
    return field & ~kHighBit;
}

} // namespace

const IndexedResource* ResourceTypeIndex::find(const ResourceName& name) const
{
    if (name.isString) {
        auto it = byFoldedName_.find(FoldedNameKey(name.text));
        return it == byFoldedName_.end() ? nullptr : &resources_[it->second];
    }
    const auto ids = std::span(resources_).subspan(stringCount_);
    auto it = std::lower_bound(ids.begin(), ids.end(), name.id,
                               [](const IndexedResource& r, std::uint16_t id) { return r.name.id < id; });
    return it != ids.end() && it->name.id == name.id ? &*it : nullptr;
}

std::optional<ResourceTreeReader> ResourceTreeReader::Open(const PeImage& image)
{
    ResourceTreeReader reader(image);
    reader.nameBudget_ = 2 * static_cast<std::uint64_t>(image.file().size()) + kNameBudgetSlack;
    if (image.resourceRva() == 0) return reader;
    if (!reader.readDirectory(0)) return std::nullopt;
    return reader;
}

std::optional<std::vector<ResourceTreeReader::Entry>> ResourceTreeReader::readDirectory(std::uint64_t offset) const
{
    const std::uint64_t rva = std::uint64_t{image_->resourceRva()} + offset;
    const auto headerBytes = CopyAtRva(*image_, rva, kDirectoryHeaderSize);
    if (!headerBytes) return std::nullopt;
    const ByteReader header(*headerBytes);
    // The counts are untrusted: no more entries than the section holds after the header.
    const std::uint64_t declared = std::uint64_t{*header.u16(12)} + *header.u16(14);
    const std::uint64_t backed = image_->backedBytesAt(rva);
    const std::uint64_t fits =
        backed > kDirectoryHeaderSize ? (backed - kDirectoryHeaderSize) / kDirectoryEntrySize : 0;
    const std::uint64_t count = std::min(declared, fits);
    const auto tableBytes = CopyAtRva(*image_, rva + kDirectoryHeaderSize, count * kDirectoryEntrySize);
    if (!tableBytes) return std::nullopt;
    const ByteReader table(*tableBytes);

    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = i * kDirectoryEntrySize;
        entries.push_back({*table.u32(at), *table.u32(at + 4)});
    }
    return entries;
}

bool ResourceTreeReader::enterDirectory(std::uint32_t target)
{
    return IsDirectory(target) && entered_.insert(OffsetOf(target)).second;
}

std::optional<std::string> ResourceTreeReader::readName(std::uint32_t nameField)
{
    const std::uint64_t rva = std::uint64_t{image_->resourceRva()} + OffsetOf(nameField);
    const auto lengthBytes = CopyAtRva(*image_, rva, 2);
    if (!lengthBytes) return std::nullopt;
    const std::uint64_t length = *ByteReader(*lengthBytes).u16(0);
    // UTF-8 takes at most three bytes per UTF-16 unit.
    if (3 * length > nameBudget_) return std::nullopt;
    const auto textBytes = CopyAtRva(*image_, rva + 2, 2 * length);
    if (!textBytes) return std::nullopt;
    const ByteReader text(*textBytes);

    std::vector<char16_t> units(static_cast<std::size_t>(length));
    for (std::uint64_t i = 0; i < length; ++i)
        units[i] = static_cast<char16_t>(*text.u16(2 * i));
    std::string utf8 = Utf16ToUtf8(units);
    nameBudget_ -= utf8.size();
    return utf8;
}

ResourceTypeIndex ResourceTreeReader::indexType(std::uint16_t type)
{
    ResourceTypeIndex index;
    if (image_->resourceRva() == 0) return index;
    entered_ = {0};

    const auto types = readDirectory(0);
    if (!types) return index;
    const auto typeEntry =
        std::find_if(types->begin(), types->end(), [&](const Entry& e) { return !IsString(e.name) && e.name == type; });
    if (typeEntry == types->end() || !enterDirectory(typeEntry->target)) return index;
    const auto names = readDirectory(OffsetOf(typeEntry->target));
    if (!names) return index;

    std::vector<IndexedResource> strings, ids;
    for (const Entry& nameEntry : *names) {
        if (!enterDirectory(nameEntry.target)) continue;
        const auto languages = readDirectory(OffsetOf(nameEntry.target));
        if (!languages) continue;

        IndexedResource resource;
        if (IsString(nameEntry.name)) {
            auto text = readName(nameEntry.name);
            if (!text) continue;
            resource.name = ResourceName{true, std::move(*text), 0};
        } else {
            resource.name = ResourceName{false, {}, static_cast<std::uint16_t>(nameEntry.name)};
        }
        // The third level holds data entries; a directory here would be a fourth level.
        for (const Entry& languageEntry : *languages) {
            if (IsString(languageEntry.name) || IsDirectory(languageEntry.target)) continue;
            resource.variants.push_back({static_cast<std::uint16_t>(languageEntry.name), languageEntry.target});
        }
        (resource.name.isString ? strings : ids).push_back(std::move(resource));
    }

    // Numeric names come out ascending whatever order the file keeps them in.
    std::stable_sort(ids.begin(), ids.end(),
                     [](const IndexedResource& a, const IndexedResource& b) { return a.name.id < b.name.id; });
    index.stringCount_ = strings.size();
    index.resources_ = std::move(strings);
    index.resources_.insert(index.resources_.end(), std::make_move_iterator(ids.begin()),
                            std::make_move_iterator(ids.end()));
    for (std::size_t i = 0; i < index.stringCount_; ++i)
        index.byFoldedName_.emplace(FoldedNameKey(index.resources_[i].name.text), i);
    return index;
}

std::optional<std::vector<std::uint8_t>> ResourceData(const PeImage& image, std::uint32_t dataEntry,
                                                      std::uint64_t limit)
{
    const auto entryBytes = CopyAtRva(image, std::uint64_t{image.resourceRva()} + dataEntry, kDataEntrySize);
    if (!entryBytes) return std::nullopt;
    const ByteReader entry(*entryBytes);
    const std::uint32_t dataRva = *entry.u32(0);
    const std::uint32_t size = *entry.u32(4);
    if (size > kMaxResourceBytes) return std::nullopt;
    if (limit >= size) return CopyAtRva(image, dataRva, size);
    const auto at = image.fileOffset(dataRva, size);
    if (!at) return std::nullopt;
    return image.file().copy(*at, limit);
}

} // namespace glyphora
