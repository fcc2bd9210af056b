// Extension tables of the save and export target codes.
#include "export/OutputKind.h"

namespace glyphora {

const char* OutputKindExtension(int kind)
{
    switch (kind) {
    case OutputKind::Bmp: return "bmp";
    case OutputKind::Jpeg: return "jpg";
    case OutputKind::Emf: return "emf";
    case OutputKind::Gif: return "gif";
    case OutputKind::Png: return "png";
    case OutputKind::Html: return "htm";
    case OutputKind::Dbase: return "dbf";
    case OutputKind::Pdf: return "pdf";
    case OutputKind::Xlsx: return "xlsx";
    default: return "ico";
    }
}

const char* SingleSaveExtension(int kind)
{
    return kind >= OutputKind::Bmp && kind <= OutputKind::Png ? OutputKindExtension(kind) : "ico";
}

int TargetImageOutputKind(int targetImageType)
{
    switch (targetImageType) {
    case TargetImageType::Jpeg: return OutputKind::Jpeg;
    case TargetImageType::Gif: return OutputKind::Gif;
    default: return OutputKind::Png;
    }
}

const char* TargetImageExtension(int targetImageType)
{
    return OutputKindExtension(TargetImageOutputKind(targetImageType));
}

} // namespace glyphora
