// What the window's hint panel says about a file shown with its file-type icon: that the
// file holds no icons of its own, or that it could not be read (a missing or unreadable
// file, or a module that is damaged), so "Images: 0" never stands there unexplained.
#pragma once

#include <filesystem>
#include <string>

namespace glyphora {

// The pack's note for fileName, which the grid shows with its file-type icon.
std::string FileTypeIconNote(const std::filesystem::path& fileName);

} // namespace glyphora
