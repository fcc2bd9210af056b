// Icon images as transparent PNG pictures, for the desktop (thumbnails, launcher icons):
// a PNG image stays byte for byte as the file holds it, any other image is decoded and
// written as RGBA with its alpha, or with its AND mask as alpha.
#pragma once

#include "raster/IconHandle.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glyphora {

// An RGBA PNG of the icon with its transparency as alpha. Throws GlyphoraError for a null
// or damaged icon.
std::vector<std::uint8_t> TransparentPng(const IconHandle& icon);

// The PNG of one stored image (an RT_ICON resource or an .ico entry): a PNG stream as it is
// once it decodes, any other image through TransparentPng. nullopt when it cannot be
// decoded or written.
std::optional<std::vector<std::uint8_t>> TransparentPngOfImage(std::span<const std::uint8_t> image);

} // namespace glyphora
