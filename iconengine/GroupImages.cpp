// The images of one icon group, each decoded.
#include "iconengine/GroupImages.h"

#include "iconengine/IconGroupReader.h"

#include <algorithm>

namespace glyphora {
namespace {

// No image shown is read past this size.
constexpr std::uint64_t kMaxShownImageBytes = 64u * 1024u * 1024u;

} // namespace

std::vector<GroupImage> ReadGroupImages(const std::filesystem::path& file, int index)
{
    std::vector<GroupImage> images;
    std::string why;
    const auto reader = IconGroupReader::Open(file, why);
    if (!reader || index < 0 || static_cast<std::size_t>(index) >= reader->GroupCount()) return images;
    const auto group = static_cast<std::size_t>(index);
    for (const GroupImageInfo& image : reader->Images(group)) {
        if (!image.info) continue;
        const auto bytes = reader->ImageBytes(group, image.position, kMaxShownImageBytes);
        auto icon = bytes ? DecodeIconImage(*bytes) : std::nullopt;
        if (icon && !icon->isNull()) images.push_back({*image.info, std::move(*icon)});
    }
    std::stable_sort(images.begin(), images.end(), [](const GroupImage& a, const GroupImage& b) {
        const auto area = [](const GroupImage& g) { return static_cast<std::int64_t>(g.icon.width) * g.icon.height; };
        if (area(a) != area(b)) return area(a) < area(b);
        return a.info.bitCount < b.info.bitCount;
    });
    return images;
}

} // namespace glyphora
