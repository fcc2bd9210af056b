// The resource tree of a PE module: type directory -> name directory -> language directory
// -> data entry. The tree is indexed once per resource type when the module is opened;
// resource bytes are only located when asked for. Exactly three directory levels are
// followed; an entry that would lead deeper is ignored, and every directory is entered at
// most once per type, so a tree that loops or shares directories cannot make the walk
// repeat work.
#pragma once

#include "formats/ModuleResources.h"
#include "formats/PeImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace glyphora {

struct LanguageVariant {
    std::uint16_t language = 0;
    std::uint32_t dataEntry = 0; // offset of the data entry from the start of the tree
};

struct IndexedResource {
    ResourceName name;
    std::vector<LanguageVariant> variants; // in directory order
};

// All resources of one type in enumeration order: string names in directory order, then
// numeric names ascending.
class ResourceTypeIndex {
public:
    const std::vector<IndexedResource>& resources() const { return resources_; }
    // The first resource of that name (string names compared without regard to case).
    const IndexedResource* find(const ResourceName& name) const;

private:
    friend class ResourceTreeReader;
    std::vector<IndexedResource> resources_;
    std::size_t stringCount_ = 0; // resources_[0, stringCount_) have string names
    std::unordered_map<std::string, std::size_t> byFoldedName_;
};

class ResourceTreeReader {
public:
    // nullopt when the module declares a resource directory whose root cannot be read.
    // A module without a resource directory gives an empty tree.
    static std::optional<ResourceTreeReader> Open(const PeImage& image);

    // Indexes the resources of a numeric type. Within one type every directory is entered
    // at most once, so a directory reachable from two places is only indexed once.
    ResourceTypeIndex indexType(std::uint16_t type);

private:
    struct Entry {
        std::uint32_t name;
        std::uint32_t target;
    };
    explicit ResourceTreeReader(const PeImage& image) : image_(&image) {}
    std::optional<std::vector<Entry>> readDirectory(std::uint64_t offset) const;
    bool enterDirectory(std::uint32_t target);
    std::optional<std::string> readName(std::uint32_t nameField);

    const PeImage* image_;
    std::unordered_set<std::uint64_t> entered_; // offsets of the directories walked
    std::uint64_t nameBudget_ = 0;              // UTF-8 bytes of names still allowed
};

// A copy of the bytes that a data entry of the image's resource tree names, or nullopt when
// the entry or the bytes lie outside the file, cannot be read, or exceed 256 MiB. With a
// limit only the first limit bytes are copied (the whole resource must still lie inside).
std::optional<std::vector<std::uint8_t>> ResourceData(const PeImage& image, std::uint32_t dataEntry,
                                                      std::uint64_t limit = UINT64_MAX);

} // namespace glyphora
