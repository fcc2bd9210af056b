// File names of the save paths: the extension a save appends to a bare name, the name a
// save dialog proposes, and the default extension a dialog filter entry stands for.
#pragma once

#include <filesystem>
#include <string>

namespace glyphora {

// fileName with "." + extension appended when its last component has no extension or ends
// in a bare "."; a name that has an extension keeps it, even one of another format.
std::filesystem::path WithDefaultExtension(const std::filesystem::path& fileName, const std::string& extension);

// The proposed name (no folder, no extension) for saving icons of sourceFileName into folder:
// the source's stem, then stem1, stem2, ... while folder/name.extension exists.
std::string UniqueSaveName(const std::filesystem::path& folder, const std::filesystem::path& sourceFileName,
                           const std::string& extension);

// The default extension of 1-based entry filterIndex of a dialog filter ("desc (*.png)|*.png|..."):
// the text between the first "." and the first ")" after that entry's "(", "" for "*".
std::string DefaultExtensionFromFilter(const std::string& filter, int filterIndex);

} // namespace glyphora
