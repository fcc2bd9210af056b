// Turns a bitmap into a picture file or stream in one of the picture formats named by an
// OutputKind, and converts a 24-bit bitmap to grey. Shared by the single save, save-all, the
// composed picture and the HTML, dBase and PDF exports.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <vector>

namespace glyphora {

// The encoded picture: OutputKind 2 JPEG, 3 EMF, 4 GIF, 5 PNG, any other value BMP.
std::vector<std::uint8_t> EncodeBitmap(const Bitmap& bitmap, int outputKind);

// Writes the picture to fileName (1 BMP, 2 JPEG, 3 EMF, 4 GIF, 5 PNG, any other value BMP),
// replacing an existing file, whatever extension the name carries. The picture is encoded in
// memory and written through AtomicFile. Throws OutputError with the system's message when
// the file cannot be created or written; an existing file then stays as it was and nothing
// half-written is left.
void SaveBitmapAs(const Bitmap& bitmap, const std::filesystem::path& fileName, int outputKind);

// Writes the same picture at the stream's current position (EMF as its file image). Throws
// GlyphoraError when the stream refuses the bytes.
void SaveBitmapToStream(const Bitmap& bitmap, std::ostream& stream, int dbfType);

// A 24-bit bitmap becomes grey in place: grey = (77 R + 151 G + 28 B) >> 8 in all three
// channels. Bitmaps of any other pixel format are left unchanged.
void GrayScaleBitmap(Bitmap& bitmap);

} // namespace glyphora
