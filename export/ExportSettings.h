// The export options of the running program: what shapes the HTML, dBase and PDF exports
// and the grey conversion of the folder save. All but columnCount are stored with the
// settings; columnCount follows the grid each time a file is opened.
#pragma once

#include "export/OutputKind.h"

#include <string>

namespace glyphora {

struct ExportSettings {
    int columnCount = 1;        // cells per table row of the HTML export
    bool includeNumbers = true; // icon numbers under the icons (HTML, PDF)
    bool drawBorders = true;    // table borders (HTML) or frames (PDF)
    bool grayScale = false;     // grey pictures
    std::string dbfFieldName = "ICON";
    HtmlPictureType targetImageType = HtmlPictureType::Png; // HTML pictures
    OutputKind dbfType = OutputKind::Icon;                  // dBase memos: an icon file or a picture format
};

// What a dBase memo can hold: one of kPictureKinds; any other kind reads as Icon.
inline OutputKind ValidDbfType(OutputKind kind)
{
    return kind == OutputKind::Icon || IsPictureFormat(kind) ? kind : OutputKind::Icon;
}

// The column count a newly opened file gives the HTML export: the grid's columns, but no
// more than the file has icons.
inline int ColumnCountFor(int gridColumns, int iconCount)
{
    return gridColumns < iconCount ? gridColumns : iconCount;
}

} // namespace glyphora
