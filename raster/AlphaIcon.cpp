// Transparency as alpha. The colour of a clear pixel is kept as the image stores it (readers
// of the written picture see the same bytes); alpha weighting keeps it out of any scaling.
#include "raster/AlphaIcon.h"

namespace glyphora {

IconHandle WithAlpha(const IconHandle& icon)
{
    if (icon.isNull()) return {};
    const bool monochrome = !icon.color && icon.mask.width == icon.width && icon.mask.height == icon.height * 2;
    const bool colour = icon.color && icon.color->width == icon.width && icon.color->height == icon.height &&
                        icon.mask.width == icon.width && icon.mask.height == icon.height;
    if (!monochrome && !colour) return {};

    IconHandle out;
    out.width = icon.width;
    out.height = icon.height;
    out.hasAlpha = true;
    Bitmap pixels(icon.width, icon.height, 32, 0);
    Bitmap mask(icon.width, icon.height, 1, kBlack);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            const bool clear = (icon.mask.at(x, y) & 0x00FFFFFFu) != 0;
            std::uint32_t p;
            if (colour && icon.hasAlpha)
                p = icon.color->at(x, y);
            else
                p = (monochrome ? ((icon.mask.at(x, y + icon.height) & 0x00FFFFFFu) != 0 ? kWhite : kBlack)
                                : icon.color->at(x, y) & 0x00FFFFFFu) |
                    (clear ? 0u : 0xFF000000u);
            if (AlphaOf(p) == 0) mask.at(x, y) = kWhite;
            pixels.at(x, y) = p;
        }
    out.color = std::move(pixels);
    out.mask = std::move(mask);
    return out;
}

} // namespace glyphora
