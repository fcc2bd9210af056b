// Module resources read from a PE file opened as data: its headers are read and parsed and
// the icon and group-icon resources indexed once; lookups then read only the bytes of the
// resource asked for. The file is reached through bounded reads only.
#include "formats/ModuleReaders.h"
#include "formats/PeImage.h"
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
    explicit PeModuleResources(std::unique_ptr<ModuleFile> file) : file_(std::move(file)) {}

    // Parses the headers and indexes the resources; false when the source is no module.
    bool open()
    {
        auto image = PeImage::Parse(file_->reader);
        if (!image) return false;
        image_ = *image;
        auto reader = ResourceTreeReader::Open(image_);
        if (!reader) return false;
        for (std::size_t i = 0; i < kIndexedTypes.size(); ++i)
            types_[i] = reader->indexType(static_cast<std::uint16_t>(kIndexedTypes[i]));
        return true;
    }

    std::vector<ResourceName> EnumNames(ResourceType type) const override
    {
        return NamesOf(typeIndex(type).resources());
    }

    std::optional<std::vector<std::uint8_t>> Find(ResourceType type, const ResourceName& name) const override
    {
        return FindHead(type, name, SIZE_MAX);
    }

    std::optional<std::vector<std::uint8_t>> FindHead(ResourceType type, const ResourceName& name,
                                                      std::size_t limit) const override
    {
        const IndexedResource* resource = typeIndex(type).find(name);
        if (resource == nullptr || resource->variants.empty()) return std::nullopt;

        std::vector<std::uint16_t> languages;
        languages.reserve(resource->variants.size());
        for (const auto& variant : resource->variants)
            languages.push_back(variant.language);
        const auto chosen = ChooseLanguageVariant(languages, UserLanguageId());

        return ResourceData(image_, resource->variants[chosen].dataEntry, limit);
    }

    std::size_t Count(ResourceType type) const override { return typeIndex(type).resources().size(); }

    bool ReadFailed() const override { return file_->reader.readFailed(); }

private:
    const ResourceTypeIndex& typeIndex(ResourceType type) const { return types_[type == ResourceType::Icon ? 0 : 1]; }

    std::unique_ptr<ModuleFile> file_; // image_ reads through file_->reader
    PeImage image_;
    std::array<ResourceTypeIndex, kIndexedTypes.size()> types_;
};

} // namespace

std::unique_ptr<ModuleResources> OpenPeModule(std::unique_ptr<ModuleFile> file)
{
    auto module = std::make_unique<PeModuleResources>(std::move(file));
    if (!module->open()) return nullptr;
    return module;
}

std::optional<std::size_t> CountPeResources(const SourceReader& file, ResourceType type)
{
    const auto image = PeImage::Parse(file);
    if (!image) return std::nullopt;
    auto reader = ResourceTreeReader::Open(*image);
    if (!reader) return std::nullopt;
    return reader->indexType(static_cast<std::uint16_t>(type)).resources().size();
}

} // namespace glyphora
