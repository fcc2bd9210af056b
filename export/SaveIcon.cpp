// Saving one icon of the current file.
#include "export/SaveIcon.h"

#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "export/SaveNames.h"
#include "export/SaveProblems.h"
#include "iconengine/IconSources.h"
#include "platform/GlyphoraError.h"
#include "raster/RasterDraw.h"

namespace glyphora {

Bitmap RenderIconOnWhite(const IconHandle& icon, int width, int height, bool grayScale)
{
    Bitmap bmp(width, height, 24, kWhite);
    DrawIcon(bmp, icon, 0, 0);
    if (grayScale) GrayScaleBitmap(bmp);
    return bmp;
}

int SaveIcon(const CurrentIcons& current, int iconIndex, const std::filesystem::path& fileName, OutputKind fileType,
             bool grayScale, FreeSpaceLimit* space)
{
    const bool picture = IsPictureFormat(fileType);
    const std::filesystem::path target = WithDefaultExtension(fileName, SingleSaveExtension(fileType));

    if (!picture) {
        // A group that cannot be read or written is raised with its reason rather than passed
        // off as a save of nothing: the caller shows it (window) or prints it (console).
        const IconGroupSource groups(current.fileName);
        const IconGroupSource::Saved saved = groups.Save(iconIndex, target, space);
        if (!saved.problem.empty()) throw GlyphoraError(saved.problem);
        return groups.IsIconFile() ? 1 : saved.imageCount;
    }

    if (current.sourceChanged) throw GlyphoraError(SourceChangedText(current.fileName));
    if (iconIndex < 0 || static_cast<std::size_t>(iconIndex) >= current.icons.size())
        throw GlyphoraError("Icon " + std::to_string(iconIndex + 1) + " does not exist in '" +
                            current.fileName.string() + "': it shows " + std::to_string(current.icons.size()) +
                            " icon(s).");
    const IconHandle& icon = current.icons[static_cast<std::size_t>(iconIndex)];
    // A null icon keeps its place in the grid; it saves as an empty (white) cell of the grid's size.
    const int width = icon.isNull() ? current.itemWidth : icon.width;
    const int height = icon.isNull() ? current.itemHeight : icon.height;
    SaveBitmapAs(RenderIconOnWhite(icon, width, height, grayScale), target, fileType, space);
    return 1;
}

} // namespace glyphora
