// Putting the grid's print picture on a page: the picture drawn from the page's top-left
// corner at the size PrintOutputSize gives for the device's page and resolution. The device is
// the printer, the printer's PDF output, or the page a print preview shows.
#pragma once

#include "iconview/GridPrint.h"
#include "raster/Bitmap.h"

class QPaintDevice;

namespace glyphora {

// The device's page as PrintOutputSize takes it (its paintable area in device pixels).
PrintPage PageOf(const QPaintDevice& device, int screenDpi);

// Draws the picture on the device's (first) page, one picture pixel as one block of device
// pixels (no smoothing). Throws GlyphoraError when the device cannot start a page, for example
// a print job that cannot start.
void PrintBitmap(QPaintDevice& device, const Bitmap& picture, PrintSizing sizing, int screenDpi);

} // namespace glyphora
