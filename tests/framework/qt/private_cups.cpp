#include "private_cups.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "command.h"
#include "support/temp_dir.h"

extern char** environ;

namespace trx::test {

namespace {

// The scheduler's directory. It is made, and every CUPS client of this
// program pointed at the socket the scheduler will have there, before any
// test runs; it goes when the program ends (after the scheduler stopped).
class TSchedulerDir {
public:
    TSchedulerDir() {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/trx-cups-XXXXXX";
        if (!mkdtemp(tmpl.data())) return;
        path_ = tmpl;
        setenv("CUPS_SERVER", (path_ + "/run/cups.sock").c_str(), 1);
        unsetenv("LPDEST");
        unsetenv("PRINTER");
    }
    ~TSchedulerDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const TSchedulerDir scheduler_dir;

void WriteFile(const std::string& Name, const std::string& Text) {
    std::ofstream out(Name, std::ios::trunc);
    out << Text;
    if (!out) throw std::runtime_error("cannot write " + Name);
}

std::string FindCupsd() {
    for (const char* path : {"/usr/sbin/cupsd", "/usr/local/sbin/cupsd", "/sbin/cupsd"})
        if (access(path, X_OK) == 0) return path;
    throw std::runtime_error("cupsd is not installed (scripts/install-deps.sh installs the cups package)");
}

} // namespace

PrivateCups& PrivateCups::Get() {
    static PrivateCups cups;
    return cups;
}

PrivateCups::PrivateCups() {
    if (scheduler_dir.Path().empty()) throw std::runtime_error("cannot create the scheduler's directory");
    dir_ = scheduler_dir.Path();
    socket_ = dir_ + "/run/cups.sock";
    Start();
}

PrivateCups::~PrivateCups() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    }
}

void PrivateCups::Start() {
    const std::string cupsd = FindCupsd();
    // The scheduler runs its backends as an unprivileged user: lp when it
    // runs as root, else the user running the tests.
    const bool root = geteuid() == 0;
    std::string user;
    std::string group_name;
    std::string system_group;
    uid_t uid = geteuid();
    gid_t gid = getegid();
    if (root) {
        if (!getgrnam("lpadmin")) CheckedCommand({"groupadd", "lpadmin"});
        const passwd* lp = getpwnam("lp");
        const group* lp_group = getgrnam("lp");
        if (!lp || !lp_group)
            throw std::runtime_error("the user and group lp are missing (the cups package adds them)");
        user = "lp";
        group_name = "lp";
        system_group = "lpadmin";
        uid = lp->pw_uid;
        gid = lp_group->gr_gid;
    } else {
        const passwd* me = getpwuid(uid);
        const group* mine = getgrgid(gid);
        if (!me || !mine) throw std::runtime_error("cannot name the user running the tests");
        user = me->pw_name;
        group_name = mine->gr_name;
        system_group = group_name;
    }
    chmod(dir_.c_str(), 0755);
    for (const char* sub : {"run", "spool", "cache", "log", "state", "serverroot"}) {
        std::string d = dir_ + "/" + sub;
        if (mkdir(d.c_str(), 0755) != 0 && errno != EEXIST) throw std::runtime_error("cannot create " + d);
        if (chown(d.c_str(), uid, gid) != 0) throw std::runtime_error("cannot hand " + d + " to " + user);
    }
    WriteFile(dir_ + "/serverroot/cups-files.conf",
              "FileDevice Yes\n"
              "ServerRoot " +
                  dir_ +
                  "/serverroot\n"
                  "RequestRoot " +
                  dir_ +
                  "/spool\n"
                  "CacheDir " +
                  dir_ +
                  "/cache\n"
                  "StateDir " +
                  dir_ +
                  "/state\n"
                  "TempDir " +
                  dir_ +
                  "/spool\n"
                  "ErrorLog " +
                  dir_ +
                  "/log/error_log\n"
                  "AccessLog " +
                  dir_ +
                  "/log/access_log\n"
                  "PageLog " +
                  dir_ +
                  "/log/page_log\n"
                  "User " +
                  user +
                  "\n"
                  "Group " +
                  group_name +
                  "\n"
                  "SystemGroup " +
                  system_group + "\n");
    WriteFile(dir_ + "/serverroot/cupsd.conf", "Listen " + socket_ +
                                                   "\n"
                                                   "LogLevel warn\n"
                                                   "IdleExitTimeout 0\n"
                                                   "Browsing No\n"
                                                   "WebInterface No\n"
                                                   "DefaultPolicy open\n"
                                                   "<Policy open>\n"
                                                   "<Limit All>\n"
                                                   "Order deny,allow\n"
                                                   "Allow all\n"
                                                   "</Limit>\n"
                                                   "</Policy>\n");

    // The listening socket is made here and handed over as the service
    // manager would (socket activation): clients may connect at once, and
    // the scheduler answers them as soon as it is up, with no waiting here.
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (fd < 0 || socket_.size() >= sizeof addr.sun_path)
        throw std::runtime_error("cannot make the scheduler's socket");
    std::strncpy(addr.sun_path, socket_.c_str(), sizeof addr.sun_path - 1);
    unlink(socket_.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 128) != 0) {
        close(fd);
        throw std::runtime_error("cannot listen on " + socket_);
    }
    chmod(socket_.c_str(), 0777);

    const std::string conf = dir_ + "/serverroot/cupsd.conf";
    const std::string files = dir_ + "/serverroot/cups-files.conf";
    std::vector<const char*> argv{"cupsd", "-f", "-l", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    std::vector<std::string> env_text;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LISTEN_", 7) != 0) env_text.emplace_back(*e);
    env_text.emplace_back("LISTEN_FDS=1");
    char listen_pid[32] = "LISTEN_PID=";
    std::vector<char*> envp;
    for (std::string& e : env_text) envp.push_back(e.data());
    envp.push_back(listen_pid);
    envp.push_back(nullptr);

    pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here on.
        if (fd == 3) {
            fcntl(3, F_SETFD, 0);
        } else if (dup2(fd, 3) < 0) {
            _exit(126);
        }
        char digits[16];
        int n = 0;
        for (pid_t p = getpid(); p > 0 && n < 15; p /= 10) digits[n++] = static_cast<char>('0' + p % 10);
        char* out = listen_pid + std::strlen("LISTEN_PID=");
        while (n > 0) *out++ = digits[--n];
        *out = '\0';
        execve(cupsd.c_str(), const_cast<char* const*>(argv.data()), envp.data());
        _exit(127);
    }
    close(fd);
    if (pid < 0) throw std::runtime_error("cannot start cupsd");
    pid_ = pid;
    CommandResult r = RunCommand({"lpstat", "-r"});
    if (r.Status != 0 || r.Output.find("not running") != std::string::npos)
        throw std::runtime_error("the private cupsd did not start: " + r.Output + ErrorLog());
}

std::string PrivateCups::ErrorLog() const { return ReadAll(dir_ + "/log/error_log"); }

void PrivateCups::AddRawQueue(const std::string& Name, int Port) {
    CheckedCommand({"lpadmin", "-p", Name, "-E", "-v", "socket://127.0.0.1:" + std::to_string(Port), "-m", "raw"});
}

void PrivateCups::RemoveQueue(const std::string& Name) { CheckedCommand({"lpadmin", "-x", Name}); }
void PrivateCups::SetDefault(const std::string& Name) { CheckedCommand({"lpadmin", "-d", Name}); }
void PrivateCups::Reject(const std::string& Name) { CheckedCommand({"cupsreject", Name}); }
void PrivateCups::Accept(const std::string& Name) { CheckedCommand({"cupsaccept", Name}); }

} // namespace trx::test
