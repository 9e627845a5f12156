// Reading the redirection file "TBXDirs.Ini" with 25,000 and with 400,000
// programs' entries: its whole section (what the data-directory wizard
// lists) and one program's entry (what finding the data directory reads).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "framework/core/ini_file.h"
#include "framework/core/stringlist.h"

namespace trx {
namespace {

constexpr const char* Section = "Tabrix! Data Directories";

std::string Key(int I) { return "/home/user" + std::to_string(I % 50) + "/apps/payroll" + std::to_string(I); }

// A redirection file of Entries lines of about 100 bytes each (25,000
// entries make 2.5 MB), made when a benchmark first asks for it.
class TRedirectionFile {
public:
    explicit TRedirectionFile(int Entries) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "trx-bench-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        dir_ = tmpl;
        std::ofstream out(Name(), std::ios::binary);
        out << "[" << Section << "]\r\n";
        for (int i = 0; i < Entries; ++i)
            out << Key(i) << "=/srv/shared/reports/department" << i % 100 << "/Shared" << i % 1000
                << ".TRX,PARADOX\r\n";
    }
    ~TRedirectionFile() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Name() const { return dir_ + "/TBXDirs.Ini"; }

private:
    std::string dir_;
};

const TRedirectionFile& Fixture(int Entries) {
    static std::map<int, std::unique_ptr<TRedirectionFile>> files;
    auto& f = files[Entries];
    if (!f) f = std::make_unique<TRedirectionFile>(Entries);
    return *f;
}

void BM_ReadSectionValues(benchmark::State& State) {
    const TIniFile ini(Fixture(static_cast<int>(State.range(0))).Name());
    for (auto _ : State) {
        TStringList lines;
        ini.ReadSectionValues(Section, lines);
        benchmark::DoNotOptimize(lines.Count());
    }
}
BENCHMARK(BM_ReadSectionValues)->Arg(25000)->Arg(400000)->Unit(benchmark::kMillisecond);

void BM_ReadLastEntry(benchmark::State& State) {
    const int entries = static_cast<int>(State.range(0));
    const TIniFile ini(Fixture(entries).Name());
    const std::string key = Key(entries - 1);
    for (auto _ : State) benchmark::DoNotOptimize(ini.ReadString(Section, key, ""));
}
BENCHMARK(BM_ReadLastEntry)->Arg(25000)->Arg(400000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace trx
