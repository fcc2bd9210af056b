// Every icon composed into one picture.
#include "export/SaveAllAsOne.h"

#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "export/SaveNames.h"
#include "iconview/ComposedImageSize.h"

namespace glyphora {

Bitmap ComposeAllIcons(const IconGridModel& grid, const std::vector<IconHandle>& icons, bool grayScale)
{
    const PictureSize size = ComposedImageSize(grid);
    Bitmap picture(size.width, size.height, 24, kWhite);
    grid.DrawAll(picture, icons);
    if (grayScale) GrayScaleBitmap(picture);
    return picture;
}

void SaveAllAsOne(const IconGridModel& grid, const std::vector<IconHandle>& icons,
                  const std::filesystem::path& fileName, OutputKind destType, bool grayScale, FreeSpaceLimit* space)
{
    // An icon file cannot hold a composed picture, nor can a document kind: those give BMP.
    const OutputKind kind = IsPictureFormat(destType) ? destType : OutputKind::Bmp;
    SaveBitmapAs(ComposeAllIcons(grid, icons, grayScale), WithDefaultExtension(fileName, OutputKindExtension(kind)),
                 kind, space);
}

} // namespace glyphora
