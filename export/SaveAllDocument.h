// The seam through which the documents (HTML page, dBase table, PDF page) plug into the
// save-all engine: the engine walks the icons, names and writes the per-icon pictures where
// the kind has them, and hands every icon it did not skip to the document, which writes its
// own file around them.
#pragma once

#include "export/SaveAllRequest.h"
#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <filesystem>
#include <memory>
#include <string>

namespace glyphora {

struct SaveAllContext {
    const SaveAllRequest* request = nullptr;
    std::filesystem::path sourceFile; // full path of the file whose icons are written
    int iconCount = 0;                // icons of the source
    int iconWidth = 32;               // size of the rendered icons
    int iconHeight = 32;
    std::string documentExt; // ".htm", ".dbf", ".pdf", ".xlsx" or the lower-cased extension asked for
};

class SaveAllDocument {
public:
    virtual ~SaveAllDocument() = default;
    // Whether the engine must render the icon on the white work bitmap before AddIcon.
    virtual bool NeedsRenderedIcon() const = 0;
    // Icon index (0-based) was saved: its handle, the rendered bitmap (empty when not
    // needed) and, for kinds with per-icon pictures, the picture's file path.
    virtual void AddIcon(int index, const IconHandle& icon, const Bitmap& rendered,
                         const std::filesystem::path& pictureFile) = 0;
    // After the last icon, with the number of icons saved.
    virtual void Finish(int saveCount) = 0;
};

// The document of a document kind (HTML, dBase, PDF, spreadsheet), created before its first icon.
std::unique_ptr<SaveAllDocument> CreateSaveAllDocument(const SaveAllContext& context);

// The path of a document written as one file: the chosen name in the request's folder, with
// the document extension appended when the name has none.
std::filesystem::path SaveAllDocumentPath(const SaveAllRequest& request, const std::string& documentExt);

} // namespace glyphora
