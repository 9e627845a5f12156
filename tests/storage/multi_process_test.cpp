// Several processes on one settings file: concurrent saves and loads lose
// nothing, and a process killed while it saves leaves a whole file and a
// lock file that the next operation takes over.
//
// The processes wait for each other through a clock that only yields the
// processor, so the test takes no real waiting time. The sizes grow with
// TRX_STRESS_PROCESSES, TRX_STRESS_SAVES and TRX_STRESS_KILLS, and
// TRX_STRESS_REAL_CLOCK=1 lets the processes wait on the system clock
// (scripts/stress-settings-file.sh).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include "file_mgr_fixture.h"
#include "framework/core/file_utils.h"
#include "framework/core/format.h"
#include "framework/forms/dialogs.h"
#include "storage/section_lines.h"

namespace trx::test {
namespace {

int EnvInt(const char* Name, int Default) {
    const char* v = std::getenv(Name);
    return v && *v ? std::atoi(v) : Default;
}

bool RealClock() { return EnvInt("TRX_STRESS_REAL_CLOCK", 0) != 0; }

// Waiting only yields the processor; time moves as it is waited for.
class TYieldClock : public TClock {
public:
    int64_t TickCount() override { return ticks_; }
    double LocalDateTime() override { return 46000.5 + double(ticks_) / 86400000.0; }
    void Wait(int64_t Ms) override {
        ticks_ += Ms > 0 ? Ms : 0;
        sched_yield();
    }

private:
    int64_t ticks_ = 1000;
};

// Answers the stale-lock question with Retry: a holder that is alive goes on.
class TRetryDialogs : public TDialogService {
public:
    TModalResult MessageDlg(const std::string&, TMsgDlgType, TMsgDlgButtons, int) override { return mrRetry; }
    void ShowMessage(const std::string&) override {}
    void ShowException(const std::string&, const std::string&) override {}
    void MessageBeep(uint32_t) override {}
    bool ExecuteFileDialog(TOpenDialog&, bool) override { return false; }
    bool ExecuteFontDialog(TFontDialog&) override { return false; }
    bool ExecutePrinterSetupDialog(TPrinterSetupDialog&) override { return false; }
    bool SelectDirectory(std::string&, TSelectDirOpts, int) override { return false; }
};

std::string ReportOf(int Process) { return Format("P%d (%.3d.001)", {Process, Process + 1}); }
std::string MemoOf(int Process, int Save) {
    return "[" + ReportOf(Process) + "]\r\nsave " + IntToStr(Save) + "\r\nMemo,PgTi=ENDS";
}

// Runs Body in a child process with its own clock, dialogs and run
// globals; returns the child's id. The child ends with Body's result.
template <class F>
pid_t Spawn(F Body) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    int code = 1;
    try {
        TYieldClock yield;
        TSystemClock system;
        TClockOverride useClock(RealClock() ? static_cast<TClock&>(system) : yield);
        TRetryDialogs dialogs;
        TDialogServiceOverride useDialogs(dialogs);
        // The parent's run came along with fork(): this process opens its own.
        PrintSettings = nullptr;
        RptStyles = nullptr;
        ObjInfo = nullptr;
        ReportSettings = nullptr;
        TRunScope run;
        code = Body(run.RS());
    } catch (const Exception& e) {
        std::fprintf(stderr, "child %d: %s\n", static_cast<int>(getpid()), e.Message.c_str());
        code = 3;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "child %d: %s\n", static_cast<int>(getpid()), e.what());
        code = 3;
    }
    _exit(code);
}

int WaitFor(pid_t Pid) {
    int status = 0;
    while (waitpid(Pid, &status, 0) < 0) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// What a whole settings file looks like: complete lines, closed memo
// blocks, each header once, and known keys only.
std::string CheckSettingsText(const std::string& Bytes) {
    if (!Bytes.empty() && Bytes.size() < 2) return "too short";
    if (!Bytes.empty() && Bytes.compare(Bytes.size() - 2, 2, "\r\n") != 0) return "last line cut";
    TtrxFileMgr m;
    m.InitRSFList();
    TSectionScanner scanner;
    std::set<std::string> headers;
    std::size_t start = 0;
    while (start < Bytes.size()) {
        const std::size_t lf = Bytes.find('\n', start);
        std::string line = Bytes.substr(start, lf - start);
        start = lf + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        switch (scanner.Feed(line)) {
        case TSettingsLineKind::slHeader:
            if (!headers.insert(UpperCase(Trim(line))).second) return "header twice: " + line;
            break;
        case TSettingsLineKind::slBody: {
            std::string key, value;
            SplitSettingsLine(line, key, value);
            if (!line.empty() && m.RSFList->IndexOf(key) < 0) return "unknown line: " + line;
            break;
        }
        default: break;
        }
    }
    if (scanner.InMemoBlock()) return "memo block not closed";
    return {};
}

class MultiProcess : public FileMgrTest {};

TEST_F(MultiProcess, ConcurrentSavesAndLoadsLoseNothing) {
    const int processes = EnvInt("TRX_STRESS_PROCESSES", 4);
    const int saves = EnvInt("TRX_STRESS_SAVES", 25);
    const std::string dataDir = dir.Path();
    std::vector<pid_t> pids;
    for (int p = 0; p < processes; ++p) {
        pids.push_back(Spawn([&, p](TtrxReportSettings& rs) {
            TtrxFileMgr m;
            m.DataDir = dataDir;
            m.ReportSettings = &rs;
            for (int k = 1; k <= saves; ++k) {
                if (!m.LoadReportSettings("", ReportOf(p))) return 10;
                if (k > 1 && rs.PanelsAcrossPage != k - 1) return 11; // our last save is there
                if (!m.LoadReportSettings("", ReportOf((p + 1) % processes))) return 12;
                if (!m.LoadReportSettings("", ReportOf(p))) return 10;
                rs.PanelsAcrossPage = k;
                rs.ReportDesc = "process " + IntToStr(p);
                rs.Memo(TRptMemoNdx::rmPgTi).SetText(MemoOf(p, k));
                TtrxUserName user;
                TtrxReportId id = ReportOf(p);
                if (!m.SaveReportSettings(user, id, true)) return 13;
                if (id.str() != ReportOf(p)) return 14;
            }
            return 0;
        }));
    }
    for (pid_t pid : pids) EXPECT_EQ(WaitFor(pid), 0);

    EXPECT_EQ(CheckSettingsText(Settings()), "");
    for (int p = 0; p < processes; ++p) {
        ASSERT_TRUE(Load("", ReportOf(p)));
        EXPECT_EQ(run.RS().PanelsAcrossPage, saves) << p;
        EXPECT_EQ(run.RS().ReportDesc, "process " + IntToStr(p));
        EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Text(), MemoOf(p, saves));
    }
}

TEST_F(MultiProcess, AProcessKilledWhileSavingLeavesAWholeFile) {
    const int rounds = EnvInt("TRX_STRESS_KILLS", 20);
    const std::string dataDir = dir.Path();
    for (int p = 0; p < 5; ++p) {
        run.RS().PanelsAcrossPage = 10 + p;
        run.RS().Memo(TRptMemoNdx::rmRptHdr).SetText(MemoOf(p, 0));
        ASSERT_TRUE(Save("", ReportOf(p)));
    }
    std::mt19937 random(12345);
    int lastSeen = 0;
    for (int round = 0; round < rounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const int first = lastSeen + 1;
        const pid_t pid = Spawn([&](TtrxReportSettings& rs) {
            close(fds[0]);
            TtrxFileMgr m;
            m.DataDir = dataDir;
            m.ReportSettings = &rs;
            for (int k = first;; ++k) {
                rs.PanelsAcrossPage = k;
                rs.Memo(TRptMemoNdx::rmPgFtr).SetText(std::string(static_cast<std::size_t>(k % 97 + 1) * 40, 'x'));
                TtrxUserName user;
                TtrxReportId id = "Victim (100.100)";
                if (!m.SaveReportSettings(user, id, true)) return 13;
                if (write(fds[1], &k, sizeof k) != static_cast<ssize_t>(sizeof k)) return 14;
            }
        });
        close(fds[1]);
        int k = 0;
        ASSERT_EQ(read(fds[0], &k, sizeof k), static_cast<ssize_t>(sizeof k));
        // Somewhere in a later save.
        volatile uint64_t spin = 0;
        const uint64_t spins = random() % 400000;
        for (uint64_t i = 0; i < spins; ++i) spin = spin + i;
        kill(pid, SIGKILL);
        EXPECT_EQ(WaitFor(pid), 128 + SIGKILL);
        while (read(fds[0], &k, sizeof k) == static_cast<ssize_t>(sizeof k)) {}
        close(fds[0]);

        ASSERT_TRUE(FileExists(SettingsFileName()));
        ASSERT_EQ(CheckSettingsText(Settings()), "") << "round " << round;
        // The dead process's lock is taken over without waiting.
        const int64_t start = GetTickCount();
        for (int p = 0; p < 5; ++p) {
            ASSERT_TRUE(Load("", ReportOf(p)));
            EXPECT_EQ(run.RS().PanelsAcrossPage, 10 + p);
            EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmRptHdr).Text(), MemoOf(p, 0));
        }
        ASSERT_TRUE(Load("", "Victim (100.100)"));
        EXPECT_GE(run.RS().PanelsAcrossPage, k);
        EXPECT_LE(run.RS().PanelsAcrossPage, k + 1);
        EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgFtr).Text().size(),
                  static_cast<std::size_t>(run.RS().PanelsAcrossPage % 97 + 1) * 40);
        EXPECT_EQ(GetTickCount(), start);
        lastSeen = run.RS().PanelsAcrossPage;
    }
}

} // namespace
} // namespace trx::test
