// Opening a file with the desktop's default application (the shell's default action).
// The opener is injectable so that tests and headless runs record instead of launching.
#pragma once

#include <filesystem>
#include <functional>

namespace glyphora {

using ShellOpener = std::function<void(const std::filesystem::path&)>;

// Hands the file to the current opener (by default the desktop's: xdg-open on Linux). Does
// not wait for the application and reports nothing, as the shell's action does not.
void OpenWithDefaultApplication(const std::filesystem::path& path);

// Installs an opener; an empty function restores the desktop's.
void SetShellOpener(ShellOpener opener);

// The operating system's launch of the default application (no opener installed).
void LaunchDefaultApplication(const std::filesystem::path& path);

} // namespace glyphora
