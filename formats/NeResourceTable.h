// The resource table of a 16-bit NE module (Windows 3.x programs, libraries and .icl icon
// libraries), read as data. The table starts with an alignment shift, followed by one type
// record per resource type (type id, entry count, then 12-byte entries of offset, length,
// flags and id) and ends with a type id of 0; string names sit behind it as counted
// (Pascal) strings that type and resource ids point at by their offset from the table's
// start. Offsets and lengths count alignment units of 2^shift bytes.
//
// The table is untrusted: it is read in one bounded copy (an NE table cannot exceed 64 KiB,
// since the header locates it and the table after it by 16-bit offsets), a type record is
// taken only when all its entries lie inside the table, the first one that does not ends the
// walk, and each type is taken from its first record only. Every step moves forward through
// a table of bounded size, so no count or repetition can make the walk run long.
#pragma once

#include "formats/ModuleResources.h"
#include "formats/SourceReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace glyphora {

struct NeResource {
    ResourceName name;
    std::uint16_t offsetUnits = 0; // from the start of the file
    std::uint16_t lengthUnits = 0; // padding to the end of the last unit included
};

// The resources of one type in the table's order, which is the order the 16-bit shell
// numbers them in.
class NeResourceList {
public:
    const std::vector<NeResource>& resources() const { return resources_; }
    // The first resource of that name in table order (string names compared without regard
    // to case).
    const NeResource* find(const ResourceName& name) const;

private:
    friend class NeResourceTable;
    void add(NeResource resource);

    std::vector<NeResource> resources_;
    std::unordered_map<std::string, std::size_t> byFoldedName_;
    std::unordered_map<std::uint16_t, std::size_t> byId_;
};

class NeResourceTable {
public:
    // Reads the NE header and the resource table of a file. nullopt when the file is no NE
    // module, is an OS/2 one (its resources are kept another way), or its resource table does
    // not start inside the file. A module without resources gives an empty table.
    static std::optional<NeResourceTable> Read(const SourceReader& file);

    const NeResourceList& list(ResourceType type) const { return type == ResourceType::Icon ? icons_ : groups_; }

    // The table's alignment shift as written: a unit is 2^shift bytes, so 0 means byte units.
    // (The "0 stands for 9" rule of the NE header belongs to its segment alignment field, not
    // to this one.)
    std::uint16_t alignShift() const { return alignShift_; }

private:
    NeResourceList icons_;
    NeResourceList groups_;
    std::uint16_t alignShift_ = 0;
};

// A copy of a resource's bytes, or nullopt when they lie outside the file, cannot be read or
// exceed kMaxResourceBytes, or the alignment shift is too large for any resource to lie in a
// file. An icon image or a group directory ends where its own header says: the padding up to
// the end of its last unit is not part of it, and may be missing where the file ends. With a
// limit only the first limit bytes of that are copied.
std::optional<std::vector<std::uint8_t>> NeResourceData(const SourceReader& file, const NeResourceTable& table,
                                                        ResourceType type, const NeResource& resource,
                                                        std::uint64_t limit = UINT64_MAX);

} // namespace glyphora
