// The opener registry of the shell's default action; launching is the operating system's
// (platform/posix, platform/windows).
#include "platform/ShellOpen.h"

#include <utility>

namespace glyphora {

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

} // namespace

bool OpenWithDefaultApplication(const std::filesystem::path& path)
{
    return Opener() ? Opener()(path) : LaunchDefaultApplication(path);
}

void SetShellOpener(ShellOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace glyphora
