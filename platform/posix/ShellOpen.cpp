// The desktop's default opener on Linux: xdg-open, started with its output silenced.
#include "platform/ShellOpen.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace glyphora {

// xdg-open exits with 0 when an application took the file, and with 3 or 4 when no tool or
// application could open it.
bool LaunchDefaultApplication(const std::filesystem::path& path)
{
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open", file = path.string();
    char* argv[] = {program.data(), file.data(), nullptr};
    pid_t pid = 0;
    bool opened = false;
    if (posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ) == 0) {
        // xdg-open hands the file on and returns quickly; reap it so no zombie is left.
        int status = 0;
        opened = waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return opened;
}

} // namespace glyphora
