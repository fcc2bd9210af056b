// The thumbnail of a file for the desktop's file managers: the file's first icon (index 0,
// the one the Windows shell shows for the file) as an RGBA PNG of at most size x size
// pixels. The image of the group that best fits is drawn: the smallest at least size, else
// the largest; a PNG image that needs no scaling is used as it is, any other is decoded and
// scaled down with good quality, never up.
#pragma once

#include "iconengine/IconGroupReader.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace glyphora {

// The sizes a thumbnail may be asked for.
constexpr int kMinThumbnailSize = 1;
constexpr int kMaxThumbnailSize = 2048;

// Images with more pixels, or more bytes, than these are never drawn, so that no file makes
// the thumbnailer hold more than a few tens of megabytes.
constexpr std::uint64_t kMaxThumbnailSourcePixels = 2048u * 2048u;
constexpr std::uint64_t kMaxThumbnailSourceBytes = 32u * 1024u * 1024u;

struct Thumbnail {
    std::vector<std::uint8_t> png; // empty when there is none
    std::string problem;           // why not, in a sentence, when png is empty
};

Thumbnail MakeThumbnail(const IconGroupReader& reader, int size);

// Opens the file by its content (a module or an icon file).
Thumbnail MakeThumbnail(const std::filesystem::path& input, int size);

} // namespace glyphora
