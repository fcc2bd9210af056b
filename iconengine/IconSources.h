// Where the icons of a file come from: the icon list that the grid shows (the file's own
// icons through the extraction service, or the file-type icon for a file without any), and
// the group-icon resource behind an icon, written as an .ico file or counted. Icon files,
// modules (.exe, .dll, .ocx) and every other file are told apart by their extension; the
// group of any other file comes from the module its file type's DefaultIcon names, or, when
// no association names one, from the file itself if it is a PE module.
#pragma once

#include "raster/IconHandle.h"
#include "formats/ModuleResources.h"

#include <filesystem>
#include <string>
#include <vector>

namespace glyphora {

// The size at which the grid holds icons; Both behaves like Large.
enum class IconSizing { Large, Small, Both };

int IconSizeFor(IconSizing sizing);

struct LoadedIcons {
    std::vector<IconHandle> icons; // position i is icon index i of the file
    bool associated = false;       // true when the list holds the file-type icon
};

LoadedIcons LoadFileIcons(const std::filesystem::path& fileName, IconSizing sizing);

// The group-icon names of a module in enumeration order: a string name less a leading "#",
// a numeric name in decimal.
std::vector<std::string> EnumGroupIconNames(const ModuleResources& module);

// Writes (or, for an icon file, copies) the group of icon Index of fileName as an .ico file
// at destFileName; with an empty destFileName only counts its images. imageCount starts at 0
// and stays 0 when nothing is found. Throws GlyphoraError for an Index past the last group.
void ExtractIconGroup(const std::filesystem::path& fileName, const std::filesystem::path& destFileName, int index,
                      int& imageCount, std::string& errorText);

// The DefaultIcon location of an extension (lower case, with its dot), cleaned up: environment
// references expanded, a remaining "%..." tail (such as %1) removed, quotes stripped.
std::string GetDefaultIconLocation(const std::string& extension);

// The clean-up of a raw DefaultIcon value on its own (testable without a registry).
std::string NormalizeDefaultIconLocation(std::string value);

// Lower-cased extension with its dot ("" when there is none).
std::string LowerExtension(const std::filesystem::path& path);

} // namespace glyphora
