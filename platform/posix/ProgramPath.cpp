// The running program's own file on Linux (/proc/self/exe).
#include "platform/Files.h"

#include <system_error>

namespace glyphora {

std::filesystem::path ProgramFilePath()
{
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path{} : p;
}

} // namespace glyphora
