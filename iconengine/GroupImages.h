// Every image of the icon group behind one icon of a file, decoded at its own size, for the
// views that show them all (the separate icon window). Smallest first, largest last; among
// images of one size the lower colour depth first.
#pragma once

#include "formats/IconImageDecoder.h"
#include "raster/IconHandle.h"

#include <filesystem>
#include <vector>

namespace glyphora {

struct GroupImage {
    IconImageInfo info; // as the image's header declares it
    IconHandle icon;    // decoded at its natural size
};

// The decodable images of icon index of a file (a module's group or an icon file's one
// group, told by content); empty when the file holds no such icon.
std::vector<GroupImage> ReadGroupImages(const std::filesystem::path& file, int index);

} // namespace glyphora
