// The save and export targets and the picture type of the HTML export, as types. The numbers
// that stand for them in stored files, the settings and the command line's word table are
// converted here and nowhere else.
#pragma once

#include <array>

namespace glyphora {

// What a save or an export writes.
enum class OutputKind {
    Icon, // icon files (.ico)
    Bmp,
    Jpeg,
    Emf,
    Gif,
    Png,
    Html,  // an HTML page with the pictures in a folder beside it
    Dbase, // a dBase table with a memo file
    Pdf,
    Xlsx, // a spreadsheet
};

// The kinds one icon, or every icon into a folder, can be saved as: icon files and the five
// picture formats, in the order the menus and the find pane offer them.
inline constexpr std::array<OutputKind, 6> kPictureKinds = {OutputKind::Icon, OutputKind::Bmp, OutputKind::Jpeg,
                                                            OutputKind::Emf,  OutputKind::Gif, OutputKind::Png};

// kPictureKinds[position] (the item of a menu, a list of save types or a choice of buttons),
// Icon for a position outside the list; and back, -1 for a kind outside it.
OutputKind PictureKindAt(int position);
int PictureKindPosition(OutputKind kind);

// True for the five picture formats (BMP, JPEG, EMF, GIF, PNG).
bool IsPictureFormat(OutputKind kind);

// The documents written as one file (dBase, PDF, spreadsheet), without a folder of pictures.
bool IsSingleFileDocument(OutputKind kind);

// The extension (no dot) written for a target: "ico", "bmp", "jpg", "emf", "gif", "png",
// "htm", "dbf", "pdf", "xlsx".
const char* OutputKindExtension(OutputKind kind);

// The extension a single-icon save appends to a name without one: the picture extension for
// a picture format and "ico" for every other kind.
const char* SingleSaveExtension(OutputKind kind);

// The picture format of the images an HTML export writes beside its document.
enum class HtmlPictureType { Png, Jpeg, Gif };

// "png", "jpg" or "gif" (no dot).
const char* HtmlPictureExtension(HtmlPictureType type);

// The picture format that encodes an HTML picture type.
OutputKind HtmlPictureKind(HtmlPictureType type);

// The numeric codes: 0 to 5 for the picture kinds in kPictureKinds order, 11 HTML, 12 dBase,
// 13 PDF, 14 spreadsheet; the codes 6 to 10 are not used and, like every unknown code, read
// as Icon. HTML picture types are the item index of the "PNG", "JPEG", "GIF" list (0 to 2);
// an unknown code reads as Png.
int OutputKindCode(OutputKind kind);
OutputKind OutputKindFromCode(int code);
int HtmlPictureTypeCode(HtmlPictureType type);
HtmlPictureType HtmlPictureTypeFromCode(int code);

} // namespace glyphora
