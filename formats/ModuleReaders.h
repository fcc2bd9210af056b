// The two readers behind ModuleResources, for the code that opens modules and for the fuzz
// targets: PE32/PE32+ modules and 16-bit NE modules, each over one bounded reader of the file.
// ModuleResources::Open tells them apart by the signature the DOS header leads to.
#pragma once

#include "formats/ModuleResources.h"
#include "formats/SourceReader.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace glyphora {

// A module's byte source and the one reader over it that the module's parser keeps using.
struct ModuleFile {
    explicit ModuleFile(std::unique_ptr<ByteSource> bytes) : source(std::move(bytes)), reader(*source) {}
    std::unique_ptr<ByteSource> source;
    SourceReader reader;
};

// The names of indexed resources (anything with a name member), in their order.
template <typename Resources>
std::vector<ResourceName> NamesOf(const Resources& resources)
{
    std::vector<ResourceName> names;
    names.reserve(resources.size());
    for (const auto& resource : resources)
        names.push_back(resource.name);
    return names;
}

// nullptr when the file is not a module of that kind whose resources parse.
std::unique_ptr<ModuleResources> OpenPeModule(std::unique_ptr<ModuleFile> file);
std::unique_ptr<ModuleResources> OpenNeModule(std::unique_ptr<ModuleFile> file);

// The resources of one type of such a module, counted from its directory or table alone.
std::optional<std::size_t> CountPeResources(const SourceReader& file, ResourceType type);
std::optional<std::size_t> CountNeResources(const SourceReader& file, ResourceType type);

// A module already in memory, of either kind (the result of ModuleResources::Open over the
// same bytes) or read as an NE module only. The caller keeps bytes alive and unchanged for as
// long as the result lives.
std::unique_ptr<ModuleResources> OpenModuleResourcesInMemory(std::span<const std::uint8_t> bytes);
std::unique_ptr<ModuleResources> OpenNeModuleInMemory(std::span<const std::uint8_t> bytes);

} // namespace glyphora
