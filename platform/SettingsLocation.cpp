// The choice between a portable and a per-user settings folder, common to every system.
#include "platform/SettingsLocation.h"

#include "platform/Files.h"
#include "platform/ProgramPaths.h"

namespace glyphora {

std::filesystem::path IniFolder(const std::filesystem::path& programFolder, const std::filesystem::path& userFolder,
                                const std::function<bool(const std::filesystem::path&)>& writable)
{
    const bool installedTree = DirectoryExists((programFolder / kInstalledDataFolder).lexically_normal());
    if (!programFolder.empty() && !installedTree && writable(programFolder)) return programFolder;
    return userFolder;
}

std::filesystem::path UserSettingsFolderFrom(std::string_view xdgConfigHome, std::string_view home)
{
    // XDG base directories must be absolute; a relative value is ignored.
    const std::filesystem::path xdg(xdgConfigHome);
    if (!xdgConfigHome.empty() && xdg.is_absolute()) return xdg / "glyphora";
    if (home.empty()) return {};
    return std::filesystem::path(home) / ".config" / "glyphora";
}

} // namespace glyphora
