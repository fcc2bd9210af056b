// Raster drawing: an icon drawn with its mask or its alpha, icon resampling, and the
// conversion of a bitmap into the rows of a written DIB.
#include "raster/RasterDraw.h"

#include "platform/GlyphoraError.h"

#include <algorithm>
#include <cmath>

namespace glyphora {
namespace {

bool IsMonochrome(const IconHandle& icon)
{
    return !icon.color && icon.mask.width == icon.width && icon.mask.height == icon.height * 2;
}

bool HasUsableColor(const IconHandle& icon)
{
    return icon.color && icon.color->width == icon.width && icon.color->height == icon.height &&
           icon.mask.width == icon.width && icon.mask.height == icon.height;
}

std::uint8_t Blend(std::uint8_t s, std::uint8_t d, std::uint32_t a)
{
    return static_cast<std::uint8_t>((s * a + d * (255u - a) + 127u) / 255u);
}

// The mask pixel as the value ANDed into the destination: 0 keeps nothing, 0x00FFFFFF keeps
// the colour bytes (the fourth byte is cleared, as a 1-bit mask expanded to colour would).
std::uint32_t AndValue(std::uint32_t maskPixel)
{
    return (maskPixel & 0x00FFFFFFu) != 0 ? 0x00FFFFFFu : 0u;
}

// ---- resampling -----------------------------------------------------------------------

struct Tap {
    int index;
    double weight;
};

// Source taps of every destination coordinate along one axis: the covered area when
// shrinking, the two neighbours (bilinear) when growing. Weights of one coordinate sum to 1.
std::vector<std::vector<Tap>> AxisTaps(int src, int dst)
{
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(dst));
    const double scale = static_cast<double>(src) / dst;
    for (int i = 0; i < dst; ++i) {
        auto& t = taps[static_cast<std::size_t>(i)];
        if (src == dst) {
            t.push_back({i, 1.0});
        } else if (dst < src) {
            const double start = i * scale, end = (i + 1) * scale;
            const int first = static_cast<int>(std::floor(start));
            const int last = std::min(src - 1, static_cast<int>(std::ceil(end)) - 1);
            for (int j = first; j <= last; ++j) {
                const double overlap = std::min(end, j + 1.0) - std::max(start, static_cast<double>(j));
                if (overlap > 0) t.push_back({j, overlap / scale});
            }
        } else {
            const double pos = std::clamp((i + 0.5) * scale - 0.5, 0.0, static_cast<double>(src - 1));
            const int j0 = static_cast<int>(std::floor(pos));
            const int j1 = std::min(j0 + 1, src - 1);
            const double f = pos - j0;
            t.push_back({j0, 1.0 - f});
            if (f > 0 && j1 != j0) t.push_back({j1, f});
        }
    }
    return taps;
}

std::uint8_t ToByte(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Resamples a colour icon (colour image + mask of the same size).
IconHandle ScaleColorIcon(const IconHandle& icon, int width, int height)
{
    const Bitmap& src = *icon.color;
    const auto xs = AxisTaps(icon.width, width);
    const auto ys = AxisTaps(icon.height, height);
    IconHandle out;
    out.width = width;
    out.height = height;
    out.hasAlpha = icon.hasAlpha;
    Bitmap color(width, height, 32, 0);
    Bitmap mask(width, height, 1, kBlack);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Sums over opaque and transparent source area separately (non-alpha icons), or
            // colour premultiplied by alpha (alpha icons).
            double opaque = 0, clear = 0, alpha = 0;
            double on[3] = {0, 0, 0}, off[3] = {0, 0, 0};
            for (const Tap& ty : ys[static_cast<std::size_t>(y)]) {
                for (const Tap& tx : xs[static_cast<std::size_t>(x)]) {
                    const double w = tx.weight * ty.weight;
                    const std::uint32_t p = src.at(tx.index, ty.index);
                    const bool transparent = (icon.mask.at(tx.index, ty.index) & 0x00FFFFFFu) != 0;
                    const double channels[3] = {static_cast<double>(BlueOf(p)), static_cast<double>(GreenOf(p)),
                                                static_cast<double>(RedOf(p))};
                    double* sum = transparent ? off : on;
                    double cw = w;
                    if (icon.hasAlpha) {
                        cw = w * AlphaOf(p);
                        alpha += cw;
                        sum = on;
                    }
                    (transparent ? clear : opaque) += w;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += cw * channels[c];
                }
            }
            const bool transparent = clear > opaque;
            mask.at(x, y) = transparent ? kWhite : kBlack;
            double divisor;
            const double* sum;
            if (icon.hasAlpha) {
                divisor = alpha;
                sum = on;
            } else {
                divisor = transparent ? clear : opaque;
                sum = transparent ? off : on;
            }
            if (divisor <= 0) continue;
            color.at(x, y) = MakePixel(ToByte(sum[2] / divisor), ToByte(sum[1] / divisor), ToByte(sum[0] / divisor),
                                       icon.hasAlpha ? ToByte(alpha) : 0);
        }
    }
    out.color = std::move(color);
    out.mask = std::move(mask);
    return out;
}

// A monochrome icon as a colour icon (XOR half as colour, AND half as mask) and back.
IconHandle ExpandMonochrome(const IconHandle& icon)
{
    IconHandle out;
    out.width = icon.width;
    out.height = icon.height;
    Bitmap color(icon.width, icon.height, 32, 0);
    Bitmap mask(icon.width, icon.height, 1, kBlack);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            mask.at(x, y) = icon.mask.at(x, y);
            color.at(x, y) = (icon.mask.at(x, y + icon.height) & 0x00FFFFFFu) != 0 ? kWhite : kBlack;
        }
    out.color = std::move(color);
    out.mask = std::move(mask);
    return out;
}

IconHandle CollapseMonochrome(const IconHandle& icon)
{
    IconHandle out;
    out.width = icon.width;
    out.height = icon.height;
    out.mask = Bitmap(icon.width, icon.height * 2, 1, kBlack);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            const std::uint32_t p = icon.color->at(x, y);
            const int luma = RedOf(p) * 299 + GreenOf(p) * 587 + BlueOf(p) * 114;
            out.mask.at(x, y) = icon.mask.at(x, y);
            out.mask.at(x, y + icon.height) = luma >= 128 * 1000 ? kWhite : kBlack;
        }
    return out;
}

bool ValidTarget(int width, int height)
{
    return width > 0 && height > 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxIconPixels;
}

} // namespace

void DrawIcon(Bitmap& dst, const IconHandle& icon, int x, int y)
{
    if (icon.isNull() || dst.empty()) return;
    const bool mono = IsMonochrome(icon);
    if (!mono && !HasUsableColor(icon)) return;
    const bool dst32 = dst.bitsPerPixel == 32;
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = static_cast<int>(std::min<std::int64_t>(dst.width, static_cast<std::int64_t>(x) + icon.width));
    const int y1 = static_cast<int>(std::min<std::int64_t>(dst.height, static_cast<std::int64_t>(y) + icon.height));
    for (int dy = y0; dy < y1; ++dy) {
        const int sy = dy - y;
        for (int dx = x0; dx < x1; ++dx) {
            const int sx = dx - x;
            std::uint32_t& d = dst.at(dx, dy);
            if (mono) {
                const std::uint32_t xorValue = icon.mask.at(sx, sy + icon.height) & 0x00FFFFFFu;
                d = (d & AndValue(icon.mask.at(sx, sy))) ^ xorValue;
            } else if (!icon.hasAlpha) {
                d = (d & AndValue(icon.mask.at(sx, sy))) ^ (icon.color->at(sx, sy) & 0x00FFFFFFu);
            } else {
                const std::uint32_t s = icon.color->at(sx, sy);
                const std::uint32_t a = AlphaOf(s);
                const std::uint8_t outAlpha =
                    dst32 ? static_cast<std::uint8_t>(a + ((255u - a) * AlphaOf(d) + 127u) / 255u) : 0;
                d = MakePixel(Blend(RedOf(s), RedOf(d), a), Blend(GreenOf(s), GreenOf(d), a),
                              Blend(BlueOf(s), BlueOf(d), a), outAlpha);
            }
            if (!dst32) d &= 0x00FFFFFFu;
        }
    }
}

void DrawIconScaled(Bitmap& dst, const IconHandle& icon, int x, int y, int width, int height)
{
    if (icon.isNull()) return;
    if (width == icon.width && height == icon.height) {
        DrawIcon(dst, icon, x, y);
        return;
    }
    DrawIcon(dst, ScaleIcon(icon, width, height), x, y);
}

IconHandle ScaleIcon(const IconHandle& icon, int width, int height)
{
    if (icon.isNull() || !ValidTarget(width, height)) return {};
    if (IsMonochrome(icon)) return CollapseMonochrome(ScaleColorIcon(ExpandMonochrome(icon), width, height));
    if (!HasUsableColor(icon)) return {};
    return ScaleColorIcon(icon, width, height);
}

int NearestPaletteIndex(std::uint32_t rgb, std::span<const std::uint32_t> palette)
{
    int best = 0;
    std::int64_t bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::int64_t dr = RedOf(rgb) - RedOf(palette[i]);
        const std::int64_t dg = GreenOf(rgb) - GreenOf(palette[i]);
        const std::int64_t db = BlueOf(rgb) - BlueOf(palette[i]);
        const std::int64_t distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<std::uint8_t> DibRows(const Bitmap& bmp, int bitsPerPixel, std::span<const std::uint32_t> palette)
{
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw GlyphoraError("Unsupported bitmap depth: " + std::to_string(bitsPerPixel) + " bits per pixel.");
    if (bitsPerPixel <= 8 && (palette.empty() || palette.size() > (std::size_t{1} << bitsPerPixel)))
        throw GlyphoraError("A " + std::to_string(bitsPerPixel) + "-bit bitmap needs a palette of 1 to " +
                            std::to_string(1 << bitsPerPixel) + " colours.");
    if (bmp.empty()) return {};
    const std::size_t stride =
        (static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(bmp.height), 0);
    for (int y = 0; y < bmp.height; ++y) {
        std::uint8_t* row = rows.data() + stride * static_cast<std::size_t>(bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            const std::uint32_t p = bmp.at(x, y);
            const std::size_t ux = static_cast<std::size_t>(x);
            switch (bitsPerPixel) {
            case 1:
            case 4:
            case 8: {
                const auto index = static_cast<std::uint32_t>(NearestPaletteIndex(p, palette));
                const std::size_t bit = ux * static_cast<std::size_t>(bitsPerPixel);
                const int shift = 8 - bitsPerPixel - static_cast<int>(bit % 8);
                row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (index << shift));
                break;
            }
            case 24:
                row[ux * 3] = BlueOf(p);
                row[ux * 3 + 1] = GreenOf(p);
                row[ux * 3 + 2] = RedOf(p);
                break;
            default:
                row[ux * 4] = BlueOf(p);
                row[ux * 4 + 1] = GreenOf(p);
                row[ux * 4 + 2] = RedOf(p);
                row[ux * 4 + 3] = AlphaOf(p);
                break;
            }
        }
    }
    return rows;
}

} // namespace glyphora
