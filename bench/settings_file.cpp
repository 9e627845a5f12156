// Loading and saving one report's section in a settings file that holds
// 10,000 or 100,000 sections (each with a few settings and a memo block).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "engine/rpt_styles.h"
#include "framework/core/format.h"
#include "storage/file_mgr.h"

namespace trx {
namespace {

// A valid identifier: its suffix has three digits on either side of the point.
std::string ReportId(int I) { return Format("Report %d (%.3d.%.3d)", {I, I / 999 % 999 + 1, I % 999 + 1}); }

class TSettingsFileBench {
public:
    explicit TSettingsFileBench(int Sections) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "trx-bench-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        dir_ = tmpl;
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
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

// A manager of the file's directory, filling its own settings record.
class TSettingsFileUser {
public:
    explicit TSettingsFileUser(const TSettingsFileBench& File) {
        mgr.DataDir = File.Dir();
        mgr.ReportSettings = &rs_;
    }

    TtrxFileMgr mgr;

private:
    TtrxReportSettings rs_;
};

// One file of each size, made when a benchmark first asks for it.
TSettingsFileBench& Fixture(int Sections) {
    static TRptStyles styles;
    static std::map<int, std::unique_ptr<TSettingsFileBench>> files;
    RptStyles = &styles;
    auto& f = files[Sections];
    if (!f) f = std::make_unique<TSettingsFileBench>(Sections);
    return *f;
}

// Args: the number of sections in the file and the section's place in it.
void Places(benchmark::internal::Benchmark* B) {
    for (int sections : {10000, 100000})
        for (int place : {0, sections / 2, sections - 1}) B->Args({sections, place});
}

void BM_LoadOneReport(benchmark::State& State) {
    TSettingsFileUser f(Fixture(static_cast<int>(State.range(0))));
    const int i = static_cast<int>(State.range(1));
    const TtrxUserName user = "USER" + IntToStr(i % 7);
    const TtrxReportId id = ReportId(i);
    for (auto _ : State) benchmark::DoNotOptimize(f.mgr.LoadReportSettings(user, id));
}
BENCHMARK(BM_LoadOneReport)->Apply(Places)->Unit(benchmark::kMillisecond);

void BM_SaveOneReport(benchmark::State& State) {
    TSettingsFileUser f(Fixture(static_cast<int>(State.range(0))));
    const int i = static_cast<int>(State.range(1));
    TtrxUserName user = "USER" + IntToStr(i % 7);
    TtrxReportId id = ReportId(i);
    f.mgr.LoadReportSettings(user, id);
    for (auto _ : State) benchmark::DoNotOptimize(f.mgr.SaveReportSettings(user, id, true));
}
BENCHMARK(BM_SaveOneReport)->Apply(Places)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace trx
