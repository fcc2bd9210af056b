// Conversions between the platform layer's bitmaps and icons and Qt's images, for the widgets
// that show icons and for the desktop's file-type icons.
#pragma once

#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <QImage>

namespace glyphora {

// An opaque image of the bitmap's pixels (its fourth byte is ignored).
QImage ImageFromBitmap(const Bitmap& bitmap);

// An icon with alpha from an image: the colour image carries the image's alpha, the mask is
// opaque wherever the alpha is not zero. A null image gives a null handle.
IconHandle IconFromImage(const QImage& image);

// The icon drawn with its mask onto a background colour (0x00RRGGBB) at width x height.
QImage RenderIcon(const IconHandle& icon, int width, int height, std::uint32_t background);

// The same for a screen of devicePixelRatio physical pixels a logical one: rendered at
// the physical size and tagged with the ratio, so that Qt draws it at width x height logical
// pixels, one image pixel to a screen pixel.
QImage RenderDeviceIcon(const IconHandle& icon, int width, int height, std::uint32_t background,
                        double devicePixelRatio);

} // namespace glyphora
