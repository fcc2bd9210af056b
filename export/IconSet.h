// Icon sets: every image of an icon group as a transparent PNG at its own size, for
// launchers and desktop entries. Flat, the files are NAME-WIDTHxHEIGHT.png (with the colour
// depth in the name where two images share a size); as an icon theme, WIDTHxHEIGHT/apps/
// NAME.png for the standard hicolor sizes the group really holds, ready to drop into
// ~/.local/share/icons/hicolor. PNG images are written byte for byte, every other image
// with its alpha or its AND mask as alpha.
#pragma once

#include "iconengine/IconGroupReader.h"

#include <filesystem>
#include <string>
#include <vector>

namespace glyphora {

enum class IconSetLayout { Flat, Theme };

// The sizes of the hicolor theme's size folders.
inline constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 96, 128, 256, 512};

// One file of a set: its path below the set's folder and the image it holds.
struct IconSetFile {
    std::filesystem::path relative;
    std::size_t position = 0; // the image's entry number in its group
};

// The files of one group's set. Flat: every image with a readable header, in group order;
// theme: per standard size the square image of that size with the deepest colour (the
// earlier among equals), smallest size first.
std::vector<IconSetFile> PlanIconSet(const std::vector<GroupImageInfo>& images, const std::string& name,
                                     IconSetLayout layout);

// A name safe for a file name and an icon name: ASCII letters, digits, ".", "_" and "-"
// (any other character becomes "-"), no leading dot or dash; "icon" when nothing is left.
std::string SafeIconName(const std::string& text);

// The default name of a source's set: its file name without extension, lower case, safe.
std::string DefaultIconSetName(const std::filesystem::path& source);

struct IconSetResult {
    std::vector<std::filesystem::path> written; // the files written, in plan order
    std::string problem;                        // why some image (or all) could not be written
};

// Writes the set of one group below folder (created when missing). An existing file is
// replaced atomically. Throws OutputError when a file cannot be written.
IconSetResult SaveIconSet(const IconGroupReader& reader, std::size_t group, const std::filesystem::path& folder,
                          const std::string& name, IconSetLayout layout);

// The sets of a file's icons, as the command line asks for them: icon iconNumber (from 1)
// named name, or with 0 every icon, each named name-N. An empty name stands for
// DefaultIconSetName(source). written counts the files; problem says why a file (or the
// whole run, when written is 0) could not be written, and is empty when the source holds no
// icons of its own. Throws OutputError when a file cannot be written.
struct IconSetRun {
    int written = 0;
    std::string problem;
};
IconSetRun SaveIconSets(const std::filesystem::path& source, const std::filesystem::path& folder, int iconNumber,
                        const std::string& name, IconSetLayout layout);

} // namespace glyphora
