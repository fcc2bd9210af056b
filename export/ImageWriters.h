// Turns a bitmap into a picture file or stream in one of the picture formats named by an
// OutputKind, and converts a 24-bit bitmap to grey. Shared by the single save, save-all, the
// composed picture and the HTML, dBase and PDF exports.
#pragma once

#include "export/OutputKind.h"
#include "raster/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <vector>

namespace glyphora {

class FreeSpaceLimit;

// The encoded picture: JPEG, EMF, GIF or PNG for those kinds, BMP for every other kind.
std::vector<std::uint8_t> EncodeBitmap(const Bitmap& bitmap, OutputKind outputKind);

// Writes the picture to fileName in the format EncodeBitmap chooses for outputKind,
// replacing an existing file, whatever extension the name carries. The picture is encoded in
// memory and written through AtomicFile (taking its bytes from space, the tests' full disk,
// when there is one). Throws OutputError with the system's message when
// the file cannot be created or written; an existing file then stays as it was and nothing
// half-written is left.
void SaveBitmapAs(const Bitmap& bitmap, const std::filesystem::path& fileName, OutputKind outputKind,
                  FreeSpaceLimit* space = nullptr);

// Writes the same picture at the stream's current position (EMF as its file image). Throws
// GlyphoraError when the stream refuses the bytes.
void SaveBitmapToStream(const Bitmap& bitmap, std::ostream& stream, OutputKind outputKind);

// A 24-bit bitmap becomes grey in place: grey = (77 R + 151 G + 28 B) >> 8 in all three
// channels. Bitmaps of any other pixel format are left unchanged.
void GrayScaleBitmap(Bitmap& bitmap);

} // namespace glyphora
