// Turning a group-icon resource and its image resources into an .ico file, and reading the
// image count of an .ico file. The byte-level part works on plain buffers; the module part
// reads the group and its images through ModuleResources and writes the file.
#pragma once

#include "formats/ModuleResources.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glyphora {

constexpr std::size_t kGroupIconHeaderSize = 6; // GRPICONDIR and ICONDIR alike
constexpr std::size_t kGroupIconEntrySize = 14; // GRPICONDIRENTRY
constexpr std::size_t kIcoEntrySize = 16;       // ICONDIRENTRY
constexpr std::size_t kIconInfoHeaderSize = 40; // BITMAPINFOHEADER

// No .ico file we write grows past this; an entry that would push it further is dropped.
// It keeps every offset inside 32 bits and bounds what a group naming one large image many
// times can make us allocate.
constexpr std::uint64_t kMaxIconFileBytes = 256u * 1024u * 1024u;

// The bytes of the RT_ICON resource with a numeric name, or nullopt when it is absent.
using IconImageLookup = std::function<std::optional<std::vector<std::uint8_t>>(std::uint16_t nID)>;

// One directory entry of an .ico file as described from the image's own bytes.
struct IcoDirectoryEntry {
    std::uint8_t width = 0; // low 8 bits: 256 is stored as 0
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
};

// The directory entry of one image: from its BITMAPINFOHEADER, or for a PNG stream from its
// IHDR chunk. nullopt when the image is too short for a header or its IHDR cannot be read.
std::optional<IcoDirectoryEntry> DescribeIconImage(std::span<const std::uint8_t> image);

// The entries a group resource declares (idCount), capped by the entries its bytes really
// hold; nullopt when it is too short for its 6-byte header.
std::optional<int> GroupIconImageCount(std::span<const std::uint8_t> groupResource);

struct GroupIconFileBytes {
    std::vector<std::uint8_t> bytes;     // the whole file; empty when there is nothing to write
    int imageCount = 0;                  // images in the file (its idCount)
    std::vector<std::size_t> imageSizes; // size of each image, in file order
};

// Builds the .ico file of a group: the images in group order, each described from its own
// bytes (never from the group's entry), DIB images written unchanged but for biSizeImage = 0,
// PNG images byte for byte. Entries whose image is missing or unreadable are dropped.
GroupIconFileBytes BuildGroupIconFile(std::span<const std::uint8_t> groupResource, const IconImageLookup& lookup);

// The .ico file of the group named resourceName, read and built in memory. found is false
// when there is no such group (or it is too short to be one); problem tells why a group that
// was found could not be read whole (its images are missing, or the file changed while it was
// read: then the bytes must not be written).
struct GroupIconFileRead {
    bool found = false;
    int imageCount = 0; // the group's declared image count
    GroupIconFileBytes file;
    std::string problem;
};
// With buildFile false only the group is read (found and imageCount). Throws GlyphoraError
// when the name is neither a group name nor a number.
GroupIconFileRead ReadGroupIconFile(const ModuleResources& module, const std::filesystem::path& moduleFileName,
                                    const std::string& resourceName, bool buildFile = true);

// "Unable to read the icon NAME from 'MODULE'." (with the reason when the file changed).
std::string UnableToReadText(const std::string& name, const std::filesystem::path& module, bool changed);

// Writes the group named ResourceName of a module as an .ico file (see the .cpp for the
// failure rules). ImageCount receives the group's image count once the group is found and
// stays untouched otherwise; with an empty DestFileName only the count is reported.
// Throws GlyphoraError when the name is neither a group name nor a number.
void WriteGroupIconFile(const std::filesystem::path& ModuleFileName, const std::filesystem::path& DestFileName,
                        const std::string& ResourceName, int& ImageCount, std::string& ErrorText);

// The same for a module already opened; ModuleFileName only names it in the error text.
void WriteGroupIconFile(const ModuleResources& module, const std::filesystem::path& ModuleFileName,
                        const std::filesystem::path& DestFileName, const std::string& ResourceName, int& ImageCount,
                        std::string& ErrorText);

// The image count stored in an .ico file's header (u16 at offset 4), whatever the file
// really holds. The file is opened for reading only; a file shorter than 6 bytes or one
// that cannot be read reports 0.
int IcoFileImageCount(const std::filesystem::path& path);

} // namespace glyphora
