// Fuzz target: one icon image (DIB or PNG stream) through the header reader, the decoder,
// and, for small results, drawing and scaling.
#include "formats/IconImageDecoder.h"
#include "raster/RasterDraw.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    const std::span<const std::uint8_t> bytes(data, size);
    const auto info = ReadIconImageInfo(bytes);
    const auto icon = DecodeIconImage(bytes);
    if (!icon) return 0;
    // Whatever decodes has a header that says the same size, and consistent bitmaps.
    if (!info || info->width != icon->width || info->height != icon->height) __builtin_trap();
    if (!icon->color || icon->color->width != icon->width || icon->color->height != icon->height ||
        icon->mask.width != icon->width || icon->mask.height != icon->height)
        __builtin_trap();
    if (static_cast<std::uint64_t>(icon->width) * static_cast<std::uint64_t>(icon->height) > 64u * 1024u) return 0;
    Bitmap white(24, 24, 32);
    DrawIcon(white, *icon, -3, 5);
    const IconHandle scaled = ScaleIcon(*icon, 16, 16);
    if (scaled.isNull()) __builtin_trap();
    DrawIconScaled(white, *icon, 2, 2, 40, 40);
    return 0;
}
