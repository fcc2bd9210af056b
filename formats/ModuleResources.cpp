// Module resources read from a PE file opened as data: its headers are read and parsed and
// the icon and group-icon resources indexed once; lookups then read only the bytes of the
// resource asked for. The file is reached through bounded reads only.
#include "formats/ModuleResources.h"

#include "formats/PeImage.h"
#include "formats/PeModuleResources.h"
#include "formats/PeResourceTree.h"
#include "formats/ResourceLanguage.h"
#include "formats/SourceReader.h"
#include "platform/FileReader.h"
#include "platform/UserLanguage.h"

#include <array>
#include <optional>
#include <utility>

namespace glyphora {

namespace {

constexpr std::array kIndexedTypes = {ResourceType::Icon, ResourceType::GroupIcon};

class PeModuleResources final : public ModuleResources {
public:
    explicit PeModuleResources(std::unique_ptr<ByteSource> source) : source_(std::move(source)), reader_(*source_) {}

    // Parses the headers and indexes the resources; false when the source is no module.
    bool open()
    {
        auto image = PeImage::Parse(reader_);
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
        std::vector<ResourceName> names;
        const auto& resources = typeIndex(type).resources();
        names.reserve(resources.size());
        for (const auto& resource : resources)
            names.push_back(resource.name);
        return names;
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

    bool ReadFailed() const override { return reader_.readFailed(); }

private:
    const ResourceTypeIndex& typeIndex(ResourceType type) const { return types_[type == ResourceType::Icon ? 0 : 1]; }

    std::unique_ptr<ByteSource> source_;
    SourceReader reader_; // reads source_; image_ reads through it
    PeImage image_;
    std::array<ResourceTypeIndex, kIndexedTypes.size()> types_;
};

} // namespace

std::unique_ptr<ModuleResources> ModuleResources::Open(std::unique_ptr<ByteSource> source)
{
    if (!source) return nullptr;
    auto module = std::make_unique<PeModuleResources>(std::move(source));
    if (!module->open()) return nullptr;
    return module;
}

std::unique_ptr<ModuleResources> OpenModuleResourcesInMemory(std::span<const std::uint8_t> bytes)
{
    return ModuleResources::Open(std::make_unique<MemoryByteSource>(bytes));
}

std::unique_ptr<ModuleResources> ModuleResources::Open(const std::filesystem::path& path)
{
    return Open(FileReader::Open(path));
}

std::optional<std::size_t> ModuleResources::CountOf(const std::filesystem::path& path, ResourceType type)
{
    const std::unique_ptr<ByteSource> source = FileReader::Open(path);
    if (!source) return std::nullopt;
    SourceReader bytes(*source);
    const auto image = PeImage::Parse(bytes);
    if (!image) return std::nullopt;
    auto reader = ResourceTreeReader::Open(*image);
    if (!reader) return std::nullopt;
    const std::size_t count = reader->indexType(static_cast<std::uint16_t>(type)).resources().size();
    // A file that shrank while it was read counts as no module rather than a wrong count.
    if (bytes.readFailed()) return std::nullopt;
    return count;
}

} // namespace glyphora
