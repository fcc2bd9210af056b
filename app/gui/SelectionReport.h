// What the status bar's panels 1 to 3 show for the grid's selection: the icon's number and
// the count, the number of images in its icon group, and its colour depth.
#pragma once

#include "raster/IconHandle.h"

#include <filesystem>
#include <string>

namespace glyphora {

struct SelectionStatus {
    std::string position;   // panel 1: "3 / 12", or the count alone when nothing is selected
    std::string images;     // panel 2: text 262 with the image count, or "?" when unreadable
    std::string colorDepth; // panel 3: text 261 with the depth label
};

// icon is the selected icon (ignored when index < 0); file the current file.
SelectionStatus ReportSelection(int index, int count, const std::filesystem::path& file, const IconHandle* icon);

} // namespace glyphora
