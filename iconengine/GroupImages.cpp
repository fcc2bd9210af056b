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
    std::vector<GroupImage> decoded;
    std::string why;
    const auto reader = IconGroupReader::Open(file, why);
    if (!reader || index < 0 || static_cast<std::size_t>(index) >= reader->GroupCount()) return decoded;
    const auto group = static_cast<std::size_t>(index);
    for (const GroupImageInfo& image : reader->Images(group)) {
        if (!image.info) continue;
        const auto bytes = reader->ImageBytes(group, image.position, kMaxShownImageBytes);
        auto icon = bytes ? DecodeIconImage(*bytes) : std::nullopt;
        if (icon && !icon->isNull()) decoded.push_back({*image.info, std::move(*icon)});
    }
    // Sorted by place, so that the images themselves are moved once.
    std::vector<std::size_t> order(decoded.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto area = [&](std::size_t i) {
        return static_cast<std::int64_t>(decoded[i].icon.width) * decoded[i].icon.height;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (area(a) != area(b)) return area(a) < area(b);
        return decoded[a].info.bitCount < decoded[b].info.bitCount;
    });
    std::vector<GroupImage> images;
    images.reserve(decoded.size());
    for (const std::size_t i : order)
        images.push_back(std::move(decoded[i]));
    return images;
}

} // namespace glyphora
