// Module resources read from a 16-bit NE file opened as data: the resource table is read
// once; lookups then read only the bytes of the resource asked for, through bounded reads.
// An NE module has one variant of each resource, so there is no language to choose.
#include "formats/ModuleReaders.h"
#include "formats/NeResourceTable.h"

#include <utility>

namespace glyphora {

namespace {

class NeModuleResources final : public ModuleResources {
public:
    NeModuleResources(std::unique_ptr<ModuleFile> file, NeResourceTable table)
        : file_(std::move(file)), table_(std::move(table))
    {}

    // In the table's order, strings and numbers as they come.
    std::vector<ResourceName> EnumNames(ResourceType type) const override
    {
        return NamesOf(table_.list(type).resources());
    }

    std::optional<std::vector<std::uint8_t>> Find(ResourceType type, const ResourceName& name) const override
    {
        return FindHead(type, name, SIZE_MAX);
    }

    std::optional<std::vector<std::uint8_t>> FindHead(ResourceType type, const ResourceName& name,
                                                      std::size_t limit) const override
    {
        const NeResource* resource = table_.list(type).find(name);
        if (resource == nullptr) return std::nullopt;
        return NeResourceData(file_->reader, table_, type, *resource, limit);
    }

    std::size_t Count(ResourceType type) const override { return table_.list(type).resources().size(); }

    bool ReadFailed() const override { return file_->reader.readFailed(); }

private:
    std::unique_ptr<ModuleFile> file_;
    NeResourceTable table_;
};

} // namespace

std::unique_ptr<ModuleResources> OpenNeModule(std::unique_ptr<ModuleFile> file)
{
    auto table = NeResourceTable::Read(file->reader);
    if (!table) return nullptr;
    return std::make_unique<NeModuleResources>(std::move(file), std::move(*table));
}

std::optional<std::size_t> CountNeResources(const SourceReader& file, ResourceType type)
{
    const auto table = NeResourceTable::Read(file);
    if (!table) return std::nullopt;
    return table->list(type).resources().size();
}

} // namespace glyphora
