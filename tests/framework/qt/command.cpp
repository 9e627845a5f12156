#include "command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace trx::test {

CommandResult RunCommand(const std::vector<std::string>& Args) {
    CommandResult r;
    int pipe_fds[2];
    if (Args.empty() || pipe(pipe_fds) != 0) return r;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    std::vector<char*> argv;
    for (const std::string& a : Args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    if (err == 0) {
        char buf[4096];
        for (;;) {
            ssize_t n = read(pipe_fds[0], buf, sizeof buf);
            if (n > 0) {
                r.Output.append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                break;
            }
        }
    } else {
        r.Output = Args[0] + ": cannot run it (is it installed?)";
    }
    close(pipe_fds[0]);
    if (err == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

std::string CheckedCommand(const std::vector<std::string>& Args) {
    CommandResult r = RunCommand(Args);
    if (r.Status != 0) {
        std::string line;
        for (const std::string& a : Args) line += (line.empty() ? "" : " ") + a;
        throw std::runtime_error(line + " failed (" + std::to_string(r.Status) + "): " + r.Output);
    }
    return r.Output;
}

} // namespace trx::test
