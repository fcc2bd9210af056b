// The shell's default action on Windows: ShellExecuteW with no verb and SW_SHOW.
#include "platform/ShellOpen.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace glyphora {

void LaunchDefaultApplication(const std::filesystem::path& path)
{
    ::ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace glyphora
