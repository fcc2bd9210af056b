// The icon groups of one file and the images each holds, as they are stored: a PE module's
// group-icon resources in enumeration order, or the one group of an icon file. The kind of
// file is told by its content, never by its name, and only the parts asked for are read
// (the directory, the head of each image, the bytes of an image wanted), so that a huge or
// hostile file costs no more memory than its icons. The thumbnailer and the icon sets read
// through it.
#pragma once

#include "formats/IconImageDecoder.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

// No group lists more images than this; further entries are ignored.
constexpr std::size_t kMaxGroupImages = 128;

// One image of a group: what its own header declares (nullopt when the image is missing or
// its header cannot be read), and its place in the group.
struct GroupImageInfo {
    std::size_t position = 0; // entry number in the group, from 0
    std::optional<IconImageInfo> info;
};

class IconGroupReader {
public:
    virtual ~IconGroupReader() = default;

    // Opens a file as a module or an icon file by its content. nullptr when it cannot be
    // read or is neither; why then says so in a sentence.
    static std::unique_ptr<IconGroupReader> Open(const std::filesystem::path& path, std::string& why);
    // The same over a byte source (fuzz targets, tests).
    static std::unique_ptr<IconGroupReader> Open(std::unique_ptr<ByteSource> source, std::string& why);

    virtual bool IsIconFile() const = 0;
    virtual std::size_t GroupCount() const = 0;

    // The images of a group in group order (at most kMaxGroupImages); empty for a group
    // past the last or one that cannot be read.
    virtual std::vector<GroupImageInfo> Images(std::size_t group) const = 0;

    // The bytes of image position of a group; nullopt when they are missing, cannot be
    // read, or are more than limit bytes.
    virtual std::optional<std::vector<std::uint8_t>> ImageBytes(std::size_t group, std::size_t position,
                                                                std::uint64_t limit) const = 0;

    // True once a read failed because another program changed the file meanwhile.
    virtual bool SourceChanged() const = 0;
};

} // namespace glyphora
