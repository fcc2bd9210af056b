// Checks and pixel packing shared by the picture encoders.
#include "export/EncoderInput.h"

#include "platform/GlyphoraError.h"

#include <string>

namespace glyphora {

void RequireEncodable(const Bitmap& bitmap, const char* formatName, int maxSide)
{
    const std::string what = std::string("Cannot write a ") + formatName + " picture: ";
    if (bitmap.empty()) throw GlyphoraError(what + "the picture has no pixels.");
    if (bitmap.width > maxSide || bitmap.height > maxSide)
        throw GlyphoraError(what + "the picture is " + std::to_string(bitmap.width) + " by " +
                            std::to_string(bitmap.height) + " pixels, more than the format allows (" +
                            std::to_string(maxSide) + ").");
    const std::uint64_t count = static_cast<std::uint64_t>(bitmap.width) * static_cast<std::uint64_t>(bitmap.height);
    if (bitmap.pixels.size() != count) throw GlyphoraError(what + "the picture's pixel store is damaged.");
}

std::vector<std::uint8_t> PackRgb(const Bitmap& bitmap)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(bitmap.pixels.size() * 3);
    for (std::uint32_t p : bitmap.pixels) {
        rgb.push_back(RedOf(p));
        rgb.push_back(GreenOf(p));
        rgb.push_back(BlueOf(p));
    }
    return rgb;
}

} // namespace glyphora
