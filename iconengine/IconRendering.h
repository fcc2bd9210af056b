// Turning a live icon into pixels and files: its size, the colour-depth class of the icon as
// displayed or of a bitmap, conversion of its colour image and mask into DIB rows of a chosen
// depth, and writing it as a single-image .ico file or into a stream.
#pragma once

#include "iconengine/ColorDepth.h"
#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

struct IconMaskSize {
    int width = 0;
    int height = 0;
};

// The width and height of the icon's mask: for a monochrome icon twice the icon's height;
// (0, 0) for a null handle.
IconMaskSize GetIconSize(const IconHandle& icon);

// The class of the icon as displayed: drawn with its mask onto white at its natural size.
// Transparent pixels stay white and never count; an icon with alpha classifies as 32 bits.
IconColorDepth GetColorCount(const IconHandle& icon);

// The class of a bitmap's pixels in storage order (bottom row first, each row left to right).
// A bitmap that cannot be copied for the purpose (no pixels, inconsistent, over the pixel
// ceiling) counts as class 1.
IconColorDepth GetBitmapColorDepth(const Bitmap& bitmap);

// A BITMAPINFOHEADER and room for its palette (zero-filled), as an icon image of the class
// is written. Other class values are taken as 24 bits.
struct IconBitmapInfo {
    std::vector<std::uint8_t> info; // header + palette; its size is the info size
    int bitCount = 24;
    std::uint32_t colorsUsed = 0;
    std::uint32_t sizeImage = 0; // row bytes x |height|
};
// nullopt when the width is negative or the rows would not fit a 32-bit size.
std::optional<IconBitmapInfo> MakeIconBitmapInfo(int width, int height, IconColorDepth depth);

// A bitmap converted to a class: the info with its palette filled in, and the pixel rows
// (bottom-up, padded to 4 bytes; palette formats map each colour to the nearest entry).
struct ConvertedBitmap {
    IconBitmapInfo header;
    std::vector<std::uint8_t> rows;
    int width = 0;
    int height = 0;
};
// Palettes: 1 bit black then white; 4 bits VgaPalette(); 8 bits StandardPalette().
// nullopt when the bitmap is inconsistent or over the pixel ceiling.
std::optional<ConvertedBitmap> ConvertIconBitmap(const Bitmap& bitmap, IconColorDepth depth);

// Splits the double-height mask of a monochrome icon: mask becomes the upper half (the AND
// mask) and the lower half is returned (the XOR image), both 1-bit.
Bitmap SplitMonochromeIcon(Bitmap& mask);

// Shows an error message with a caption (the program's message box, injectable for tests).
using IconErrorDisplay = std::function<void(std::string_view text, std::string_view caption)>;

// Writes the icon as a single-image .ico file. Returns the number of bytes written, or
//  -1 file name shorter than 4 characters (nothing touched)
//  -2 the icon's bitmaps cannot be obtained (a null handle)
//  -3 neither a colour image nor a mask to split
//  -4 a conversion failed (a colour image that cannot be read also shows
//     "GetObject did NOT work" / "ERROR GetObject" through showError)
//  -5 a conversion delivered no info or no rows
//  -6 the file cannot be created
//  -7 a write failed
// The file is written through AtomicFile: on -6 and -7 an existing file stays as it was and
// nothing half-written is left.
int SaveIconToFile(const std::filesystem::path& fileName, const IconHandle& icon,
                   const IconErrorDisplay& showError = {});

// The bytes SaveIconToFile writes, built in memory; code receives 0 or the failure codes -2
// to -5 above (with an empty result).
std::vector<std::uint8_t> IconFileBytes(const IconHandle& icon, int& code, const IconErrorDisplay& showError = {});

// Appends the single-image .ico bytes of the icon at the stream's position. They are built
// in memory: no temporary file is involved, so concurrent runs cannot mix their data. Leaves
// the stream unchanged when the icon cannot be written; reports nothing.
void SaveIconToStream(std::ostream& stream, const IconHandle& icon);

// The temporary folder: TMP, else TEMP (each only when it names an existing folder), else the
// system's temporary path, else the program's folder; absolute and ending in a separator.
std::filesystem::path GetTempDirectory();

// The base name (no folder, no extension) of the first file Folder + Name + "." + Extension
// that does not exist: Base's file-name part without its extension, then with 1, 2, ...
// appended. An empty Folder stands for the root folder.
std::string MakeUniqueFileName(const std::filesystem::path& folder, const std::string& base,
                               const std::string& extension);

} // namespace glyphora
