// Test-only writer of small 16-bit NE modules (Windows 3.x programs, and .icl icon libraries,
// which are NE files holding only icons) with a resource table of our choosing. Icon groups
// come from .ico files the way a resource compiler takes them in: each image becomes an icon
// resource with the next free ordinal, and the group directory names those ordinals. It can
// also damage what it writes in named ways, so that readers can be checked against bad input.
//
//   NeBuilder b;                                   // alignment shift 4: 16-byte units
//   b.addIconGroup("MAINICON", icoBytes).addIconGroup(7, otherIco);
//   std::vector<std::uint8_t> module = b.build();  // or b.writeTo(path)
#pragma once

#include "tests/support/ResourceId.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <span>
#include <vector>

namespace glyphora::testing {

class NeBuilder {
public:
    using Name = ResourceId; // names are written as they are given: 8-bit ANSI text

    // Damage applied to the written module; where it concerns entries or records, to all of them.
    enum class Defect {
        BadNeSignature,      // "NE" missing
        LfanewPastEnd,       // the new header offset points past the end of the file
        Os2Target,           // the header names OS/2 as the target system
        TablePastEnd,        // the resource table offset points past the end of the file
        TypeRecordLoop,      // a last record whose count, walked in 16-bit offsets, leads back to the first
        RepeatedTypeRecords, // the records repeat, without an end marker, until the table is full
        HugeCounts,          // every type record declares 0xFFFF entries
        NameOutsideTable,    // string ids point past the end of the table
        DataOffsetPastEnd,   // resource offsets point past the end of the file
        DataLengthPastEnd,   // resource lengths run past the end of the file
    };

    NeBuilder& addResource(Name type, Name name, std::vector<std::uint8_t> data);
    // The images of an .ico file as icon resources (ordinals counting up from 1 across the
    // module) and a group named name listing them in the file's order.
    NeBuilder& addIconGroup(Name name, std::span<const std::uint8_t> icoFile);
    // The unit the data is laid out in: 2^shift bytes (0 to 12). Offsets and lengths count
    // units in 16 bits, so byte units (0) reach 64 KiB into the file only.
    NeBuilder& setAlignShift(std::uint16_t shift);
    // Writes another shift into the table than the data was laid out with.
    NeBuilder& claimAlignShift(std::uint16_t shift);
    NeBuilder& addDefect(Defect defect);
    // Cuts the written file to at most size bytes.
    NeBuilder& truncateTo(std::size_t size);

    std::vector<std::uint8_t> build() const;
    void writeTo(const std::filesystem::path& path) const;

    // Where the resource table starts in the file (fixed for every module).
    static constexpr std::size_t kTableOffset = 0x80;

private:
    struct Resource {
        Name type;
        Name name;
        std::vector<std::uint8_t> data;
    };

    bool has(Defect defect) const { return defects_.count(defect) != 0; }

    std::vector<Resource> resources_;
    std::uint16_t nextIconOrdinal_ = 1;
    std::uint16_t shift_ = 4;
    int claimedShift_ = -1;
    std::set<Defect> defects_;
    std::size_t truncateTo_ = SIZE_MAX;
};

} // namespace glyphora::testing
