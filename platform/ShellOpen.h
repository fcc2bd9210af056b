// Opening a file with the desktop's default application (the shell's default action).
// The opener is injectable so that tests and headless runs record instead of launching.
// Each says whether the desktop took the file, so the window can tell the user when it
// could not.
#pragma once

#include <filesystem>
#include <functional>

namespace glyphora {

// True when the file was handed to an application.
using ShellOpener = std::function<bool(const std::filesystem::path&)>;

// Hands the file to the current opener (by default the desktop's: xdg-open on Linux). Does
// not wait for the application; false when the desktop could not hand the file on (no
// opener, no application for its type).
bool OpenWithDefaultApplication(const std::filesystem::path& path);

// Installs an opener; an empty function restores the desktop's.
void SetShellOpener(ShellOpener opener);

// The operating system's launch of the default application (no opener installed).
bool LaunchDefaultApplication(const std::filesystem::path& path);

} // namespace glyphora
