// Joining a folder and a name with exactly one native separator between them, as every
// place that rebuilds a full path from a folder and a listed name does.
#pragma once

#include <filesystem>
#include <string>

namespace glyphora {

// The path with a trailing separator; an empty path stays empty, one that already ends in a
// separator is returned as it is.
std::filesystem::path AddTrailingBackslash(const std::filesystem::path& path);

// folder + name when folder ends in a separator, else folder + separator + name. The name
// is appended as text, so a name that is itself a relative path ("sub/x.dll") keeps its form.
std::filesystem::path JoinPath(const std::filesystem::path& folder, const std::filesystem::path& name);

// A path as UTF-8 text (list entries, console output) and back.
std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(const std::string& text);

} // namespace glyphora
