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
                  const std::filesystem::path& fileName, int destType, bool grayScale)
{
    const int kind = destType >= 2 && destType <= 5 ? destType : 1;
    SaveBitmapAs(ComposeAllIcons(grid, icons, grayScale), WithDefaultExtension(fileName, OutputKindExtension(kind)),
                 kind);
}

} // namespace glyphora
