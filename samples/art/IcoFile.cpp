// Packs encoded images into an .ico file and picks the encoding of each image.
#include "ImageEncoding.h"

#include "platform/GlyphoraError.h"

namespace glyphora::iconart {

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

EncodedImage encodeImage(const RgbaImage& image, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Dib4: return {image.size, 4, encodeDib(image, 4)};
    case Encoding::Dib8: return {image.size, 8, encodeDib(image, 8)};
    case Encoding::Dib32: return {image.size, 32, encodeDib(image, 32)};
    case Encoding::Png: return {image.size, 32, encodePng(image)};
    }
    throw GlyphoraError("unknown sample image encoding");
}

std::vector<std::uint8_t> buildIcoFile(std::span<const EncodedImage> images)
{
    constexpr std::size_t kDirectoryBytes = 6, kEntryBytes = 16;
    std::vector<std::uint8_t> out;
    putU16(out, 0);
    putU16(out, 1); // icon, not cursor
    putU16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = kDirectoryBytes + kEntryBytes * images.size();
    for (const EncodedImage& image : images) {
        const auto side = static_cast<std::uint8_t>(image.size & 0xFF); // 256 is stored as 0
        out.push_back(side);
        out.push_back(side);
        out.push_back(image.bitCount == 4 ? 16 : 0); // colour count, 0 for 256 or more
        out.push_back(0);
        putU16(out, 1);
        putU16(out, static_cast<std::uint32_t>(image.bitCount));
        putU32(out, static_cast<std::uint32_t>(image.bytes.size()));
        putU32(out, static_cast<std::uint32_t>(offset));
        offset += image.bytes.size();
    }
    for (const EncodedImage& image : images)
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

} // namespace glyphora::iconart
