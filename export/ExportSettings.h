// The export options of the running program: what shapes the HTML, dBase and PDF exports
// and the grey conversion of the folder save. All but columnCount are stored with the
// settings; columnCount follows the grid each time a file is opened.
#pragma once

#include <string>

namespace glyphora {

struct ExportSettings {
    int columnCount = 1;        // cells per table row of the HTML export
    bool includeNumbers = true; // icon numbers under the icons (HTML, PDF)
    bool drawBorders = true;    // table borders (HTML) or frames (PDF)
    bool grayScale = false;     // grey pictures
    std::string dbfFieldName = "ICON";
    int targetImageType = 0; // HTML pictures: 0 PNG, 1 JPEG, 2 GIF
    int dbfType = 0;         // dBase memos: OutputKind 0 to 5
};

// Stored values outside their range read as 0.
inline int ValidTargetImageType(int stored)
{
    return stored >= 0 && stored <= 2 ? stored : 0;
}
inline int ValidDbfType(int stored)
{
    return stored >= 0 && stored <= 5 ? stored : 0;
}

// The column count a newly opened file gives the HTML export: the grid's columns, but no
// more than the file has icons.
inline int ColumnCountFor(int gridColumns, int iconCount)
{
    return gridColumns < iconCount ? gridColumns : iconCount;
}

} // namespace glyphora
