// Module resources read from a PE file opened as data: the file is mapped read-only, its
// headers parsed and the icon and group-icon resources indexed once; lookups then copy
// only the bytes of the resource asked for.
#include "formats/ModuleResources.h"

#include "platform/MappedFile.h"
#include "formats/PeImage.h"
#include "formats/PeModuleResources.h"
#include "formats/PeResourceTree.h"
#include "formats/ResourceLanguage.h"
#include "platform/UserLanguage.h"

#include <array>
#include <optional>
#include <utility>

namespace glyphora {

namespace {

constexpr std::array kIndexedTypes = {ResourceType::Icon, ResourceType::GroupIcon};

class PeModuleResources final : public ModuleResources {
public:
    PeModuleResources(std::optional<MappedFile> file, PeImage image) : file_(std::move(file)), image_(image) {}

    bool index()
    {
        auto reader = ResourceTreeReader::Open(image_);
        if (!reader) return false;
        for (std::size_t i = 0; i < kIndexedTypes.size(); ++i)
            types_[i] = reader->indexType(static_cast<std::uint16_t>(kIndexedTypes[i]));
        return true;
    }

    std::vector<ResourceName> EnumNames(ResourceType type) const override
    {
        std::vector<ResourceName> names;
        const auto& resources = typeIndex(type).resources();
        names.reserve(resources.size());
        for (const auto& resource : resources) names.push_back(resource.name);
        return names;
    }

    std::optional<std::vector<std::uint8_t>> Find(ResourceType type, const ResourceName& name) const override
    {
        const IndexedResource* resource = typeIndex(type).find(name);
        if (resource == nullptr || resource->variants.empty()) return std::nullopt;

        std::vector<std::uint16_t> languages;
        languages.reserve(resource->variants.size());
        for (const auto& variant : resource->variants) languages.push_back(variant.language);
        const auto chosen = ChooseLanguageVariant(languages, UserLanguageId());

        const auto bytes = ResourceData(image_, resource->variants[chosen].dataEntry);
        if (!bytes) return std::nullopt;
        return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
    }

    std::size_t Count(ResourceType type) const override { return typeIndex(type).resources().size(); }

private:
    const ResourceTypeIndex& typeIndex(ResourceType type) const
    {
        return types_[type == ResourceType::Icon ? 0 : 1];
    }

    std::optional<MappedFile> file_;  // owns the bytes image_ reads, when opened from a file
    PeImage image_;
    std::array<ResourceTypeIndex, kIndexedTypes.size()> types_;
};

std::unique_ptr<ModuleResources> OpenParsed(std::optional<MappedFile> file, std::span<const std::uint8_t> bytes)
{
    auto image = PeImage::Parse(bytes);
    if (!image) return nullptr;
    auto module = std::make_unique<PeModuleResources>(std::move(file), std::move(*image));
    if (!module->index()) return nullptr;
    return module;
}

} // namespace

std::unique_ptr<ModuleResources> OpenModuleResourcesInMemory(std::span<const std::uint8_t> bytes)
{
    return OpenParsed(std::nullopt, bytes);
}

std::unique_ptr<ModuleResources> ModuleResources::Open(const std::filesystem::path& path)
{
    auto file = MappedFile::Open(path);
    if (!file) return nullptr;
    const auto bytes = file->bytes();  // the mapping stays put when the view is moved
    return OpenParsed(std::move(file), bytes);
}

} // namespace glyphora
