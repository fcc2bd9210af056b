// Paths the system gives the program on Linux: its own file (/proc/self/exe) and the
// system's temporary folder.
#include "platform/Files.h"

#include <cstdlib>
#include <system_error>

namespace glyphora {

std::filesystem::path ProgramFilePath()
{
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path{} : p;
}

// TMPDIR when it names a folder, else /tmp. (The caller has already tried TMP and TEMP, so
// they are not looked at again here.)
std::filesystem::path SystemTempPath()
{
    if (const char* dir = std::getenv("TMPDIR"); dir && *dir && DirectoryExists(dir)) return dir;
    return DirectoryExists("/tmp") ? std::filesystem::path("/tmp") : std::filesystem::path{};
}

} // namespace glyphora
