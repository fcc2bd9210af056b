// The PDF page(s) of a save-all run: every icon as an image in a grid from the top left of
// a US Letter page, optionally framed and numbered.
#pragma once

#include "export/SaveAllDocument.h"

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreatePdfDocument(const SaveAllContext& context);

// The fixed geometry of the page and the values derived from the icon size.
struct PdfExportLayout {
    int cellWidth = 0;   // w: the icon's width in points
    int cellHeight = 0;  // h
    int columns = 0;     // C
    int columnStep = 0;  // w + 2 + 2 * borders
    int rowStep = 0;     // RS
    int rowsPerPage = 0; // rows whose frames fit between the top and bottom margins
};

PdfExportLayout ComputePdfExportLayout(int iconWidthPixels, int iconHeightPixels, bool includeNumbers,
                                       bool drawBorders);

} // namespace glyphora
