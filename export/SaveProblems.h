// The reasons a save gives when it could not save what was asked, shared by the command line
// and the window so that both say the same thing.
#pragma once

#include <filesystem>
#include <string>

namespace glyphora {

// Nothing was saved because the source has no icons (or no icon group) to save: the language
// pack's text for it, then the file on a line of its own.
std::string NothingToSaveText(const std::filesystem::path& source);

// The source changed (was truncated or rewritten) while its icons were read.
std::string SourceChangedText(const std::filesystem::path& source);

} // namespace glyphora
