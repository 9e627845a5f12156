// A report of names in several scripts: the text file in the IBM set is
// UTF-8 with its table lines in the same cells on every line, its export
// comes back through the sqlite3 shell's import as the same values, and
// its raw printer text is code page 437 with "?" only for the characters
// the code page lacks.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/report_fixture.h"
#include "framework/core/code_page_437.h"
#include "framework/core/display_width.h"
#include "support/engine/mixed_scripts.h"

namespace trx::test {
namespace {

using M = TRptMemoNdx;
using S = TStyleOptNdx;

class MixedScriptsTest : public ReportTest {
protected:
    MixedScriptsTest() {
        RS().OutputQuality = 1; // IBM lines
        RS().TxtCharsPageWid = 50;
        RS().LinesPerpage = 16;
        RS().MaxStringLines = 1;
        RS().Memo(M::rmPgTi).SetText("Names ^P");
        SetOpt(S::soLineNumbers, false);
        table = Table(MixedScriptTableSql());
        table->SetTableName("names");
    }

    // The cells where the table's line characters other than the
    // horizontal one stand in a line.
    static std::vector<int> JunctionCells(const std::string& Line) {
        std::vector<int> cells;
        int cell = 1;
        for (std::size_t i = 0; i < Line.size();) {
            const char32_t c = NextChar(Line, i);
            if (c >= 0x2500 && c < 0x2580 && c != 0x2500) cells.push_back(cell);
            cell += CharWidth(c);
        }
        return cells;
    }

    static std::string Golden(const std::string& Name) {
        const char* src = std::getenv("TRX_SOURCE_DIR");
        std::ifstream in(std::string(src ? src : ".") + "/tests/engine/golden/" + Name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Every row of a query on a database file, its fields as text.
    static std::vector<std::vector<std::string>> Rows(const std::string& FileName, const std::string& Sql) {
        std::vector<std::vector<std::string>> rows;
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(FileName.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, Sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                row.emplace_back(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
            }
            rows.push_back(row);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return rows;
    }

    std::unique_ptr<TTable> table;
};

TEST_F(MixedScriptsTest, TheTextFileIsUtf8WithTheTableLinesInTheSameCellsOnEveryLine) {
    StartRun(table.get());
    ASSERT_EQ(PrintRun(), 1);
    const std::string text = Output();
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(text, Golden("mixed-scripts-ibm.txt"));

    std::vector<int> columns;
    int tableLines = 0;
    for (const std::string& line : SplitLines(text)) {
        const std::vector<int> cells = JunctionCells(line);
        if (cells.empty()) continue;
        ++tableLines;
        if (columns.empty()) columns = cells;
        EXPECT_EQ(cells, columns) << line;
    }
    EXPECT_EQ(tableLines, 11); // top, titles, separator, seven rows, bottom
    ASSERT_EQ(columns.size(), 4u);
    // Every name shows whole, the byte that is no UTF-8 as U+FFFD.
    for (const auto& row : MixedScriptRowsAsShown())
        for (const std::string& field : row) EXPECT_NE(text.find(field), std::string::npos) << field;
}

TEST_F(MixedScriptsTest, TheExportComesBackThroughTheShellsImportAsTheSameValues) {
    RS().OutputDest = TOutputDest::odExportFile;
    RS().OutputFileName = dir.File("names.csv");
    RS().ExportFieldDelim = "44";
    RS().ExportQuote = "34";
    RS().ExportOnlyPrintableChrs = true; // drops the controls only
    SetOpt(S::soColumnTitles, true);
    StartRun(table.get());
    ASSERT_EQ(PrintRun(), 1);
    const std::string csv = ReadAll(dir.File("names.csv"));
    EXPECT_TRUE(IsValidUtf8(csv));

    const std::string db = dir.File("imported.db");
    const std::string command = "sqlite3 '" + db + "' '.mode csv' '.import " + dir.File("names.csv") + " imported'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::vector<std::string>> imported = Rows(db, "SELECT * FROM imported");
    std::vector<std::vector<std::string>> expected = MixedScriptRowsAsShown();
    expected.erase(expected.begin()); // the titles name the imported columns
    EXPECT_EQ(imported, expected);
    EXPECT_EQ(Rows(db, "SELECT name FROM pragma_table_info('imported')"),
              (std::vector<std::vector<std::string>>{{"id"}, {"name"}, {"city"}}));
}

TEST_F(MixedScriptsTest, RawPrinterTextIsCodePage437WithQuestionMarksOnlyForWhatItLacks) {
    StartRun(table.get());
    ASSERT_EQ(PrintRun(), 1);
    const std::vector<std::string> text = SplitLines(Output());

    RS().OutputDest = TOutputDest::odPrinter;
    RS().FastPrinterText = true;
    ASSERT_EQ(PrintRun(), 1);
    const std::vector<std::string> raw = SplitLines(spooler.Spooler().LastJob().Data);
    ASSERT_EQ(raw.size(), text.size()); // the closing string is the last form feed

    // The code page's character of every byte, to tell what it has.
    std::set<std::string> cp437;
    for (int b = 0; b < 256; ++b) cp437.insert(std::string(Cp437CharToUtf8(static_cast<unsigned char>(b))));
    int questionMarks = 0;
    for (std::size_t l = 0; l < raw.size(); ++l) {
        const std::string& line = text[l];
        const std::string& bytes = raw[l];
        // One byte a cell: the table's lines stay in place.
        EXPECT_EQ(Length(bytes), DisplayWidth(line)) << line;
        std::size_t b = 0;
        for (std::size_t i = 0; i < line.size() && b < bytes.size();) {
            const std::size_t at = i;
            const char32_t c = NextChar(line, i);
            std::string shown = line.substr(at, i - at);
            // A letter with a combining accent stands as the accented letter.
            if (shown == "e" && line.compare(i, 2, "\xCC\x88") == 0) {
                shown = "ë";
                i += 2;
            }
            if (bytes[b] == '?') {
                EXPECT_EQ(cp437.count(shown), 0u) << shown << " in " << line;
                ++questionMarks;
                b += static_cast<std::size_t>(CharWidth(c));
            } else {
                EXPECT_EQ(std::string(Cp437CharToUtf8(static_cast<unsigned char>(bytes[b]))), shown) << line;
                ++b;
            }
        }
    }
    EXPECT_GT(questionMarks, 0);
    // The lines and the accented letters are the code page's bytes.
    const std::string data = spooler.Spooler().LastJob().Data;
    EXPECT_NE(data.find("\xDA\xC4"), std::string::npos);
    EXPECT_NE(data.find("Jos\x82 M\x81ller"), std::string::npos);
    EXPECT_NE(data.find("Zo\x89 \x8F"
                        "berg"),
              std::string::npos);
    EXPECT_NE(data.find("??????"), std::string::npos); // three ideographs of two cells
}

} // namespace
} // namespace trx::test
