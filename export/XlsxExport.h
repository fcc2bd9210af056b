// The spreadsheet of a save-all run (.xlsx, written through libxlsxwriter): a title row naming
// the source file, a header row, and one row per icon with its number, its group's name, the
// group's image count, the icon's colour depth and the icon itself as a PNG picture in the row.
#pragma once

#include "export/SaveAllDocument.h"

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreateXlsxDocument(const SaveAllContext& context);

// Where things stand on the sheet (0-based rows and columns).
namespace XlsxLayout {
inline constexpr int TitleRow = 0;
inline constexpr int HeaderRow = 1;
inline constexpr int FirstIconRow = 2;
inline constexpr int NumberColumn = 0;
inline constexpr int GroupColumn = 1;
inline constexpr int ImagesColumn = 2;
inline constexpr int DepthColumn = 3;
inline constexpr int PictureColumn = 4;
inline constexpr int PicturePadding = 4; // pixels between the cell's top-left corner and the picture
} // namespace XlsxLayout

} // namespace glyphora
