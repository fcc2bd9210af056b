// The documents the save-all engine writes around the icons, by output kind.
#include "export/SaveAllDocument.h"

#include "export/DbaseExport.h"
#include "export/HtmlExport.h"
#include "export/OutputKind.h"
#include "export/PdfExport.h"
#include "export/XlsxExport.h"
#include "platform/GlyphoraError.h"

namespace glyphora {

std::unique_ptr<SaveAllDocument> CreateSaveAllDocument(const SaveAllContext& context)
{
    if (!context.request) throw GlyphoraError("A document needs the request it is written for.");
    const OutputKind kind = context.request->fileType;
    switch (kind) {
    case OutputKind::Html: return CreateHtmlDocument(context);
    case OutputKind::Dbase: return CreateDbaseDocument(context);
    case OutputKind::Pdf: return CreatePdfDocument(context);
    case OutputKind::Xlsx: return CreateXlsxDocument(context);
    case OutputKind::Icon:
    case OutputKind::Bmp:
    case OutputKind::Jpeg:
    case OutputKind::Emf:
    case OutputKind::Gif:
    case OutputKind::Png: break;
    }
    throw GlyphoraError("Output kind " + std::to_string(OutputKindCode(kind)) + " is not a document.");
}

std::filesystem::path SaveAllDocumentPath(const SaveAllRequest& request, const std::string& documentExt)
{
    std::filesystem::path name = request.destFileName.filename();
    if (!name.has_extension()) name += documentExt;
    return request.destDir.empty() ? name : request.destDir / name;
}

} // namespace glyphora
