// The icon extraction service: counts and delivers the icons of a module (one per group
// icon resource) or of an .ico file (one icon). A file is read as a module whenever it
// parses as one, whatever its extension; otherwise only the extension ".ico" (any letter
// case) makes it an icon file. Group directories and .ico directories are untrusted: counts
// are capped by what the bytes can hold and every image is judged by its own header.
#include "iconengine/IconExtraction.h"

#include "formats/ByteReader.h"
#include "formats/IconChoice.h"
#include "formats/IconImageDecoder.h"
#include "formats/ModuleResources.h"
#include "platform/AsciiText.h"
#include "platform/FileReader.h"
#include "raster/RasterDraw.h"

#include <algorithm>
#include <functional>

namespace glyphora {
namespace {

constexpr std::uint64_t kIcoHeaderSize = 6;
constexpr std::uint64_t kIcoEntrySize = 16;
constexpr std::uint64_t kGroupEntrySize = 14;
constexpr std::uint64_t kGroupIdOffset = 12;
// A group lists at most this many images; further entries are ignored, which bounds the
// resource look-ups one crafted group can cause.
constexpr std::uint64_t kMaxGroupImages = 128;
// An image that fails to decode hands over to the next best, a few times at most.
constexpr std::size_t kMaxDecodeAttempts = 3;
// .ico files are read whole; anything larger is not treated as an icon file.
constexpr std::uint64_t kMaxIcoFileBytes = 128u * 1024u * 1024u;

bool HasIcoExtension(const std::filesystem::path& path)
{
    return EqualsIgnoringCase(path.extension().string(), ".ico");
}

// True for the 6-byte header of an icon file that lists at least one image.
bool IsIcoHeader(const ByteReader& r)
{
    return r.u16(0) == 0 && r.u16(2) == 1 && r.u16(4).value_or(0) >= 1;
}

// Number of directory entries of an .ico file that the bytes can hold; 0 when the header is
// not that of an icon file.
std::uint64_t IcoEntryCount(const ByteReader& r)
{
    if (!IsIcoHeader(r)) return 0;
    const std::uint64_t fits = (r.size() - kIcoHeaderSize) / kIcoEntrySize;
    return std::min<std::uint64_t>(*r.u16(4), fits);
}

// The first bytes of a file, at most limit of them; nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path, std::uint64_t limit)
{
    const auto file = FileReader::Open(path);
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(file->size(), limit)));
    if (!file->read(0, bytes)) return std::nullopt;
    return bytes;
}

// Decodes the preferred image among candidates (fetched lazily by index) and brings it to
// size x size; a null handle when none of the first few preferred images decodes.
IconHandle BestIcon(std::span<const std::optional<IconImageInfo>> infos, int size,
                    const std::function<std::optional<IconHandle>(std::size_t)>& decode)
{
    if (size <= 0) return {};
    const auto order = RankIconImages(infos, size);
    for (std::size_t attempt = 0; attempt < order.size() && attempt < kMaxDecodeAttempts; ++attempt) {
        auto icon = decode(order[attempt]);
        if (!icon || icon->isNull()) continue;
        if (icon->width == size && icon->height == size) return std::move(*icon);
        IconHandle scaled = ScaleIcon(*icon, size, size);
        if (!scaled.isNull()) return scaled;
    }
    return {};
}

IconHandle IconFromGroup(const ModuleResources& module, const ResourceName& name, int size)
{
    auto group = module.Find(ResourceType::GroupIcon, name);
    if (!group) return {};
    const ByteReader r(*group);
    auto declared = r.u16(4);
    if (!declared) return {};
    const std::uint64_t fits = (r.size() - kIcoHeaderSize) / kGroupEntrySize;
    const std::uint64_t count = std::min<std::uint64_t>({*declared, fits, kMaxGroupImages});

    std::vector<std::uint16_t> ids;
    std::vector<std::optional<IconImageInfo>> infos;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint16_t id = *r.u16(kIcoHeaderSize + i * kGroupEntrySize + kGroupIdOffset);
        auto image = module.FindId(ResourceType::Icon, id);
        ids.push_back(id);
        infos.push_back(image ? ReadIconImageInfo(*image) : std::nullopt);
    }
    return BestIcon(infos, size, [&](std::size_t i) -> std::optional<IconHandle> {
        auto image = module.FindId(ResourceType::Icon, ids[i]);
        if (!image) return std::nullopt;
        return DecodeIconImage(*image);
    });
}

// The valid range [first, end) of a list of total icons, empty for a bad request.
std::pair<int, int> Range(int total, int first, int count)
{
    if (first < 0 || count <= 0 || first >= total) return {0, 0};
    const int end = static_cast<int>(std::min<std::int64_t>(total, static_cast<std::int64_t>(first) + count));
    return {first, end};
}

} // namespace

IconHandle IconFromIcoBytes(std::span<const std::uint8_t> icoBytes, int size)
{
    const ByteReader r(icoBytes);
    const std::uint64_t count = IcoEntryCount(r);
    std::vector<std::span<const std::uint8_t>> images;
    std::vector<std::optional<IconImageInfo>> infos;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t entry = kIcoHeaderSize + i * kIcoEntrySize;
        auto bytes = r.u32(entry + 8), offset = r.u32(entry + 12);
        auto image = bytes && offset ? r.slice(*offset, *bytes) : std::nullopt;
        images.push_back(image.value_or(std::span<const std::uint8_t>{}));
        infos.push_back(image ? ReadIconImageInfo(*image) : std::nullopt);
    }
    return BestIcon(infos, size, [&](std::size_t i) { return DecodeIconImage(images[i]); });
}

std::vector<IconHandle> ExtractModuleIcons(const ModuleResources& module, int size, int first, int count)
{
    const auto names = module.EnumNames(ResourceType::GroupIcon);
    const int total = static_cast<int>(std::min<std::size_t>(names.size(), INT32_MAX));
    const auto [begin, end] = Range(total, first, count);
    std::vector<IconHandle> icons;
    for (int i = begin; i < end; ++i)
        icons.push_back(IconFromGroup(module, names[static_cast<std::size_t>(i)], size));
    return icons;
}

int CountFileIcons(const std::filesystem::path& path)
{
    if (const auto groups = ModuleResources::CountOf(path, ResourceType::GroupIcon))
        return static_cast<int>(std::min<std::size_t>(*groups, INT32_MAX));
    if (!HasIcoExtension(path)) return 0;
    auto head = ReadFilePrefix(path, kIcoHeaderSize);
    return head && IsIcoHeader(ByteReader(*head)) ? 1 : 0;
}

bool FileHasIcons(const std::filesystem::path& path)
{
    const auto icons = ExtractFileIcons(path, kLargeIconSize, 0, 1);
    return !icons.empty() && !icons.front().isNull();
}

std::vector<IconHandle> ExtractFileIcons(const std::filesystem::path& path, int size)
{
    return ExtractFileIcons(path, size, 0, INT32_MAX);
}

ExtractedIcons ExtractFileIconsChecked(const std::filesystem::path& path, int size)
{
    ExtractedIcons result;
    if (auto module = ModuleResources::Open(path)) {
        result.icons = ExtractModuleIcons(*module, size, 0, INT32_MAX);
        result.sourceChanged = module->ReadFailed();
        return result;
    }
    result.icons = ExtractFileIcons(path, size, 0, INT32_MAX);
    return result;
}

std::vector<IconHandle> ExtractFileIcons(const std::filesystem::path& path, int size, int first, int count)
{
    if (auto module = ModuleResources::Open(path)) return ExtractModuleIcons(*module, size, first, count);
    // The one icon of an icon file exists exactly when CountFileIcons says so; an oversized
    // or damaged file keeps that place with a null handle.
    if (!HasIcoExtension(path) || Range(1, first, count).second == 0) return {};
    auto head = ReadFilePrefix(path, kIcoHeaderSize);
    if (!head || !IsIcoHeader(ByteReader(*head))) return {};
    std::vector<IconHandle> icons(1);
    if (auto bytes = ReadFileBytes(path, kMaxIcoFileBytes)) icons.front() = IconFromIcoBytes(*bytes, size);
    return icons;
}

} // namespace glyphora
