// The desktop's default opener on Linux: xdg-open, started detached with its output silenced.
#include "platform/ShellOpen.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <utility>

extern char** environ;

namespace glyphora {

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

void LaunchXdgOpen(const std::filesystem::path& path)
{
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open", file = path.string();
    char* argv[] = {program.data(), file.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ) == 0) {
        // xdg-open hands the file on and returns quickly; reap it so no zombie is left.
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

} // namespace

void OpenWithDefaultApplication(const std::filesystem::path& path)
{
    if (Opener())
        Opener()(path);
    else
        LaunchXdgOpen(path);
}

void SetShellOpener(ShellOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace glyphora
