// The icons of the current file as the grid holds them: what the save operations read when
// they work on "the current file" (the window's grid, or the console front end's own list).
#pragma once

#include "raster/IconHandle.h"

#include <filesystem>
#include <vector>

namespace glyphora {

struct CurrentIcons {
    std::filesystem::path fileName; // the current file; empty before the first open
    std::vector<IconHandle> icons;  // position i is icon index i of the file
    bool associated = false;        // the list holds the file-type icon
    bool sourceChanged = false;     // the file changed while its icons were read: saves refuse
    int itemWidth = 32;             // the grid's icon size
    int itemHeight = 32;
};

} // namespace glyphora
