// The numeric save and export targets. They travel as plain integers (save commands, menu
// item tags, the "Export as" choice, the picture format stored in a dBase table), so the
// names below are int constants rather than a scoped enum.
#pragma once

namespace glyphora {

namespace OutputKind {
inline constexpr int Icon = 0;
inline constexpr int Bmp = 1;
inline constexpr int Jpeg = 2;
inline constexpr int Emf = 3;
inline constexpr int Gif = 4;
inline constexpr int Png = 5;
// 6 to 10 are not used; the save-all path treats them as Icon.
inline constexpr int Html = 11;
inline constexpr int Dbase = 12;
inline constexpr int Pdf = 13;
inline constexpr int Xlsx = 14;
} // namespace OutputKind

// The extension (no dot) written for a target: "ico", "bmp", "jpg", "emf", "gif", "png",
// "htm", "dbf", "pdf", "xlsx". The unused codes 6 to 10 and unknown codes give "ico".
const char* OutputKindExtension(int kind);

// The extension a single-icon save appends to a name without one: the picture extension for
// codes 1 to 5 and "ico" for every other code.
const char* SingleSaveExtension(int kind);

// The picture format of the images an HTML export writes beside its document. A separate
// code set from OutputKind: it is the item index of the "PNG", "JPEG", "GIF" list.
namespace TargetImageType {
inline constexpr int Png = 0;
inline constexpr int Jpeg = 1;
inline constexpr int Gif = 2;
} // namespace TargetImageType

// "png", "jpg" or "gif" (no dot); any unknown code behaves as Png.
const char* TargetImageExtension(int targetImageType);

// The OutputKind that encodes a TargetImageType (Png, Jpeg or Gif); unknown codes give Png.
int TargetImageOutputKind(int targetImageType);

} // namespace glyphora
