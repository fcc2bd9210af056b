// Decodes one icon image (DIB or PNG stream) into an icon handle. The bytes are untrusted:
// every read goes through ByteReader, every size is checked in 64-bit arithmetic, and the
// pixel ceiling is enforced from the header before anything is allocated.
//
// Choices for damaged images:
// - a palette index past the palette the image declares draws black;
// - the AND mask must be present in full, except for a 32-bit image with alpha, whose mask
//   is then derived from the alpha (alpha 0 = transparent);
// - headers with a negative (top-down) height, an unknown compression or bit count, or a
//   palette longer than 256 entries are refused.
#include "formats/IconImageDecoder.h"

#include "formats/ByteReader.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace glyphora {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kDibHeaderSize = 40;
constexpr std::uint32_t kMaxPaletteEntries = 256;

std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

bool WithinCeiling(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && static_cast<std::uint64_t>(width) <= kMaxIconPixels &&
           static_cast<std::uint64_t>(height) <= kMaxIconPixels &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxIconPixels;
}

// ---- PNG ------------------------------------------------------------------------------

std::optional<std::uint32_t> BigEndian32(const ByteReader& r, std::uint64_t offset)
{
    auto v = r.u32(offset);
    if (!v) return std::nullopt;
    const std::uint32_t x = *v;
    return (x >> 24) | ((x >> 8) & 0xFF00u) | ((x << 8) & 0xFF0000u) | (x << 24);
}

std::optional<IconImageInfo> ReadPngInfo(const ByteReader& r)
{
    // The IHDR chunk must come first: length 13, then width, height, depth, colour type.
    auto length = BigEndian32(r, 8);
    auto width = BigEndian32(r, 16);
    auto height = BigEndian32(r, 20);
    auto depth = r.u8(24);
    auto colorType = r.u8(25);
    if (!length || *length != 13 || !width || !height || !depth || !colorType) return std::nullopt;
    if (r.u8(12) != 'I' || r.u8(13) != 'H' || r.u8(14) != 'D' || r.u8(15) != 'R') return std::nullopt;
    if (!WithinCeiling(*width, *height)) return std::nullopt;
    int channels = 0;
    switch (*colorType) {
    case 0: channels = 1; break; // grey
    case 2: channels = 3; break; // RGB
    case 3: channels = 1; break; // palette
    case 4:
    case 6: channels = 0; break; // with alpha: reported as 32 bits
    default: return std::nullopt;
    }
    if (*depth == 0 || *depth > 16) return std::nullopt;
    IconImageInfo info;
    info.width = static_cast<int>(*width);
    info.height = static_cast<int>(*height);
    info.bitCount = channels == 0 ? 32 : channels * *depth;
    info.isPng = true;
    return info;
}

// Frees the simplified-API state on every path. libpng reports its errors through the
// image's return value (it catches its own longjmp internally), so no jump crosses our
// frames.
struct PngImageGuard {
    png_image image;
    PngImageGuard()
    {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImageGuard() { png_image_free(&image); }
    PngImageGuard(const PngImageGuard&) = delete;
    PngImageGuard& operator=(const PngImageGuard&) = delete;
};

std::optional<IconHandle> DecodePng(std::span<const std::uint8_t> bytes)
{
    if (!ReadPngInfo(ByteReader(bytes))) return std::nullopt;
    PngImageGuard png;
    if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size())) return std::nullopt;
    // The header libpng parsed is the one that counts; check it again before allocating.
    if (!WithinCeiling(png.image.width, png.image.height)) return std::nullopt;
    png.image.format = PNG_FORMAT_BGRA;
    const int width = static_cast<int>(png.image.width);
    const int height = static_cast<int>(png.image.height);
    std::vector<std::uint8_t> buffer(PNG_IMAGE_SIZE(png.image));
    if (!png_image_finish_read(&png.image, nullptr, buffer.data(), 0, nullptr)) return std::nullopt;

    IconHandle icon;
    icon.width = width;
    icon.height = height;
    Bitmap color(width, height, 32, 0);
    Bitmap mask(width, height, 1, kBlack);
    bool anyTransparency = false;
    for (std::size_t i = 0; i < color.pixels.size(); ++i) {
        const std::uint8_t* p = buffer.data() + i * 4;
        color.pixels[i] = MakePixel(p[2], p[1], p[0], p[3]);
        if (p[3] != 0xFF) anyTransparency = true;
        if (p[3] == 0) mask.pixels[i] = kWhite;
    }
    icon.hasAlpha = anyTransparency;
    if (!icon.hasAlpha)
        for (auto& px : color.pixels)
            px &= 0x00FFFFFFu;
    icon.color = std::move(color);
    icon.mask = std::move(mask);
    return icon;
}

// ---- DIB ------------------------------------------------------------------------------

struct DibHeader {
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0; // of the image: half the stored height
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

std::optional<DibHeader> ReadDibHeader(const ByteReader& r)
{
    auto size = r.u32(0);
    auto width = r.i32(4);
    auto storedHeight = r.i32(8);
    auto bitCount = r.u16(14);
    auto compression = r.u32(16);
    auto colorsUsed = r.u32(32);
    if (!size || !width || !storedHeight || !bitCount || !compression || !colorsUsed) return std::nullopt;
    if (*size < kDibHeaderSize || !r.contains(0, *size)) return std::nullopt;
    DibHeader h;
    h.headerSize = *size;
    h.width = *width;
    h.height = *storedHeight / 2;
    h.bitCount = *bitCount;
    h.compression = *compression;
    h.colorsUsed = *colorsUsed;
    if (!WithinCeiling(h.width, h.height)) return std::nullopt;
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.compression != kBiRgb) return std::nullopt;
        break;
    case 16:
    case 32:
        if (h.compression != kBiRgb && h.compression != kBiBitfields) return std::nullopt;
        break;
    default: return std::nullopt;
    }
    if (h.colorsUsed > kMaxPaletteEntries) return std::nullopt;
    return h;
}

// One channel of a bit-field pixel: the mask's bits shifted down and widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    static std::optional<Channel> From(std::uint32_t mask)
    {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        c.shift = std::countr_zero(mask);
        const std::uint32_t field = mask >> c.shift;
        if ((field & (field + 1)) != 0) return std::nullopt; // not one contiguous run
        c.bits = std::popcount(field);
        return c;
    }
    std::uint8_t Extract(std::uint32_t pixel) const
    {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
        // Replicate the high bits so that the full field maps to 255.
        std::uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += bits)
            out = (out << bits) | v;
        const int total = ((8 + bits - 1) / bits) * bits;
        return static_cast<std::uint8_t>(out >> (total - 8));
    }
};

struct PixelFormat {
    Channel red, green, blue, alpha;
};

std::optional<PixelFormat> ReadPixelFormat(const ByteReader& r, const DibHeader& h)
{
    std::uint32_t rm = 0, gm = 0, bm = 0, am = 0;
    if (h.compression == kBiBitfields) {
        // The three masks follow a 40-byte header or sit inside a larger one at the same offset.
        auto r0 = r.u32(40), g0 = r.u32(44), b0 = r.u32(48);
        if (!r0 || !g0 || !b0) return std::nullopt;
        rm = *r0;
        gm = *g0;
        bm = *b0;
        if (h.headerSize >= 56)
            am = r.u32(52).value_or(0);
        else if (h.bitCount == 32 && rm == 0x00FF0000u && gm == 0x0000FF00u && bm == 0x000000FFu)
            am = 0xFF000000u;
        if ((rm & gm) || (rm & bm) || (gm & bm) || (am & (rm | gm | bm))) return std::nullopt;
        if (h.bitCount == 16 && ((rm | gm | bm | am) >> 16) != 0) return std::nullopt;
    } else if (h.bitCount == 16) {
        rm = 0x7C00;
        gm = 0x03E0;
        bm = 0x001F;
    } else {
        rm = 0x00FF0000u;
        gm = 0x0000FF00u;
        bm = 0x000000FFu;
        if (h.bitCount == 32) am = 0xFF000000u;
    }
    auto red = Channel::From(rm), green = Channel::From(gm), blue = Channel::From(bm), alpha = Channel::From(am);
    if (!red || !green || !blue || !alpha) return std::nullopt;
    return PixelFormat{*red, *green, *blue, *alpha};
}

std::uint32_t ReadPixelBits(std::span<const std::uint8_t> row, int x, int bitCount)
{
    const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitCount);
    const std::size_t byte = bit / 8;
    switch (bitCount) {
    case 1: return (row[byte] >> (7 - bit % 8)) & 1u;
    case 4: return (row[byte] >> (4 - bit % 8)) & 0xFu;
    case 8: return row[byte];
    case 16: return row[byte] | (static_cast<std::uint32_t>(row[byte + 1]) << 8);
    case 24:
        return row[byte] | (static_cast<std::uint32_t>(row[byte + 1]) << 8) |
               (static_cast<std::uint32_t>(row[byte + 2]) << 16);
    default:
        return row[byte] | (static_cast<std::uint32_t>(row[byte + 1]) << 8) |
               (static_cast<std::uint32_t>(row[byte + 2]) << 16) | (static_cast<std::uint32_t>(row[byte + 3]) << 24);
    }
}

// Where the parts of a DIB icon image lie, from its header alone.
struct DibLayout {
    std::uint64_t paletteOffset = 0;
    std::uint64_t paletteEntries = 0;
    std::uint64_t xorOffset = 0;
    std::uint64_t xorStride = 0;
    std::uint64_t andStride = 0;
    std::uint64_t height = 0;

    std::uint64_t andOffset() const { return xorOffset + xorStride * height; }
    std::uint64_t end() const { return andOffset() + andStride * height; }
};

DibLayout LayOut(const DibHeader& h)
{
    DibLayout layout;
    layout.paletteOffset = h.headerSize;
    if (h.compression == kBiBitfields && h.headerSize == kDibHeaderSize) layout.paletteOffset += 12;
    // Palette: biClrUsed entries, or the full 2^bits when it is 0. Larger depths may carry
    // an optional table that is skipped.
    layout.paletteEntries = h.colorsUsed;
    if (h.bitCount <= 8 && layout.paletteEntries == 0) layout.paletteEntries = 1u << h.bitCount;
    layout.xorOffset = layout.paletteOffset + layout.paletteEntries * 4;
    const std::uint64_t width = static_cast<std::uint64_t>(h.width);
    layout.xorStride = RowBytes(width, static_cast<std::uint64_t>(h.bitCount));
    layout.andStride = RowBytes(width, 1);
    layout.height = static_cast<std::uint64_t>(h.height);
    return layout;
}

std::optional<IconHandle> DecodeDib(std::span<const std::uint8_t> bytes)
{
    const ByteReader r(bytes);
    auto header = ReadDibHeader(r);
    if (!header) return std::nullopt;
    const DibHeader& h = *header;
    auto format = ReadPixelFormat(r, h);
    if (!format) return std::nullopt;

    const DibLayout layout = LayOut(h);
    std::vector<std::uint32_t> palette;
    if (!r.contains(layout.paletteOffset, layout.paletteEntries * 4)) return std::nullopt;
    if (h.bitCount <= 8) {
        palette.reserve(layout.paletteEntries);
        for (std::uint64_t i = 0; i < layout.paletteEntries; ++i)
            palette.push_back(*r.u32(layout.paletteOffset + i * 4) & 0x00FFFFFFu);
    }

    const std::uint64_t height = layout.height;
    const std::uint64_t xorStride = layout.xorStride;
    const std::uint64_t andStride = layout.andStride;
    auto xorRows = r.slice(layout.xorOffset, xorStride * height);
    if (!xorRows) return std::nullopt;
    auto andRows = r.slice(layout.andOffset(), andStride * height);
    const bool maybeAlpha = h.bitCount == 32 && format->alpha.bits > 0;
    if (!andRows && !maybeAlpha) return std::nullopt;

    Bitmap color(h.width, h.height, 32, 0);
    Bitmap mask(h.width, h.height, 1, kBlack);
    bool anyAlpha = false;
    for (int y = 0; y < h.height; ++y) {
        // Rows are stored bottom-up.
        const std::uint64_t stored = height - 1 - static_cast<std::uint64_t>(y);
        auto row = xorRows->subspan(static_cast<std::size_t>(stored * xorStride), static_cast<std::size_t>(xorStride));
        for (int x = 0; x < h.width; ++x) {
            const std::uint32_t bits = ReadPixelBits(row, x, h.bitCount);
            std::uint32_t px;
            if (h.bitCount <= 8) {
                px = bits < palette.size() ? palette[bits] : kBlack;
            } else {
                px = MakePixel(format->red.Extract(bits), format->green.Extract(bits), format->blue.Extract(bits),
                               format->alpha.Extract(bits));
                if (AlphaOf(px) != 0) anyAlpha = true;
            }
            color.at(x, y) = px;
        }
        if (andRows) {
            auto andRow =
                andRows->subspan(static_cast<std::size_t>(stored * andStride), static_cast<std::size_t>(andStride));
            for (int x = 0; x < h.width; ++x)
                mask.at(x, y) = ReadPixelBits(andRow, x, 1) ? kWhite : kBlack;
        }
    }
    if (!anyAlpha) {
        // No alpha at all: the mask is the only transparency, and it must be there.
        if (!andRows) return std::nullopt;
        for (auto& px : color.pixels)
            px &= 0x00FFFFFFu;
    } else if (!andRows) {
        for (std::size_t i = 0; i < color.pixels.size(); ++i)
            mask.pixels[i] = AlphaOf(color.pixels[i]) == 0 ? kWhite : kBlack;
    }

    IconHandle icon;
    icon.width = h.width;
    icon.height = h.height;
    icon.hasAlpha = anyAlpha;
    icon.color = std::move(color);
    icon.mask = std::move(mask);
    return icon;
}

} // namespace

std::optional<IconImageInfo> ReadIconImageInfo(std::span<const std::uint8_t> image)
{
    const ByteReader r(image);
    if (IsPngSignature(image)) return ReadPngInfo(r);
    auto h = ReadDibHeader(r);
    if (!h) return std::nullopt;
    return IconImageInfo{h->width, h->height, h->bitCount, false};
}

std::optional<std::uint64_t> IconImageExtent(std::span<const std::uint8_t> image)
{
    const ByteReader r(image);
    if (IsPngSignature(image)) {
        // Chunk after chunk (length, type, data, CRC) up to the end of IEND; every chunk
        // takes at least 12 bytes, so the walk ends within the bytes.
        std::uint64_t at = 8;
        while (true) {
            auto length = BigEndian32(r, at);
            if (!length || !r.contains(at, std::uint64_t{12} + *length)) return std::nullopt;
            const bool last = r.u8(at + 4) == 'I' && r.u8(at + 5) == 'E' && r.u8(at + 6) == 'N' && r.u8(at + 7) == 'D';
            at += std::uint64_t{12} + *length;
            if (last) return at;
        }
    }
    auto h = ReadDibHeader(r);
    if (!h) return std::nullopt;
    return LayOut(*h).end();
}

std::optional<IconHandle> DecodeIconImage(std::span<const std::uint8_t> image)
{
    if (IsPngSignature(image)) return DecodePng(image);
    return DecodeDib(image);
}

} // namespace glyphora
