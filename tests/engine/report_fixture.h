// Whole reports: a fresh application with a scripted user and a fake clock,
// the virtual printer, the capture spooler, a temporary directory, the
// progress window, and the run's globals with the settings of a new report,
// put into the state the options dialog leaves them in before it prints.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/form_routines_fixture.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/core/compiler_warnings.h"
#include "framework/data/table.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/virtual_printer.h"
#include "support/engine/run_setup.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"
#include "ui/progress_window.h"

namespace trx::test {

// A clock that moves on every reading, so that the progress window lets the
// messages through now and then.
class SteppingClock : public TFakeClock {
public:
    int64_t TickCount() override {
        Advance(200);
        return TFakeClock::TickCount();
    }
};

class ReportTest : public FormRoutinesTest {
protected:
    ReportTest() {
        globals = std::make_unique<TRunScope>();
        SetReportDefaults(RS());
        RS().OutputDest = TOutputDest::odTextFile;
        RS().OutputFileName = OutName();
        RS().DialogTitle = "Items";
        RS().ReportDesc = "Items report";
        OI().ComponentName = "TrxTabrix1";
    }
    ~ReportTest() override {
        ui.reset();
        ResetApplication();
        globals.reset();
    }

    TPrintSettings& PS() { return globals->PS(); }
    TtrxReportSettings& RS() { return globals->RS(); }
    TObjInfo& OI() { return globals->OI(); }
    TRptStyles& Styles() { return globals->Styles(); }
    void SetOpt(TStyleOptNdx Opt, bool On) { Styles().StyleOpts[Opt].Value = On; }

    std::string OutName() const { return dir.File("report.txt"); }
    std::string Output() const { return ReadAll(OutName()); }

    // A string grid of Cols columns with one title row "C0", "C1", ... and
    // Rows data rows whose cells read "r1c0", "r1c1", ...
    static std::unique_ptr<TStringGrid> Grid(int Cols, int Rows, int FixedCols = 0) {
        auto g = std::make_unique<TStringGrid>(nullptr);
        g->SetName("sgItems");
        g->SetColCount(Cols);
        g->SetRowCount(Rows + 1);
        g->SetFixedCols(FixedCols);
        g->SetFixedRows(1);
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        for (int c = 0; c < Cols; ++c) {
            g->SetCells(c, 0, "C" + std::to_string(c));
            for (int r = 1; r <= Rows; ++r) g->SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
        }
        TRX_GCC_BOGUS_RESTRICT_END
        return g;
    }

    // A table "items" of a new SQLite file made by Sql.
    std::unique_ptr<TTable> Table(const std::string& Sql) {
        db = std::make_unique<SqliteFile>(dir.File("items.db"), Sql);
        auto t = std::make_unique<TTable>();
        t->SetName("tblItems");
        t->SetDatabaseName(db->FileName());
        t->SetTableName("items");
        return t;
    }

    // Lines of a text split at CR LF; the last line needs no line end.
    static std::vector<std::string> SplitLines(const std::string& Text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < Text.size()) {
            const std::size_t end = Text.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back(Text.substr(start));
                break;
            }
            lines.push_back(Text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    // The text without blanks at the ends of its lines.
    static std::string TrimLineEnds(const std::string& Text) {
        std::string out;
        for (const std::string& line : SplitLines(Text)) {
            const std::size_t end = line.find_last_not_of(' ');
            out += (end == std::string::npos ? std::string() : line.substr(0, end + 1)) + "\n";
        }
        return out;
    }

    // The pages of a text: split where a form feed begins a line.
    static std::vector<std::string> SplitPages(const std::string& Text) {
        std::vector<std::string> pages(1);
        for (const std::string& line : SplitLines(Text)) {
            std::string l = line;
            if (!l.empty() && l[0] == '\f') {
                pages.emplace_back();
                l.erase(0, 1);
            }
            pages.back() += l + "\n";
        }
        return pages;
    }
    // The blank-trimmed text lines of the output file's pages.
    std::vector<std::string> OutputPages() const {
        std::vector<std::string> pages = SplitPages(Output());
        for (std::string& page : pages) {
            std::string crlf;
            for (char c : page) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            page = TrimLineEnds(crlf);
        }
        return pages;
    }

    TVirtualPrinterOverride printer;
    TSpoolerOverride spooler;
    // The runs report to the progress window, as the dialog's runs do;
    // reset, they run without any progress.
    TWindowProgress progressWindow;
    std::optional<TRunProgressScope> showProgress{std::in_place, progressWindow};
    TempDir dir;
    std::unique_ptr<TRunScope> globals;
    std::unique_ptr<SqliteFile> db;
};

} // namespace trx::test
