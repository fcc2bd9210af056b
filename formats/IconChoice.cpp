// Ranking of the images of one icon for a requested size.
#include "formats/IconChoice.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace glyphora {

std::vector<std::size_t> RankIconImages(std::span<const std::optional<IconImageInfo>> images, int size)
{
    // Sort key: group (0 exact, 1 larger, 2 smaller), distance from the size, deeper first.
    auto key = [size](const IconImageInfo& info) {
        const int extent = std::max(info.width, info.height);
        const bool exact = info.width == size && info.height == size;
        const int group = exact ? 0 : (extent >= size ? 1 : 2);
        const long long distance = std::abs(static_cast<long long>(extent) - size);
        return std::make_tuple(group, distance, -info.bitCount);
    };
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < images.size(); ++i)
        if (images[i]) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return key(*images[a]) < key(*images[b]); });
    return order;
}

} // namespace glyphora
