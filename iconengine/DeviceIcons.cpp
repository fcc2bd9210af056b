// Icons at the physical pixel size of a HiDPI screen.
#include "iconengine/DeviceIcons.h"

#include "iconengine/IconExtraction.h"

namespace glyphora {

std::vector<IconHandle> ExtractDeviceIcons(const std::filesystem::path& path, int logicalSize, double devicePixelRatio,
                                           int first, int count)
{
    return ExtractFileIcons(path, DevicePixelSize(logicalSize, devicePixelRatio), first, count);
}

} // namespace glyphora
