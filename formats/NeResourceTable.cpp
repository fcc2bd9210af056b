// Reads the resource table of an NE module and the bytes of its resources. The NE header and
// the table are each copied out of the file in one bounded read and their fields come
// through ByteReader; unit counts become byte offsets in 64-bit arithmetic.
#include "formats/NeResourceTable.h"

#include "formats/ByteReader.h"
#include "formats/IconImageDecoder.h"
#include "formats/MzHeader.h"
#include "formats/ResourceNameText.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr std::uint64_t kNeHeaderSize = 0x40;
constexpr std::uint16_t kNeSignature = 0x454E; // "NE"
constexpr std::uint64_t kResourceTableField = 0x24;
constexpr std::uint64_t kResidentNamesField = 0x26;
constexpr std::uint64_t kTargetOsField = 0x36;
constexpr std::uint8_t kTargetOs2 = 1;
// The header reaches the table and the one after it by 16-bit offsets.
constexpr std::uint64_t kMaxTableBytes = 0x10000;
constexpr std::uint64_t kTypeRecordSize = 8;
constexpr std::uint64_t kEntrySize = 12;
// Type and resource ids with the high bit set are numbers; others are name offsets.
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kIconType = kIntegerId | static_cast<std::uint16_t>(ResourceType::Icon);
constexpr std::uint16_t kGroupIconType = kIntegerId | static_cast<std::uint16_t>(ResourceType::GroupIcon);
// 0xFFFF << 32 already lies far past any NE file; larger shifts are refused before a unit
// count shifted by them could overflow 64 bits.
constexpr std::uint16_t kMaxAlignShift = 32;
// Names are stored once each in a sound table, so their UTF-8 text (at most three bytes per
// ANSI byte) cannot outgrow three times the table; entries that all point at one long name
// must not make us copy it endlessly.
constexpr std::uint64_t kNameBudgetSlack = 4096;
constexpr std::uint64_t kGroupHeaderSize = 6;
constexpr std::uint64_t kGroupEntrySize = 14;

// The counted string at offset at of the table, within the table; nullopt when it runs past
// the table's end or the budget is spent.
std::optional<std::string> ReadName(const ByteReader& table, std::uint64_t at, std::uint64_t& budget)
{
    const auto length = table.u8(at);
    if (!length) return std::nullopt;
    const auto text = table.slice(at + 1, *length);
    if (!text) return std::nullopt;
    std::string utf8 = AnsiToUtf8(*text);
    if (utf8.size() > budget) return std::nullopt;
    budget -= utf8.size();
    return utf8;
}

// Where a resource ends by its own header, when its type has one.
std::optional<std::uint64_t> OwnExtent(ResourceType type, std::span<const std::uint8_t> bytes)
{
    if (type == ResourceType::Icon) return IconImageExtent(bytes);
    const auto count = ByteReader(bytes).u16(4);
    if (!count) return std::nullopt;
    return kGroupHeaderSize + kGroupEntrySize * *count;
}

} // namespace

void NeResourceList::add(NeResource resource)
{
    const std::size_t index = resources_.size();
    if (resource.name.isString)
        byFoldedName_.emplace(FoldedNameKey(resource.name.text), index);
    else
        byId_.emplace(resource.name.id, index);
    resources_.push_back(std::move(resource));
}

const NeResource* NeResourceList::find(const ResourceName& name) const
{
    if (name.isString) {
        const auto it = byFoldedName_.find(FoldedNameKey(name.text));
        return it == byFoldedName_.end() ? nullptr : &resources_[it->second];
    }
    const auto it = byId_.find(name.id);
    return it == byId_.end() ? nullptr : &resources_[it->second];
}

std::optional<NeResourceTable> NeResourceTable::Read(const SourceReader& file)
{
    const auto ne = NewHeaderOffset(file);
    if (!ne) return std::nullopt;
    const auto headerBytes = file.copy(*ne, kNeHeaderSize);
    if (!headerBytes) return std::nullopt;
    const ByteReader header(*headerBytes);
    if (header.u16(0) != kNeSignature || header.u8(kTargetOsField) == kTargetOs2) return std::nullopt;

    NeResourceTable table;
    const std::uint64_t tableAt = *header.u16(kResourceTableField);
    const std::uint64_t namesAt = *header.u16(kResidentNamesField);
    if (tableAt == namesAt) return table; // the module has no resources

    // The table ends where the resident-name table begins; where the header does not say,
    // it ends after the most an NE table can hold, or with the file.
    const std::uint64_t start = *ne + tableAt;
    if (start >= file.size()) return std::nullopt;
    const std::uint64_t end = std::min(namesAt > tableAt ? *ne + namesAt : start + kMaxTableBytes, file.size());
    const auto tableBytes = file.copy(start, end - start);
    if (!tableBytes) return std::nullopt;
    const ByteReader r(*tableBytes);
    const auto shift = r.u16(0);
    if (!shift) return std::nullopt;
    table.alignShift_ = *shift;

    std::uint64_t nameBudget = 3 * r.size() + kNameBudgetSlack;
    bool iconsSeen = false, groupsSeen = false;
    std::uint64_t at = 2;
    while (true) {
        const auto typeId = r.u16(at);
        const auto count = r.u16(at + 2);
        if (!typeId || *typeId == 0 || !count) break;
        const std::uint64_t entries = at + kTypeRecordSize;
        if (!r.contains(entries, *count * kEntrySize)) break;
        at = entries + *count * kEntrySize;

        NeResourceList* list = nullptr;
        if (*typeId == kIconType && !iconsSeen) list = &table.icons_, iconsSeen = true;
        if (*typeId == kGroupIconType && !groupsSeen) list = &table.groups_, groupsSeen = true;
        if (list == nullptr) continue;
        for (std::uint64_t i = 0; i < *count; ++i) {
            const std::uint64_t entry = entries + i * kEntrySize;
            NeResource resource;
            resource.offsetUnits = *r.u16(entry);
            resource.lengthUnits = *r.u16(entry + 2);
            const std::uint16_t id = *r.u16(entry + 6);
            if ((id & kIntegerId) != 0) {
                resource.name = ResourceName{false, {}, static_cast<std::uint16_t>(id & ~kIntegerId)};
            } else {
                auto text = ReadName(r, id, nameBudget);
                if (!text) continue;
                resource.name = ResourceName{true, std::move(*text), 0};
            }
            list->add(std::move(resource));
        }
    }
    return table;
}

std::optional<std::vector<std::uint8_t>> NeResourceData(const SourceReader& file, const NeResourceTable& table,
                                                        ResourceType type, const NeResource& resource,
                                                        std::uint64_t limit)
{
    const std::uint16_t shift = table.alignShift();
    if (shift > kMaxAlignShift) return std::nullopt;
    const std::uint64_t offset = std::uint64_t{resource.offsetUnits} << shift;
    const std::uint64_t length = std::uint64_t{resource.lengthUnits} << shift;
    if (offset > file.size()) return std::nullopt;
    const std::uint64_t held = std::min(length, file.size() - offset);
    if (held > kMaxResourceBytes) return std::nullopt;
    // A resource inside the file is copied as far as asked; one that the end of the file cuts
    // is read as far as the file goes, to see whether only its padding is missing.
    const bool whole = held == length;
    auto bytes = file.copy(offset, whole ? std::min(held, limit) : held);
    if (!bytes) return std::nullopt;

    // The padding after the resource's own end is less than one unit.
    const auto extent = OwnExtent(type, *bytes);
    if (extent && *extent <= held && length - *extent < (std::uint64_t{1} << shift)) {
        if (*extent < bytes->size()) bytes->resize(static_cast<std::size_t>(*extent));
    } else if (!whole) {
        return std::nullopt;
    }
    if (bytes->size() > limit) bytes->resize(static_cast<std::size_t>(limit));
    return bytes;
}

} // namespace glyphora
