// The shell's default action on Windows: ShellExecuteW with no verb and SW_SHOW.
#include "platform/ShellOpen.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace glyphora {

// ShellExecuteW reports success with a value above 32.
bool LaunchDefaultApplication(const std::filesystem::path& path)
{
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

} // namespace glyphora
