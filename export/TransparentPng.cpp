// Transparent PNG pictures of icon images.
#include "export/TransparentPng.h"

#include "export/PngEncoder.h"
#include "formats/IconImageDecoder.h"
#include "platform/GlyphoraError.h"
#include "raster/AlphaIcon.h"

namespace glyphora {

std::vector<std::uint8_t> TransparentPng(const IconHandle& icon)
{
    const IconHandle alpha = WithAlpha(icon);
    if (alpha.isNull() || !alpha.color) throw GlyphoraError("Cannot write a PNG picture: the icon has no pixels.");
    return EncodePngWithAlpha(*alpha.color);
}

std::optional<std::vector<std::uint8_t>> TransparentPngOfImage(std::span<const std::uint8_t> image)
{
    const auto icon = DecodeIconImage(image);
    if (!icon || icon->isNull()) return std::nullopt;
    if (IsPngSignature(image)) return std::vector<std::uint8_t>(image.begin(), image.end());
    try {
        return TransparentPng(*icon);
    } catch (const GlyphoraError&) {
        return std::nullopt;
    }
}

} // namespace glyphora
