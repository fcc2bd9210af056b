// The settings folders on POSIX systems: the XDG configuration folder, and the writability
// test by creating a file exclusively.
#include "platform/SettingsLocation.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>

namespace glyphora {

std::filesystem::path UserSettingsFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return UserSettingsFolderFrom(xdg ? xdg : "", home ? home : "");
}

bool FolderIsWritable(const std::filesystem::path& folder)
{
    if (folder.empty()) return false;
    std::random_device random;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::filesystem::path probe = folder / (".glyphora-probe-" + std::to_string(random()));
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

} // namespace glyphora
