// Reads the resources of a PE32 or PE32+ module opened as data, never executed: our
// counterpart of LoadLibraryEx(LOAD_LIBRARY_AS_DATAFILE) with EnumResourceNames,
// FindResource, LoadResource and SizeofResource. The file is read through bounded reads of
// the parts needed (never mapped, never loaded whole); every offset, size and count of the
// resource tree is checked against the real file size, the tree is walked at most three
// levels deep and a visited set guards against cycles.
#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

enum class ResourceType : std::uint16_t { Icon = 3, GroupIcon = 14 };

// A resource name as the directory holds it: a string (UTF-8 here) or a 16-bit number.
struct ResourceName {
    bool isString = false;
    std::string text;     // when isString
    std::uint16_t id = 0; // when !isString
};

class ModuleResources {
public:
    virtual ~ModuleResources() = default;

    // Opens a module as data. Returns nullptr when the file cannot be read or is not a PE
    // module with a resource section that parses (no icons is still a valid module).
    static std::unique_ptr<ModuleResources> Open(const std::filesystem::path& path);

    // The same over any byte source, which the result owns and reads for as long as it lives.
    static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source);

    // Count(type) of the module Open would give, or nullopt where Open gives nullptr. Only
    // that one type is indexed, so counting a folder of modules stays cheap.
    static std::optional<std::size_t> CountOf(const std::filesystem::path& path, ResourceType type);

    // Names of all resources of a type in enumeration order: string names first, in
    // directory order, then numeric names ascending.
    virtual std::vector<ResourceName> EnumNames(ResourceType type) const = 0;

    // The bytes of a resource, or nullopt when it is absent or its data lies outside the
    // file. A string name is compared without regard to letter case. Where a name has
    // several language variants the choice is: neutral, user's language, 0x409, first.
    virtual std::optional<std::vector<std::uint8_t>> Find(ResourceType type, const ResourceName& name) const = 0;
    std::optional<std::vector<std::uint8_t>> FindString(ResourceType type, const std::string& name) const
    {
        return Find(type, ResourceName{true, name, 0});
    }
    std::optional<std::vector<std::uint8_t>> FindId(ResourceType type, std::uint16_t id) const
    {
        return Find(type, ResourceName{false, {}, id});
    }

    // The first limit bytes of a resource (all of it when it is shorter), chosen as Find
    // chooses: a header can be read, or a size ceiling checked, without copying a huge resource.
    virtual std::optional<std::vector<std::uint8_t>> FindHead(ResourceType type, const ResourceName& name,
                                                              std::size_t limit) const
    {
        auto bytes = Find(type, name);
        if (bytes && bytes->size() > limit) bytes->resize(limit);
        return bytes;
    }

    // Number of resources of a type (cheap: no data is read).
    virtual std::size_t Count(ResourceType type) const = 0;

    // True once a read of the file failed although the file had held those bytes when it was
    // opened: another program truncated or rewrote it meanwhile, and lookups may have failed
    // for that reason rather than for bad data.
    virtual bool ReadFailed() const { return false; }
};

} // namespace glyphora
