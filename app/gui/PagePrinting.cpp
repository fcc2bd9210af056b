// The print picture on a page.
#include "app/gui/PagePrinting.h"

#include "platform/GlyphoraError.h"
#include "platform/qt/QtImageConversion.h"

#include <QPaintDevice>
#include <QPainter>

namespace glyphora {

PrintPage PageOf(const QPaintDevice& device, int screenDpi)
{
    return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY(), screenDpi};
}

void PrintBitmap(QPaintDevice& device, const Bitmap& picture, PrintSizing sizing, int screenDpi)
{
    const PrintExtent extent = PrintOutputSize(picture.width, picture.height, sizing, PageOf(device, screenDpi));
    QPainter painter;
    if (!painter.begin(&device)) throw GlyphoraError("The print job could not be started.");
    // Icons are small and sharp: a PDF page (the printer's file output) must keep the picture
    // as it is rather than JPEG-compress it, and each pixel becomes a block, never a blur.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (extent.width > 0 && extent.height > 0)
        painter.drawImage(QRect(0, 0, extent.width, extent.height), ImageFromBitmap(picture));
    if (!painter.end()) throw GlyphoraError("The page could not be printed.");
}

} // namespace glyphora
