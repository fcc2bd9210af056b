// The printed picture of the icon grid and its size on the page.
#include "iconview/GridPrint.h"

#include "raster/RasterDraw.h"

#include <cmath>
#include <cstdint>

namespace glyphora {

namespace {

// a * b / c rounded to the nearest integer, halves to even, in 64-bit arithmetic.
int MulDivRounded(int a, int b, int c)
{
    if (c == 0) return 0;
    const double exact = static_cast<double>(static_cast<std::int64_t>(a) * b) / c;
    return static_cast<int>(std::nearbyint(exact));
}

} // namespace

PrintExtent PrintOutputSize(int width, int height, PrintSizing sizing, const PrintPage& page)
{
    if (width <= 0 || height <= 0) return {};
    switch (sizing) {
    case PrintSizing::ActualSize:
        return {MulDivRounded(width, page.dpiX, page.screenDpi), MulDivRounded(height, page.dpiY, page.screenDpi)};
    case PrintSizing::FitToPage: {
        const int fullHeightWidth = MulDivRounded(width, page.height, height);
        if (fullHeightWidth < page.width) return {fullHeightWidth, page.height};
        return {page.width, MulDivRounded(height, page.width, width)};
    }
    case PrintSizing::PrinterPixels: break;
    }
    return {width, height};
}

Bitmap PrintPicture(const IconGridModel& grid, const std::vector<IconHandle>& icons, bool all)
{
    if (all) {
        Bitmap picture(grid.ColWidth() * grid.ColCount() + 2, grid.Height(), 24, kWhite);
        grid.DrawAll(picture, icons);
        return picture;
    }
    const int index = grid.ItemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= icons.size()) return {};
    Bitmap picture(grid.ItemWidth(), grid.ItemHeight(), 24, kWhite);
    DrawIcon(picture, icons[static_cast<std::size_t>(index)], 0, 0);
    return picture;
}

} // namespace glyphora
