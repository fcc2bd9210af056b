// Where the settings live. "gphx.ini" sits beside the executable when that folder is writable
// (a portable copy); otherwise, and always for an installed tree, in the user's configuration
// folder, which also holds the registry's counterpart on systems without a registry.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace glyphora {

inline constexpr std::string_view kIniFileName = "gphx.ini";

// True when a file can be created in folder. It is tried (a private file is created and
// removed), not guessed from permission bits, so a read-only mount counts as read-only for
// every user, the superuser included.
bool FolderIsWritable(const std::filesystem::path& folder);

// The program's folder below the user's configuration folder: $XDG_CONFIG_HOME/glyphora, or
// ~/.config/glyphora when XDG_CONFIG_HOME is unset, empty or relative (POSIX);
// %APPDATA%\Glyphora (Windows). Empty when the system names no such folder.
std::filesystem::path UserSettingsFolder();

// The POSIX rule of UserSettingsFolder over given values of XDG_CONFIG_HOME and HOME.
std::filesystem::path UserSettingsFolderFrom(std::string_view xdgConfigHome, std::string_view home);

// The folder of "gphx.ini" for a program in programFolder: programFolder itself when
// writable says so and the program is not part of an installed tree (a sibling
// share/glyphora folder, where a superuser's writable bin folder must stay clean); else
// userFolder.
std::filesystem::path IniFolder(const std::filesystem::path& programFolder, const std::filesystem::path& userFolder,
                                const std::function<bool(const std::filesystem::path&)>& writable = FolderIsWritable);

} // namespace glyphora
