// The shell's default action on Windows: ShellExecuteW with no verb and SW_SHOW.
#include "platform/ShellOpen.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <utility>

namespace glyphora {

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

} // namespace

void OpenWithDefaultApplication(const std::filesystem::path& path)
{
    if (Opener())
        Opener()(path);
    else
        ::ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOW);
}

void SetShellOpener(ShellOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace glyphora
