// Device-independent bitmap pieces in Windows byte order.
#include "export/DibWriter.h"

#include "platform/GlyphoraError.h"

#include <limits>

namespace glyphora {

namespace {

// 96 pixels per inch expressed in pixels per metre, as Windows records screen bitmaps.
constexpr std::int32_t kPixelsPerMetre96Dpi = 3780;

std::uint64_t RowBytes(const Bitmap& bitmap, int dibBits)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(bitmap.width) * static_cast<std::uint64_t>(dibBits);
    return ((bits + 31) / 32) * 4;
}

} // namespace

void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendI32(std::vector<std::uint8_t>& out, std::int32_t value)
{
    AppendU32(out, static_cast<std::uint32_t>(value));
}

std::uint32_t DibPixelBytes(const Bitmap& bitmap, int dibBits)
{
    const std::uint64_t total = RowBytes(bitmap, dibBits) * static_cast<std::uint64_t>(bitmap.height);
    // Leave room for the headers in front of the pixels, which share the same 32-bit fields.
    if (total > std::numeric_limits<std::uint32_t>::max() - 4096u)
        throw GlyphoraError("Cannot write the picture as a bitmap: it is too large for the format.");
    return static_cast<std::uint32_t>(total);
}

void AppendBitmapInfoHeader(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int dibBits)
{
    AppendU32(out, kBitmapInfoHeaderSize);
    AppendI32(out, bitmap.width);
    AppendI32(out, bitmap.height); // positive: rows are stored bottom-up
    AppendU16(out, 1);             // planes
    AppendU16(out, static_cast<std::uint16_t>(dibBits));
    AppendU32(out, 0); // BI_RGB
    AppendU32(out, DibPixelBytes(bitmap, dibBits));
    AppendI32(out, kPixelsPerMetre96Dpi);
    AppendI32(out, kPixelsPerMetre96Dpi);
    AppendU32(out, 0); // colours used: none, no colour table
    AppendU32(out, 0); // colours important: all
}

void AppendDibPixels(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int dibBits)
{
    const std::uint64_t rowBytes = RowBytes(bitmap, dibBits);
    const std::uint64_t used = static_cast<std::uint64_t>(bitmap.width) * static_cast<std::uint64_t>(dibBits / 8);
    out.reserve(out.size() + static_cast<std::size_t>(DibPixelBytes(bitmap, dibBits)));
    for (int y = bitmap.height - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint32_t p = bitmap.at(x, y);
            out.push_back(BlueOf(p));
            out.push_back(GreenOf(p));
            out.push_back(RedOf(p));
            if (dibBits == 32) out.push_back(AlphaOf(p));
        }
        out.insert(out.end(), static_cast<std::size_t>(rowBytes - used), std::uint8_t{0});
    }
}

} // namespace glyphora
