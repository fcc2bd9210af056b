// The libraries the program is built on, with the versions in use, as the About box lists them.
#pragma once

#include <string>
#include <vector>

namespace glyphora {

struct LibraryVersion {
    std::string name;
    std::string version;
};

// Qt, libpng, libjpeg, giflib, zlib and libxlsxwriter: the running library's own version where
// it reports one (Qt, libpng, zlib), else the version of the headers built against.
std::vector<LibraryVersion> UsedLibraries();

// A JPEG_LIB_VERSION number as libjpeg names its releases: 62 is "6b", 80 is "8".
std::string JpegReleaseName(int libVersion);

} // namespace glyphora
