// The six interface languages, where their pack files live, and the version comparison
// used to tell whether a pack was made for this program or an older one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace glyphora {

// The program version packs are checked against (text 50000 of a pack).
inline constexpr std::string_view kPackTargetVersion = "5.1.0.2";

// Number of languages the options menu offers; indices 0 to kLanguageCount - 1.
inline constexpr int kLanguageCount = 6;

// Pack file name of a language index: 0 english, 1 ukrainian, 2 greek, 3 romanian,
// 4 italian, 5 polish; any other index is English.
std::string LanguageFileName(int languageIndex);

// The ISO 639-1 code of a language index ("pl" for Polish), as catalogues of other programs
// (Qt's) are named; any other index is English ("en").
std::string LanguageCode(int languageIndex);

// The folder that holds the packs: the executable's folder when the English pack is there
// (the build folder, a portable copy), else the installed data folder (../share/glyphora).
std::filesystem::path PackFolder();

// Compares dotted version numbers part by part: 1 when a is greater, -1 when smaller,
// 0 when equal as far as both can be compared. A part that is missing or not an integer
// makes that step 0, and the walk ends once a runs out of parts, so "5.1.0.2" equals "5.1".
int CompareVersions(std::string a, std::string b);

} // namespace glyphora
