// The preview over a large SQLite table: the time to show page 1, of Last
// Page (the whole search) against the text-file report of the same table,
// and of one Next and one Prev at page 2 and at a far page, and the peak
// memory of the whole session.
//
//     bench_preview_stepping <database> <table> <text output file> [far page]
//         (far page 10000 by default)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench_report.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/data/table.h"
#include "support/engine/run_setup.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"

namespace {

using namespace trx;

double Seconds(const std::function<void()>& Job) {
    const auto start = std::chrono::steady_clock::now();
    Job();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <database> <table> <text output file> [far page]\n", argv[0]);
        return 2;
    }
    const std::string farPage = argc > 4 ? argv[4] : "10000";
    TWindowProgress progressWindow;
    TRunProgressScope showProgress(progressWindow);
    TRunScope globals;
    TtrxReportSettings& rs = bench::SetUpBenchmarkReport(globals);
    rs.OutputFileName = argv[3];
    rs.OutputDest = TOutputDest::odTextFile;
    rs.TxtCharsPageWid = 160;
    rs.LinesPerpage = 66;
    rs.Snugfit = TSnugfit::osAllRows;

    TTable table;
    bench::StartBenchmarkRun(table, argv[1], argv[2]);
    int result = 0;
    const double report = Seconds([&] { result = test::PrintRun(); });

    TPrintSettings& ps = globals.PS();
    ps.Oper = TOper::opPreview;
    globals.OI().ResizeColWids(nullptr);
    ps.CalcMemoHts();
    auto* fm = new TfmPreview(nullptr);
    fmPreview = fm;
    const double first = Seconds([&] { fm->FormShow(fm); });
    fm->sbNextPageClick(fm);
    const double next2 = Seconds([&] { fm->sbNextPageClick(fm); });
    const double prev2 = Seconds([&] { fm->sbPrevPageClick(fm); });
    const double last = Seconds([&] { fm->sbLastPageClick(fm); });
    const std::string lastPage = ps.FormattedPageNum();
    fm->GotoPage(farPage);
    const double nextFar = Seconds([&] { fm->sbNextPageClick(fm); });
    const double prevFar = Seconds([&] { fm->sbPrevPageClick(fm); });
    delete fm;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("report result %d, %d rows, last page %s\n", result, globals.OI().Rows, lastPage.c_str());
    std::printf("text-file report  %9.3f s\n", report);
    std::printf("page 1            %9.3f ms\n", first * 1000);
    std::printf("Last Page search  %9.3f s  (%.2f x the report)\n", last, last / report);
    std::printf("Next / Prev at 2  %9.3f / %.3f ms\n", next2 * 1000, prev2 * 1000);
    std::printf("Next / Prev at %s %9.3f / %.3f ms\n", farPage.c_str(), nextFar * 1000, prevFar * 1000);
    std::printf("peak memory       %9ld MB (report and preview in one process)\n", usage.ru_maxrss / 1024);
    return result == 1 ? 0 : 1;
}
