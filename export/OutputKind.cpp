// The save and export targets: their extensions and their numeric codes.
#include "export/OutputKind.h"

namespace glyphora {

OutputKind PictureKindAt(int position)
{
    return position >= 0 && position < static_cast<int>(kPictureKinds.size())
               ? kPictureKinds[static_cast<std::size_t>(position)]
               : OutputKind::Icon;
}

int PictureKindPosition(OutputKind kind)
{
    for (std::size_t i = 0; i < kPictureKinds.size(); ++i)
        if (kPictureKinds[i] == kind) return static_cast<int>(i);
    return -1;
}

bool IsPictureFormat(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Bmp:
    case OutputKind::Jpeg:
    case OutputKind::Emf:
    case OutputKind::Gif:
    case OutputKind::Png: return true;
    case OutputKind::Icon:
    case OutputKind::Html:
    case OutputKind::Dbase:
    case OutputKind::Pdf:
    case OutputKind::Xlsx: break;
    }
    return false;
}

bool IsSingleFileDocument(OutputKind kind)
{
    return kind == OutputKind::Dbase || kind == OutputKind::Pdf || kind == OutputKind::Xlsx;
}

const char* OutputKindExtension(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Icon: break;
    case OutputKind::Bmp: return "bmp";
    case OutputKind::Jpeg: return "jpg";
    case OutputKind::Emf: return "emf";
    case OutputKind::Gif: return "gif";
    case OutputKind::Png: return "png";
    case OutputKind::Html: return "htm";
    case OutputKind::Dbase: return "dbf";
    case OutputKind::Pdf: return "pdf";
    case OutputKind::Xlsx: return "xlsx";
    }
    return "ico";
}

const char* SingleSaveExtension(OutputKind kind)
{
    return IsPictureFormat(kind) ? OutputKindExtension(kind) : "ico";
}

OutputKind HtmlPictureKind(HtmlPictureType type)
{
    switch (type) {
    case HtmlPictureType::Png: break;
    case HtmlPictureType::Jpeg: return OutputKind::Jpeg;
    case HtmlPictureType::Gif: return OutputKind::Gif;
    }
    return OutputKind::Png;
}

const char* HtmlPictureExtension(HtmlPictureType type)
{
    return OutputKindExtension(HtmlPictureKind(type));
}

int OutputKindCode(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Icon: return 0;
    case OutputKind::Bmp: return 1;
    case OutputKind::Jpeg: return 2;
    case OutputKind::Emf: return 3;
    case OutputKind::Gif: return 4;
    case OutputKind::Png: return 5;
    case OutputKind::Html: return 11;
    case OutputKind::Dbase: return 12;
    case OutputKind::Pdf: return 13;
    case OutputKind::Xlsx: return 14;
    }
    return 0;
}

OutputKind OutputKindFromCode(int code)
{
    switch (code) {
    case 1: return OutputKind::Bmp;
    case 2: return OutputKind::Jpeg;
    case 3: return OutputKind::Emf;
    case 4: return OutputKind::Gif;
    case 5: return OutputKind::Png;
    case 11: return OutputKind::Html;
    case 12: return OutputKind::Dbase;
    case 13: return OutputKind::Pdf;
    case 14: return OutputKind::Xlsx;
    default: return OutputKind::Icon;
    }
}

int HtmlPictureTypeCode(HtmlPictureType type)
{
    return static_cast<int>(type);
}

HtmlPictureType HtmlPictureTypeFromCode(int code)
{
    switch (code) {
    case 1: return HtmlPictureType::Jpeg;
    case 2: return HtmlPictureType::Gif;
    default: return HtmlPictureType::Png;
    }
}

} // namespace glyphora
