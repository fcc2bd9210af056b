// Saving one icon of the current file: as an icon file (the whole icon group, or a copy of
// an .ico source) or drawn on a white work bitmap and encoded as a picture.
#pragma once

#include "export/CurrentIcons.h"
#include "export/OutputKind.h"
#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <filesystem>

namespace glyphora {

class FreeSpaceLimit;

// Saves icon iconIndex (0-based, grid order) of the current file as fileName in the format
// fileType (icon file or picture format; every other kind saves as an icon file). Returns 1 when a picture was written or an .ico source was
// copied, the group's image count when a group was written, 0 when no group was found (a
// file without icon resources). Throws GlyphoraError when the icon does not exist or its
// images cannot be read, when an .ico source holds no icon, and OutputError when the file
// cannot be written (an existing file then stays as it was). With a space limit (the tests'
// full disk) the file's bytes are taken from it.
int SaveIcon(const CurrentIcons& current, int iconIndex, const std::filesystem::path& fileName, OutputKind fileType,
             bool grayScale, FreeSpaceLimit* space = nullptr);

// The white work bitmap of a save with the icon drawn at (0, 0) with its mask, grey when
// asked: 24 bits per pixel, width x height.
Bitmap RenderIconOnWhite(const IconHandle& icon, int width, int height, bool grayScale);

} // namespace glyphora
