// Test-only writer of small PE32 and PE32+ modules with a resource tree of our choosing,
// for fixtures of everything that reads modules. It can also damage what it writes in
// named ways (broken headers, offsets past the end, loops in the tree, huge counts, ...)
// so that readers can be checked against bad input.
//
//   PeBuilder b(PeBuilder::Bits::Pe32Plus);
//   b.addResource(14, "MAINICON", 0x409, groupBytes).addResource(3, 1, 0x409, imageBytes);
//   std::vector<std::uint8_t> module = b.build();   // or b.writeTo(path)
#pragma once

#include "tests/support/ResourceId.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace glyphora::testing {

class PeBuilder {
public:
    enum class Bits { Pe32, Pe32Plus };

    // How entries are ordered inside each directory.
    enum class Order {
        Sorted,  // as a linker writes them: string names (case-insensitive), then ids ascending
        AsAdded, // in the order of addResource calls
    };

    // Damage applied to the written module. Where a defect concerns tree entries it is
    // applied to every entry of that kind.
    enum class Defect {
        BadDosMagic,                   // "MZ" missing
        LfanewPastEnd,                 // the PE header offset points past the end of the file
        BadPeSignature,                // "PE\0\0" missing
        BadOptionalHeaderMagic,        // neither 0x10B nor 0x20B
        SectionTablePastEnd,           // more section headers declared than the file holds
        NoResourceDirectory,           // NumberOfRvaAndSizes too small to hold the resource entry
        ResourceRvaOutsideSections,    // the resource directory lies in no section
        ResourceSectionPastEnd,        // the resource section's raw data starts past the end
        ResourceSectionZeroSize,       // the resource section has no raw data at all
        ResourceRawShorterThanVirtual, // raw data ends before the resource bytes (zero-filled tail)
        DataOffsetPastEnd,             // data entries point past the end of the file
        DataSizePastEnd,               // data entries declare sizes running past the end
        StringNameOutsideFile,         // string names point past the end of the file
        TypeDirectoryIsRoot,           // type entries lead back to the root directory
        NameDirectoryLoopsToRoot,      // name entries lead back to the root directory
        LanguageDirectoryIsParent,     // name entries lead to their own directory
        HugeEntryCounts,               // every directory declares 0xFFFF + 0xFFFF entries
        FourthLevel,                   // language entries lead to one more directory level
    };

    // A resource type or name: a number or a string. Strings are written as UTF-16.
    using Name = ResourceId;

    explicit PeBuilder(Bits bits = Bits::Pe32) : bits_(bits) {}

    PeBuilder& addResource(Name type, Name name, std::uint16_t language, std::vector<std::uint8_t> data);
    PeBuilder& setOrder(Order order);
    PeBuilder& addDefect(Defect defect);
    // Cuts the written file to at most size bytes.
    PeBuilder& truncateTo(std::size_t size);

    std::vector<std::uint8_t> build() const;
    void writeTo(const std::filesystem::path& path) const;

    // Where the resource section's raw data starts in the file (fixed for every module).
    static constexpr std::uint32_t kResourceFileOffset = 0x200;

private:
    struct Resource {
        Name type;
        Name name;
        std::uint16_t language;
        std::vector<std::uint8_t> data;
    };

    std::vector<std::uint8_t> buildResourceSection(std::uint32_t sectionRva, std::uint32_t& dataStart) const;
    bool has(Defect defect) const { return defects_.count(defect) != 0; }

    Bits bits_;
    Order order_ = Order::Sorted;
    std::vector<Resource> resources_;
    std::set<Defect> defects_;
    std::size_t truncateTo_ = SIZE_MAX;
};

} // namespace glyphora::testing
