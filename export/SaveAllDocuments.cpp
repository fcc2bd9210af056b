// The documents the save-all engine writes around the icons, by output kind.
#include "export/SaveAllDocument.h"

#include "export/DbaseExport.h"
#include "export/HtmlExport.h"
#include "export/PdfExport.h"
#include "platform/GlyphoraError.h"

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreateSaveAllDocument(const SaveAllContext& context)
{
    switch (context.request ? context.request->fileType : -1) {
    case 11: return CreateHtmlDocument(context);
    case 12: return CreateDbaseDocument(context);
    case 13: return CreatePdfDocument(context);
    default: throw GlyphoraError("Output kind " + std::to_string(context.request ? context.request->fileType : -1) + " is not a document.");
    }
}

} // namespace glyphora
