// Versions of the libraries in use.
#include "app/gui/LibraryVersions.h"

#include <QtGlobal>

#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <xlsxwriter.h>
#include <zlib.h>

namespace glyphora {

namespace {

#define GLYPHORA_TEXT(x) #x
#define GLYPHORA_EXPANDED_TEXT(x) GLYPHORA_TEXT(x)

std::string JpegVersion()
{
    std::string text = JpegReleaseName(JPEG_LIB_VERSION);
#ifdef LIBJPEG_TURBO_VERSION
    text += " (libjpeg-turbo " GLYPHORA_EXPANDED_TEXT(LIBJPEG_TURBO_VERSION) ")";
#endif
    return text;
}

} // namespace

std::string JpegReleaseName(int libVersion)
{
    std::string name = std::to_string(libVersion / 10);
    if (libVersion % 10 > 0) name += static_cast<char>('a' + libVersion % 10 - 1);
    return name;
}

std::vector<LibraryVersion> UsedLibraries()
{
    return {
        {"Qt", qVersion()},
        {"libpng", png_get_libpng_ver(nullptr)},
        {"libjpeg", JpegVersion()},
        {"giflib",
         std::to_string(GIFLIB_MAJOR) + "." + std::to_string(GIFLIB_MINOR) + "." + std::to_string(GIFLIB_RELEASE)},
        {"zlib", zlibVersion()},
        {"libxlsxwriter", LXW_VERSION},
    };
}

} // namespace glyphora
