// Opening a written file afterwards with the desktop's default application.
#pragma once

#include <filesystem>
#include <string>

namespace glyphora {

// When fileName does not exist, ext is not empty and fileName has no extension, the name
// with "." + ext appended is opened instead (the save added that extension).
void OpenSavedFile(const std::filesystem::path& fileName, const std::string& ext);

} // namespace glyphora
