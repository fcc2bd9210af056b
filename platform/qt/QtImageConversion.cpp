// Conversions between the platform layer's bitmaps and icons and Qt's images.
#include "platform/qt/QtImageConversion.h"

#include "raster/DevicePixels.h"
#include "raster/RasterDraw.h"

namespace glyphora {

QImage ImageFromBitmap(const Bitmap& bitmap)
{
    if (bitmap.empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            line[x] = 0xFF000000u | (bitmap.at(x, y) & 0x00FFFFFFu);
    }
    return image;
}

IconHandle IconFromImage(const QImage& source)
{
    IconHandle icon;
    if (source.isNull()) return icon;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    icon.width = image.width();
    icon.height = image.height();
    icon.color = Bitmap(icon.width, icon.height, 32, kBlack);
    icon.mask = Bitmap(icon.width, icon.height, 1, kWhite);
    for (int y = 0; y < icon.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < icon.width; ++x) {
            const QRgb p = line[x];
            const int alpha = qAlpha(p);
            icon.color->at(x, y) = MakePixel(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                                             static_cast<std::uint8_t>(qBlue(p)), static_cast<std::uint8_t>(alpha));
            if (alpha != 0) {
                icon.mask.at(x, y) = kBlack;
                icon.hasAlpha = true;
            }
        }
    }
    return icon;
}

QImage RenderIcon(const IconHandle& icon, int width, int height, std::uint32_t background)
{
    Bitmap canvas(width, height, 24, background & 0x00FFFFFFu);
    DrawIconScaled(canvas, icon, 0, 0, width, height);
    return ImageFromBitmap(canvas);
}

QImage RenderDeviceIcon(const IconHandle& icon, int width, int height, std::uint32_t background,
                        double devicePixelRatio)
{
    QImage image = RenderIcon(icon, DevicePixelSize(width, devicePixelRatio), DevicePixelSize(height, devicePixelRatio),
                              background);
    image.setDevicePixelRatio(static_cast<qreal>(image.width()) / width);
    return image;
}

} // namespace glyphora
