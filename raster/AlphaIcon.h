// An icon with its transparency carried as alpha, as the desktop's pictures (thumbnails,
// launcher icons) need it: a 32-bit image keeps its own alpha; every other image takes its
// AND mask as alpha (opaque where the mask keeps the colour, clear where it keeps the
// background).
#pragma once

#include "raster/IconHandle.h"

namespace glyphora {

// The icon as a colour image with real alpha (hasAlpha set, mask clear exactly where alpha
// is 0), which ScaleIcon resamples with alpha weighting. A null handle stays null.
IconHandle WithAlpha(const IconHandle& icon);

} // namespace glyphora
