// Writes the modules described by NeBuilder: a DOS header, the NE header, the resource table
// with its names, the resident-name table, the resources each starting on an alignment unit,
// and the requested damage.
#include "tests/support/NeBuilder.h"

#include "platform/Files.h"
#include "tests/support/LittleEndian.h"

#include <algorithm>
#include <stdexcept>

namespace glyphora::testing {

namespace {

constexpr std::size_t kNeOffset = 0x40;
constexpr std::size_t kNeHeaderSize = 0x40;
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kGroupIconType = 14;
constexpr std::uint16_t kFillerType = kIntegerId | 10; // RT_RCDATA, in records without entries
constexpr std::uint16_t kLoopType = kIntegerId | 15;
constexpr std::uint16_t kEntryFlags = 0x1C30; // moveable, pure, discardable
constexpr int kRepeats = 200;

void Append16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, out.size(), value);
}

std::uint32_t Get32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at + 4 > bytes.size()) throw std::invalid_argument("NeBuilder: the .ico file is cut short");
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

} // namespace

NeBuilder& NeBuilder::addResource(Name type, Name name, std::vector<std::uint8_t> data)
{
    resources_.push_back({std::move(type), std::move(name), std::move(data)});
    return *this;
}

NeBuilder& NeBuilder::addIconGroup(Name name, std::span<const std::uint8_t> icoFile)
{
    if (icoFile.size() < 6) throw std::invalid_argument("NeBuilder: no .ico header");
    const std::size_t count = icoFile[4] | (icoFile[5] << 8);
    std::vector<std::uint8_t> group = {
        0, 0, 1, 0, static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8)};
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = Get32(icoFile, entry + 8), offset = Get32(icoFile, entry + 12);
        if (offset > icoFile.size() || size > icoFile.size() - offset)
            throw std::invalid_argument("NeBuilder: an image lies outside the .ico file");
        const std::uint16_t ordinal = nextIconOrdinal_++;
        addResource(kIconType, ordinal, {icoFile.begin() + offset, icoFile.begin() + offset + size});
        group.insert(group.end(), icoFile.begin() + entry, icoFile.begin() + entry + 12);
        Append16(group, ordinal);
    }
    return addResource(kGroupIconType, std::move(name), std::move(group));
}

NeBuilder& NeBuilder::setAlignShift(std::uint16_t shift)
{
    if (shift > 12) throw std::invalid_argument("NeBuilder: lays data out in units of at most 4 KiB");
    shift_ = shift;
    return *this;
}

NeBuilder& NeBuilder::claimAlignShift(std::uint16_t shift)
{
    claimedShift_ = shift;
    return *this;
}

NeBuilder& NeBuilder::addDefect(Defect defect)
{
    defects_.insert(defect);
    return *this;
}

NeBuilder& NeBuilder::truncateTo(std::size_t size)
{
    truncateTo_ = size;
    return *this;
}

std::vector<std::uint8_t> NeBuilder::build() const
{
    // Types in the order they first appear, each with its resources in the order added.
    std::vector<Name> types;
    std::vector<std::vector<const Resource*>> members;
    for (const Resource& r : resources_) {
        auto it = std::find_if(types.begin(), types.end(), [&](const Name& t) { return t == r.type; });
        if (it == types.end()) {
            types.push_back(r.type);
            members.emplace_back();
            it = types.end() - 1;
        }
        members[static_cast<std::size_t>(it - types.begin())].push_back(&r);
    }

    // The records' size, which the names follow.
    std::size_t recordBytes = 0;
    for (const auto& m : members)
        recordBytes += 8 + 12 * m.size();
    const int repeats = has(Defect::RepeatedTypeRecords) ? kRepeats : 1;
    std::size_t loopAt = 2 + recordBytes * static_cast<std::size_t>(repeats);
    std::size_t fillers = 0;
    if (has(Defect::TypeRecordLoop)) {
        // The loop record must start 10 bytes past a multiple of 12, so that 8 + 12 n more
        // bytes land, modulo 65536, on the first record at 2.
        while (loopAt % 12 != 10) {
            loopAt += 8;
            ++fillers;
        }
    }
    const bool endMarker = !has(Defect::RepeatedTypeRecords);
    const std::size_t namesAt = loopAt + (has(Defect::TypeRecordLoop) ? 8 : 0) + (endMarker ? 2 : 0);

    std::vector<std::uint8_t> names;
    const auto nameId = [&](const Name& n) -> std::uint16_t {
        if (!n.isString) return kIntegerId | n.id;
        if (n.text.size() > 255) throw std::invalid_argument("NeBuilder: names hold at most 255 bytes");
        const std::size_t at = namesAt + names.size();
        names.push_back(static_cast<std::uint8_t>(n.text.size()));
        names.insert(names.end(), n.text.begin(), n.text.end());
        return static_cast<std::uint16_t>(at);
    };
    std::vector<std::uint16_t> typeIds, resourceIds;
    for (std::size_t t = 0; t < types.size(); ++t) {
        typeIds.push_back(types[t].isString ? nameId(types[t]) : static_cast<std::uint16_t>(kIntegerId | types[t].id));
        for (const Resource* r : members[t])
            resourceIds.push_back(nameId(r->name));
    }
    names.push_back(0);
    const std::size_t tableSize = namesAt + names.size();
    if (has(Defect::NameOutsideTable)) {
        for (std::size_t i = 0; i < types.size(); ++i)
            if (types[i].isString) typeIds[i] = static_cast<std::uint16_t>(tableSize + 0x100);
        for (auto& id : resourceIds)
            if ((id & kIntegerId) == 0) id = static_cast<std::uint16_t>(tableSize + 0x100);
    }

    // The tables after the resource table: resident names (the module's name, ordinal 0, end),
    // module references (none), imported names (empty), entry table (empty).
    const std::size_t tableAt = kTableOffset;
    const std::size_t residentAt = tableAt + tableSize;
    const std::string moduleName = "GLYPHORA";
    const std::size_t importsAt = residentAt + 1 + moduleName.size() + 2 + 1;
    const std::size_t entriesAt = importsAt + 1;
    const std::size_t unit = std::size_t{1} << shift_;
    std::size_t dataAt = AlignUp(entriesAt + 1, unit);

    std::vector<std::uint8_t> out(dataAt, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put16(out, 0x18, 0x40);
    Put32(out, 0x3C, has(Defect::LfanewPastEnd) ? 0x00FFFFF0u : kNeOffset);

    const std::size_t ne = kNeOffset;
    out[ne] = 'N';
    out[ne + 1] = has(Defect::BadNeSignature) ? 'X' : 'E';
    out[ne + 2] = 5; // linker version 5.10
    out[ne + 3] = 10;
    Put16(out, ne + 0x04, static_cast<std::uint32_t>(entriesAt - ne));
    Put16(out, ne + 0x22, static_cast<std::uint32_t>(tableAt - ne)); // segment table: empty
    const std::uint32_t tableField = has(Defect::TablePastEnd) ? 0xFF00 : static_cast<std::uint32_t>(tableAt - ne);
    const std::uint32_t residentField =
        has(Defect::TablePastEnd) ? 0xFF40 : static_cast<std::uint32_t>(residentAt - ne);
    Put16(out, ne + 0x24, tableField);
    Put16(out, ne + 0x26, residentField);
    Put16(out, ne + 0x28, static_cast<std::uint32_t>(importsAt - ne)); // module references: none
    Put16(out, ne + 0x2A, static_cast<std::uint32_t>(importsAt - ne));
    Put32(out, ne + 0x2C, static_cast<std::uint32_t>(entriesAt + 1)); // non-resident names: none
    Put16(out, ne + 0x32, 9);                                         // segment alignment: 512 bytes
    out[ne + 0x36] = has(Defect::Os2Target) ? 1 : 2;                  // Windows
    Put16(out, ne + 0x3E, 0x030A);                                    // Windows 3.10
    static_assert(kNeOffset + kNeHeaderSize == kTableOffset);

    // The data, each resource from the start of a unit, in table order.
    std::vector<std::pair<std::size_t, std::size_t>> placed; // offset and length in units
    for (const auto& m : members)
        for (const Resource* r : m) {
            const std::size_t at = out.size();
            out.insert(out.end(), r->data.begin(), r->data.end());
            out.resize(AlignUp(out.size(), unit), 0);
            if ((at >> shift_) > 0xFFFF || ((out.size() - at) >> shift_) > 0xFFFF)
                throw std::invalid_argument("NeBuilder: the data needs a larger alignment shift");
            placed.emplace_back(at >> shift_, (out.size() - at) >> shift_);
        }

    // The table.
    std::size_t at = tableAt;
    Put16(out, at, static_cast<std::uint32_t>(claimedShift_ >= 0 ? claimedShift_ : shift_));
    at += 2;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        std::size_t index = 0;
        for (std::size_t t = 0; t < types.size(); ++t) {
            Put16(out, at, typeIds[t]);
            Put16(out, at + 2, has(Defect::HugeCounts) ? 0xFFFFu : static_cast<std::uint32_t>(members[t].size()));
            Put32(out, at + 4, 0);
            at += 8;
            for (std::size_t i = 0; i < members[t].size(); ++i, ++index) {
                const auto [offset, length] = placed[index];
                Put16(out, at, has(Defect::DataOffsetPastEnd) ? 0xFFFFu : static_cast<std::uint32_t>(offset));
                Put16(out, at + 2, has(Defect::DataLengthPastEnd) ? 0xFFFFu : static_cast<std::uint32_t>(length));
                Put16(out, at + 4, kEntryFlags);
                Put16(out, at + 6, resourceIds[index]);
                Put32(out, at + 8, 0);
                at += 12;
            }
        }
    }
    for (std::size_t i = 0; i < fillers; ++i, at += 8) {
        Put16(out, at, kFillerType);
        Put16(out, at + 2, 0);
        Put32(out, at + 4, 0);
    }
    if (has(Defect::TypeRecordLoop)) {
        const std::size_t relative = at - tableAt;
        Put16(out, at, kLoopType);
        Put16(out, at + 2, static_cast<std::uint32_t>((0x10000 + 2 - relative - 8) / 12));
        Put32(out, at + 4, 0);
        at += 8;
    }
    if (endMarker) {
        Put16(out, at, 0);
        at += 2;
    }
    std::copy(names.begin(), names.end(), out.begin() + static_cast<std::ptrdiff_t>(at));

    at = residentAt;
    out[at++] = static_cast<std::uint8_t>(moduleName.size());
    std::copy(moduleName.begin(), moduleName.end(), out.begin() + static_cast<std::ptrdiff_t>(at));

    if (out.size() > truncateTo_) out.resize(truncateTo_);
    return out;
}

void NeBuilder::writeTo(const std::filesystem::path& path) const
{
    WriteWholeFile(path, build());
}

} // namespace glyphora::testing
