#include "support/watched_child.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>

#include <sys/wait.h>
#include <unistd.h>

namespace trx::test {

std::string InWatchedChild(const std::function<std::string()>& Body, unsigned Seconds) {
    int fds[2];
    if (pipe(fds) != 0) return std::string("pipe: ") + std::strerror(errno);
    const pid_t pid = fork();
    if (pid < 0) return std::string("fork: ") + std::strerror(errno);
    if (pid == 0) {
        close(fds[0]);
        alarm(Seconds);
        std::string said;
        try {
            said = Body();
        } catch (const std::exception& e) {
            said = std::string("unexpected exception: ") + e.what();
        } catch (...) {
            said = "unexpected exception";
        }
        for (std::size_t at = 0; at < said.size();) {
            const ssize_t n = write(fds[1], said.data() + at, said.size() - at);
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string said;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        said.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        return said + (sig == SIGALRM ? "still waiting after " + std::to_string(Seconds) + " s"
                                      : "ended by signal " + std::to_string(sig));
    }
    return said;
}

} // namespace trx::test
