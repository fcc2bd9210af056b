// Every icon of the current file composed into one picture, laid out exactly as the grid
// shows them.
#pragma once

#include "export/OutputKind.h"
#include "iconview/IconGridModel.h"
#include "raster/IconHandle.h"

#include <filesystem>
#include <vector>

namespace glyphora {

class FreeSpaceLimit;

// The composed picture: white, min(Count, ColCount) column widths + 2 pixels wide and as
// high as the grid, each icon at its icon rectangle; grey when asked.
Bitmap ComposeAllIcons(const IconGridModel& grid, const std::vector<IconHandle>& icons, bool grayScale);

// Writes the composed picture as fileName in the format destType (JPEG, EMF, GIF or PNG for
// those kinds, BMP for every other kind); a name without extension gets the format's. With a
// space limit (the tests' full disk) the file's bytes are taken from it.
void SaveAllAsOne(const IconGridModel& grid, const std::vector<IconHandle>& icons,
                  const std::filesystem::path& fileName, OutputKind destType, bool grayScale,
                  FreeSpaceLimit* space = nullptr);

} // namespace glyphora
