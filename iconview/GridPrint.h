// What printing the icon grid puts on the page, free of any toolkit: the picture (the whole
// grid as it is laid out, or the selected icon alone) and the size it takes on the page, at
// its screen size or enlarged to fill the page. The window hands both to the printer.
#pragma once

#include "iconview/IconGridModel.h"
#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <vector>

namespace glyphora {

// How the picture is scaled onto the page.
enum class PrintSizing {
    ActualSize,    // the size it has on the screen
    FitToPage,     // as large as the page allows, in proportion, touching two opposite edges
    PrinterPixels, // one picture pixel per printer pixel
};

// The page in printer pixels and the resolutions involved.
struct PrintPage {
    int width = 0; // the printable area
    int height = 0;
    int dpiX = 0; // the printer's pixels per inch
    int dpiY = 0;
    int screenDpi = 96; // the screen's pixels per inch
};

struct PrintExtent {
    int width = 0;
    int height = 0;
    bool operator==(const PrintExtent&) const = default;
};

// The size of a width x height picture on the page, drawn from the page's top-left corner.
// Actual size: each side times the printer's resolution over the screen's, rounded. Fit to
// page: the width for the full page height, or, when that would be wider than the page, the
// full page width with the height in proportion. An empty picture takes no room.
PrintExtent PrintOutputSize(int width, int height, PrintSizing sizing, const PrintPage& page);

// The picture to print on white: with all, every icon at its cell on a picture as wide as all
// the grid's columns plus 2 pixels and as high as the grid; otherwise the selected icon alone
// at ItemWidth x ItemHeight (an empty picture when nothing is selected).
Bitmap PrintPicture(const IconGridModel& grid, const std::vector<IconHandle>& icons, bool all);

} // namespace glyphora
