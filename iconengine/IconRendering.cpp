// Measuring, classifying and converting icons: the pixel side of icon rendering.
#include "iconengine/IconRendering.h"

#include "formats/IconImageDecoder.h"
#include "raster/RasterDraw.h"

#include <algorithm>
#include <span>

namespace glyphora {

namespace {

void PutLE(std::vector<std::uint8_t>& out, std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap whose pixels can be taken as they are: consistent and within the pixel ceiling.
bool IsUsable(const Bitmap& bitmap)
{
    if (bitmap.width < 0 || bitmap.height < 0) return false;
    const std::uint64_t count = std::uint64_t(bitmap.width) * std::uint64_t(bitmap.height);
    return count <= kMaxIconPixels && bitmap.pixels.size() == count;
}

std::span<const std::uint32_t> PaletteFor(int bitCount)
{
    static constexpr std::uint32_t kBlackWhite[2] = {kBlack, kWhite};
    switch (bitCount) {
    case 1: return kBlackWhite;
    case 4: return VgaPalette();
    case 8: return StandardPalette();
    default: return {};
    }
}

Bitmap Rows(const Bitmap& source, int firstRow, int rowCount)
{
    Bitmap half(source.width, rowCount, 1, kWhite);
    const auto first = source.pixels.begin() + static_cast<std::ptrdiff_t>(firstRow) * source.width;
    std::copy_n(first, half.pixels.size(), half.pixels.begin());
    return half;
}

} // namespace

IconMaskSize GetIconSize(const IconHandle& icon)
{
    if (icon.isNull()) return {};
    return {icon.mask.width, icon.mask.height};
}

IconColorDepth GetColorCount(const IconHandle& icon)
{
    // A 32-bit canvas, so that drawing an icon with alpha leaves its alpha in the fourth byte.
    Bitmap canvas(std::max(icon.width, 0), std::max(icon.height, 0), 32, kWhite);
    if (!canvas.empty()) DrawIcon(canvas, icon, 0, 0);
    return GetBitmapColorDepth(canvas);
}

IconColorDepth GetBitmapColorDepth(const Bitmap& bitmap)
{
    if (bitmap.empty() || !IsUsable(bitmap)) return IconColorDepth::Bits4;
    // Only a 32-bit bitmap carries a fourth byte into a 32-bit copy.
    const std::uint32_t keep = bitmap.bitsPerPixel == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    std::vector<std::uint32_t> storage;
    storage.reserve(bitmap.pixels.size());
    for (int y = bitmap.height - 1; y >= 0; --y)
        for (int x = 0; x < bitmap.width; ++x)
            storage.push_back(bitmap.at(x, y) & keep);
    return ClassifyColorDepth(storage);
}

std::optional<IconBitmapInfo> MakeIconBitmapInfo(int width, int height, IconColorDepth depth)
{
    if (width < 0) return std::nullopt;
    IconBitmapInfo result;
    result.bitCount = ColorDepthBitsPerPixel(depth);
    result.colorsUsed = ColorDepthColorsUsed(depth);
    const std::uint64_t rowBytes =
        ((std::uint64_t(width) * std::uint64_t(result.bitCount) + 31) & ~std::uint64_t{31}) / 8;
    const std::uint64_t absHeight = height < 0 ? -std::int64_t{height} : height;
    const std::uint64_t sizeImage = rowBytes * absHeight; // both below 2^35: no overflow
    if (sizeImage > 0xFFFFFFFFu) return std::nullopt;
    result.sizeImage = static_cast<std::uint32_t>(sizeImage);

    result.info.assign(40 + (result.bitCount <= 8 ? 4 * std::size_t{result.colorsUsed} : 0), 0);
    PutLE(result.info, 0, 40);
    PutLE(result.info, 4, static_cast<std::uint32_t>(width));
    PutLE(result.info, 8, static_cast<std::uint32_t>(height));
    PutLE(result.info, 12, 1 | (static_cast<std::uint32_t>(result.bitCount) << 16)); // planes, bit count
    PutLE(result.info, 16, 0);                                                       // uncompressed
    PutLE(result.info, 20, result.sizeImage);
    PutLE(result.info, 32, result.colorsUsed);
    PutLE(result.info, 36, result.colorsUsed); // biClrImportant
    return result;
}

std::optional<ConvertedBitmap> ConvertIconBitmap(const Bitmap& bitmap, IconColorDepth depth)
{
    if (!IsUsable(bitmap)) return std::nullopt;
    auto header = MakeIconBitmapInfo(bitmap.width, bitmap.height, depth);
    if (!header) return std::nullopt;
    ConvertedBitmap result;
    result.width = bitmap.width;
    result.height = bitmap.height;
    const auto palette = PaletteFor(header->bitCount);
    for (std::size_t i = 0; i < palette.size(); ++i)
        PutLE(header->info, 40 + 4 * i, palette[i] & 0x00FFFFFFu);
    result.rows = DibRows(bitmap, header->bitCount, palette);
    if (result.rows.size() != header->sizeImage) return std::nullopt;
    result.header = std::move(*header);
    return result;
}

Bitmap SplitMonochromeIcon(Bitmap& mask)
{
    const int h = mask.height / 2;
    if (!IsUsable(mask) || h <= 0) {
        mask = Bitmap(std::max(mask.width, 0), 0, 1);
        return Bitmap(mask.width, 0, 1);
    }
    Bitmap xorImage = Rows(mask, h, h);
    mask = Rows(mask, 0, h);
    return xorImage;
}

} // namespace glyphora
