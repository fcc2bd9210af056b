// Reading the "description|patterns|description|patterns" filters that the save and open
// commands hand to the file dialogs: the descriptions the dialog lists and the patterns
// each entry stands for.
#pragma once

#include <string>
#include <vector>

namespace glyphora {

// The descriptions of a filter, which carry their patterns in parentheses and so serve as
// Qt name filters.
std::vector<std::string> FilterDescriptions(const std::string& filter);

// The patterns of every entry of a filter, in order and lower-case ("*.htm", or "*.exe",
// "*.dll" for an entry of several separated by ';' or ' ').
std::vector<std::vector<std::string>> FilterPatterns(const std::string& filter);

} // namespace glyphora
