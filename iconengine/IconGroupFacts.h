// What the program tells about the group behind an icon: the group's resource name and the
// number of images it holds. The status bar asks for one icon at a time; the spreadsheet
// export asks for every icon of a file and gets them from one opening of the module.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {

struct IconGroupFacts {
    std::string name;              // module: the group's resource name; .ico file: its file name; else ""
    std::optional<int> imageCount; // nullopt when the group cannot be read
};

// The image count of the group of icon index, read as ExtractIconGroup reads it (a file shown
// with its file-type icon goes through its association); nullopt when that fails.
std::optional<int> GroupImageCount(const std::filesystem::path& file, int index);

// The facts of icons 0 .. count - 1 of a file, element i for icon i.
std::vector<IconGroupFacts> ReadIconGroupFacts(const std::filesystem::path& file, int count);

} // namespace glyphora
