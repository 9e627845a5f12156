// Loading and saving one report's section in a settings file that holds
// 10,000 sections (each with a few settings and a memo block).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/rpt_styles.h"
#include "framework/core/format.h"
#include "storage/file_mgr.h"

namespace trx {
namespace {

constexpr int Sections = 10000;

std::string ReportId(int I) { return Format("Report %d (%.3d.%.3d)", {I, I / 1000 + 1, I % 1000 + 1}); }

class TSettingsFileBench {
public:
    TSettingsFileBench() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "trx-bench-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        dir_ = tmpl;
        RptStyles = &styles_;
        mgr.DataDir = dir_;
        mgr.ReportSettings = &rs_;
        std::ofstream out(dir_ + "/RptSet.TXT", std::ios::binary);
        for (int i = 0; i < Sections; ++i) {
            out << "[USER" << i % 7 << ":" << ReportId(i) << "]\r\n"
                << "PanelsAcrossPage=" << 1 + i % 3 << "\r\nLinesPerpage=" << 50 + i % 20
                << "\r\nPageMarginThous=500,500,500,500\r\nTextFontName=Courier New\r\nReportDesc=Report number " << i
                << "\r\nLastSaveDate=01/02/2024 10:11:12\r\nsoLineNumbers=0\r\n"
                << "Memo,PgTi=START\r\nQuarterly figures\r\nfor region " << i << "\r\nMemo,PgTi=END\r\n"
                << "Memo,PgNum=START\r\n\r^DL^PC^TR\r\nMemo,PgNum=END\r\n\r\n";
        }
    }
    ~TSettingsFileBench() {
        RptStyles = nullptr;
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    TtrxFileMgr mgr;

private:
    std::string dir_;
    TRptStyles styles_;
    TtrxReportSettings rs_;
};

TSettingsFileBench& Fixture() {
    static TSettingsFileBench fixture;
    return fixture;
}

// Arg: the section's place in the file.
void BM_LoadOneReport(benchmark::State& State) {
    TSettingsFileBench& f = Fixture();
    const int i = static_cast<int>(State.range(0));
    const TtrxUserName user = "USER" + IntToStr(i % 7);
    const TtrxReportId id = ReportId(i);
    for (auto _ : State) benchmark::DoNotOptimize(f.mgr.LoadReportSettings(user, id));
}
BENCHMARK(BM_LoadOneReport)->Arg(0)->Arg(Sections / 2)->Arg(Sections - 1)->Unit(benchmark::kMillisecond);

void BM_SaveOneReport(benchmark::State& State) {
    TSettingsFileBench& f = Fixture();
    const int i = static_cast<int>(State.range(0));
    TtrxUserName user = "USER" + IntToStr(i % 7);
    TtrxReportId id = ReportId(i);
    f.mgr.LoadReportSettings(user, id);
    for (auto _ : State) benchmark::DoNotOptimize(f.mgr.SaveReportSettings(user, id, true));
}
BENCHMARK(BM_SaveOneReport)->Arg(0)->Arg(Sections / 2)->Arg(Sections - 1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace trx
