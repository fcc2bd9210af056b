// Reading the string table of a module-form pack through the PE and resource-tree readers.
#include "i18n/ModulePack.h"

#include "formats/ByteReader.h"
#include "formats/PeImage.h"
#include "formats/PeResourceTree.h"
#include "formats/ResourceLanguage.h"
#include "formats/ResourceNameText.h"
#include "formats/SourceReader.h"
#include "platform/UserLanguage.h"

#include <unordered_map>
#include <utility>

namespace glyphora {

namespace {

constexpr std::size_t kStringsPerBlock = 16;
// Blocks 1 to 4096 cover the identifiers 0 to 65535.
constexpr std::uint32_t kLastBlock = 0x10000 / kStringsPerBlock;

std::string BlockName(std::uint16_t block)
{
    const unsigned first = (block - 1u) * kStringsPerBlock;
    return "string block " + std::to_string(block) + " (texts " + std::to_string(first) + " to " +
           std::to_string(first + kStringsPerBlock - 1) + ")";
}

// Reads the 16 strings of one block into texts; returns a problem text, or "" when the block
// is whole.
std::string ReadBlock(std::span<const std::uint8_t> data, std::uint16_t block,
                      std::unordered_map<std::uint16_t, std::string>& texts)
{
    const ByteReader reader(data);
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < kStringsPerBlock; ++i) {
        const auto id = static_cast<std::uint16_t>((block - 1u) * kStringsPerBlock + i);
        const auto length = reader.u16(offset);
        if (!length) return BlockName(block) + " ends after " + std::to_string(i) + " of its 16 texts";
        offset += 2;
        const auto units = reader.slice(offset, std::uint64_t{*length} * 2);
        if (!units) return BlockName(block) + ": text " + std::to_string(id) + " runs past the end of the block";
        offset += std::uint64_t{*length} * 2;
        if (*length == 0) continue;

        std::vector<char16_t> text;
        text.reserve(*length);
        const ByteReader unitReader(*units);
        for (std::uint64_t k = 0; k < *length; ++k) {
            const char16_t unit = static_cast<char16_t>(*unitReader.u16(k * 2));
            // A caller of the string loader reads up to the first null, so the text ends there.
            if (unit == 0) break;
            text.push_back(unit);
        }
        if (!text.empty()) texts.emplace(id, Utf16ToUtf8(text));
    }
    return {};
}

} // namespace

bool IsModuleForm(std::string_view bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

std::optional<LanguagePack> ReadModulePack(std::span<const std::uint8_t> bytes, std::vector<std::string>& problems)
{
    const MemoryByteSource source(bytes);
    const SourceReader reader(source);
    const auto image = PeImage::Parse(reader);
    if (!image) return std::nullopt;
    auto tree = ResourceTreeReader::Open(*image);
    if (!tree) return std::nullopt;
    const ResourceTypeIndex blocks = tree->indexType(kStringTableResourceType);

    std::unordered_map<std::uint16_t, std::string> texts;
    const std::uint16_t userLanguage = UserLanguageId();
    for (const IndexedResource& resource : blocks.resources()) {
        if (resource.name.isString) {
            problems.push_back("the string block \"" + resource.name.text + "\" has a name instead of a number");
            continue;
        }
        const std::uint16_t block = resource.name.id;
        if (block == 0 || block > kLastBlock) {
            problems.push_back("string block " + std::to_string(block) + " does not exist (blocks are 1 to " +
                               std::to_string(kLastBlock) + ")");
            continue;
        }
        if (resource.variants.empty()) continue;
        std::vector<std::uint16_t> languages;
        languages.reserve(resource.variants.size());
        for (const LanguageVariant& variant : resource.variants)
            languages.push_back(variant.language);
        const std::size_t chosen = ChooseLanguageVariant(languages, userLanguage);
        const auto data = ResourceData(*image, resource.variants[chosen].dataEntry);
        if (!data) {
            problems.push_back(BlockName(block) + " lies outside the file");
            continue;
        }
        std::string problem = ReadBlock(*data, block, texts);
        if (!problem.empty()) problems.push_back(std::move(problem));
    }
    return LanguagePack::FromTexts(std::move(texts));
}

} // namespace glyphora
