// A report and an export of a large SQLite table against the sqlite3
// shell's own output of the same table: the export through PrintReport
// against ".mode csv", and a text-file report whose column widths are
// measured over all rows against ".mode box". Every job runs as a child
// process of its own, so that its wall time and peak memory are its own.
//
//     bench_report_vs_sqlite compare <database> <table> <output dir> [sqlite3]
//         (every job runs BENCH_RUNS times, 3 by default; the best time counts)
//     bench_report_vs_sqlite export  <database> <table> <output file>
//     bench_report_vs_sqlite text    <database> <table> <output file>
//
// bench/report-vs-sqlite.sh makes the table and runs the comparison.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_report.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/data/table.h"
#include "support/engine/run_setup.h"
#include "ui/progress_window.h"

namespace {

using namespace trx;

// One report run over the table; its result (1 completed).
int RunReport(bool Export, const std::string& Database, const std::string& TableName, const std::string& Out) {
    // As in the dialog, the run reports to the (hidden) progress window.
    TWindowProgress progressWindow;
    TRunProgressScope showProgress(progressWindow);
    TRunScope globals;
    TtrxReportSettings& rs = bench::SetUpBenchmarkReport(globals);
    rs.OutputFileName = Out;
    rs.ExportMaxStrLng = 255;
    rs.TxtCharsPageWid = 160;
    rs.LinesPerpage = 66;
    if (Export) {
        rs.OutputDest = TOutputDest::odExportFile;
        rs.ExportFieldDelim = "44";
        rs.ExportQuote = "34";
        rs.Snugfit = TSnugfit::osNoRows;
    } else {
        rs.OutputDest = TOutputDest::odTextFile;
        rs.Snugfit = TSnugfit::osAllRows;
    }

    TTable table;
    bench::StartBenchmarkRun(table, Database, TableName);
    return test::PrintRun();
}

struct TJob {
    std::string Name;
    std::vector<std::string> Argv;
    double Seconds = 0;
    std::vector<double> Rounds{}; // the time of each run
    long PeakKb = 0;
    int Status = -1;
};

// Runs the job as a child and waits for it: wall time, peak resident
// memory and exit status of this run; the job keeps the shortest time and
// the greatest peak of its runs.
void RunJob(TJob& Job) {
    // The output of the job before is on the disk first, so that no job
    // pays for the writing of another.
    sync();
    std::vector<char*> argv;
    for (std::string& a : Job.Argv) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Job.Seconds = Job.Status < 0 ? seconds : std::min(Job.Seconds, seconds);
    Job.Rounds.push_back(seconds);
    Job.PeakKb = std::max(Job.PeakKb, static_cast<long>(usage.ru_maxrss));
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (Job.Status <= 0) Job.Status = code;
}

long CountRows(const std::string& Sqlite3, const std::string& Database, const std::string& TableName) {
    const std::string cmd = Sqlite3 + " -readonly '" + Database + "' 'SELECT count(*) FROM \"" + TableName + "\"'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return 0;
    long n = 0;
    if (std::fscanf(p, "%ld", &n) != 1) n = 0;
    pclose(p);
    return n;
}

int Compare(const std::string& Self, const std::string& Database, const std::string& TableName,
            const std::string& OutDir, const std::string& Sqlite3, int Runs) {
    std::filesystem::create_directories(OutDir);
    const long rows = CountRows(Sqlite3, Database, TableName);
    const std::string select = "SELECT * FROM \"" + TableName + "\";";
    auto shell = [&](const char* Mode, const std::string& Out) {
        return std::vector<std::string>{
            Sqlite3, "-readonly", Database, ".headers on", std::string(".mode ") + Mode, ".output " + Out, select};
    };
    std::vector<TJob> jobs = {
        {"export (PrintReport)", {Self, "export", Database, TableName, OutDir + "/report.csv"}},
        {"sqlite3 .mode csv", shell("csv", OutDir + "/shell.csv")},
        {"text report, all rows measured", {Self, "text", Database, TableName, OutDir + "/report.txt"}},
        {"sqlite3 .mode box", shell("box", OutDir + "/shell.txt")},
    };
    // The jobs take turns, so that a slow spell of the machine does not
    // fall on one of them only.
    for (int run = 0; run < Runs; ++run)
        for (TJob& job : jobs) RunJob(job);

    std::printf("%ld rows of table %s in %s; best of %d runs\n\n", rows, TableName.c_str(), Database.c_str(), Runs);
    std::printf("%-32s %10s %12s %10s %8s %8s %8s\n", "job", "wall s", "rows/s", "peak MB", "ratio", "median",
                "status");
    bool ok = true;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const TJob& job = jobs[i];
        const bool ours = i % 2 == 0;
        char ratio[32] = "", median[32] = "";
        if (ours) {
            std::snprintf(ratio, sizeof ratio, "%.2f", job.Seconds / jobs[i + 1].Seconds);
            // Each run of ours against the shell's run right after it.
            std::vector<double> ratios;
            for (std::size_t r = 0; r < job.Rounds.size() && r < jobs[i + 1].Rounds.size(); ++r)
                ratios.push_back(job.Rounds[r] / jobs[i + 1].Rounds[r]);
            std::sort(ratios.begin(), ratios.end());
            const std::size_t n = ratios.size();
            if (n > 0)
                std::snprintf(median, sizeof median, "%.2f",
                              n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2);
        }
        std::printf("%-32s %10.2f %12.0f %10.1f %8s %8s %8d\n", job.Name.c_str(), job.Seconds,
                    job.Seconds > 0 ? rows / job.Seconds : 0.0, job.PeakKb / 1024.0, ratio, median, job.Status);
        ok = ok && job.Status == 0;
    }
    std::printf(
        "\nratio: best wall time ours / shell's; median: the median of the runs' ratios (each run of ours "
        "against the shell's run after it). Targets: export median <= 0.75 under 16 MB, text report median <= 0.75 "
        "under 16 MB.\n");
    return ok ? 0 : 1;
}

std::string SelfPath(const char* Argv0) {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string(Argv0);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "export" || mode == "text") && argc == 5) {
        const int result = RunReport(mode == "export", argv[2], argv[3], argv[4]);
        if (result != 1) std::fprintf(stderr, "the run ended with result %d\n", result);
        return result == 1 ? 0 : 1;
    }
    if (mode == "compare" && (argc == 5 || argc == 6)) {
        const char* runs = std::getenv("BENCH_RUNS");
        return Compare(SelfPath(argv[0]), argv[2], argv[3], argv[4], argc == 6 ? argv[5] : "sqlite3",
                       runs ? std::max(1, std::atoi(runs)) : 3);
    }
    std::fprintf(stderr,
                 "usage: %s compare <database> <table> <output dir> [sqlite3]\n"
                 "       %s export|text <database> <table> <output file>\n",
                 argv[0], argv[0]);
    return 2;
}
