// Every icon of the current file composed into one picture, laid out exactly as the grid
// shows them.
#pragma once

#include "iconview/IconGridModel.h"
#include "raster/IconHandle.h"

#include <filesystem>
#include <vector>

namespace glyphora {

// The composed picture: white, min(Count, ColCount) column widths + 2 pixels wide and as
// high as the grid, each icon at its icon rectangle; grey when asked.
Bitmap ComposeAllIcons(const IconGridModel& grid, const std::vector<IconHandle>& icons, bool grayScale);

// Writes the composed picture as fileName in the format destType (2 JPEG, 3 EMF, 4 GIF,
// 5 PNG, any other value BMP); a name without extension gets the format's.
void SaveAllAsOne(const IconGridModel& grid, const std::vector<IconHandle>& icons,
                  const std::filesystem::path& fileName, int destType, bool grayScale);

} // namespace glyphora
