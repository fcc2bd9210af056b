// Size of the picture that shows every icon laid out as the grid shows them (saving all
// icons as one image and printing the whole grid): as wide as the columns in use plus 2
// pixels, as high as the grid itself, so that every row fits.
#pragma once

#include "iconview/IconGridModel.h"

namespace glyphora {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// width = min(Count, ColCount) * ColWidth + 2; height = Height (RowCount * RowHeight + 2).
// An empty grid gives a picture 2 pixels wide and one row high.
PictureSize ComposedImageSize(const IconGridModel& model);

} // namespace glyphora
