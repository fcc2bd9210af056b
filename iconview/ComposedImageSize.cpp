// Composed picture geometry taken from the grid's current layout.
#include "iconview/ComposedImageSize.h"

#include <algorithm>

namespace glyphora {

PictureSize ComposedImageSize(const IconGridModel& model)
{
    const long long columns = std::min(model.Count(), model.ColCount());
    const long long width = columns * model.ColWidth() + 2;
    return PictureSize{static_cast<int>(std::clamp<long long>(width, 0, 0x7FFFFFFF)), model.Height()};
}

} // namespace glyphora
