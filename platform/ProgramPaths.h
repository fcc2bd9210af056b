// Where the program finds the data files it ships (language packs, help files): beside its
// executable, as in the build folder or a portable copy, or in the shared data folder of an
// installed tree (bin/glyphora beside share/glyphora/).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace glyphora {

// The data folder of an installed tree, relative to the executable's folder.
inline constexpr std::string_view kInstalledDataFolder = "../share/glyphora";

// The folders searched for a data file of the program whose executable is programFile, in
// search order: the executable's folder, then the installed data folder.
std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFile);

// The first of DataFolders(programFile) that holds a file named fileName. When none does,
// the executable's folder, so that a message about a missing file names the first place
// searched.
std::filesystem::path DataFolderHolding(std::string_view fileName, const std::filesystem::path& programFile);

// DataFolderHolding for the running program.
std::filesystem::path DataFolderHolding(std::string_view fileName);

// The full path of a data file of the running program: DataFolderHolding(fileName) / fileName.
std::filesystem::path DataFilePath(std::string_view fileName);

} // namespace glyphora
