// Which image of an icon group or .ico directory serves a requested square size: the exact
// size first, then the nearest larger, then the nearest smaller; the deeper colour wins a
// tie, and among equals the earlier entry.
#pragma once

#include "formats/IconImageDecoder.h"

#include <optional>
#include <span>
#include <vector>

namespace glyphora {

// Indexes of the usable images (entries that are not nullopt) in order of preference for
// size x size. An image's size is the larger of its width and height; only a square image
// of exactly the requested size counts as exact.
std::vector<std::size_t> RankIconImages(std::span<const std::optional<IconImageInfo>> images, int size);

} // namespace glyphora
