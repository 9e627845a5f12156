// The export of delimited fields over a string grid and a SQLite table:
// title rows, quoting by field type and by content, delimiter and quote
// settings, cuts of texts and memos, the printable-characters filter, long
// fields, line numbers, empty data, runs that end early, exports read back
// by the sqlite3 shell as the tables they came from, and delimiters and
// quotes that would make a file no reader takes apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "engine/report_fixture.h"
#include "engine/trx_errors.h"
#include "framework/core/date_time.h"
#include "framework/data/table.h"
#include "framework/forms/application.h"

namespace trx::test {
namespace {

using S = TStyleOptNdx;

class ExportTest : public ReportTest {
protected:
    ExportTest() {
        RS().OutputDest = TOutputDest::odExportFile;
        RS().OutputFileName = dir.File("items.asc");
        RS().ExportFieldDelim = "44";
        RS().ExportQuote = "34";
        RS().DisplayProgressWindow = false;
    }
    std::string Exported() { return ReadAll(RS().OutputFileName); }

    int Export(TComponent* Object) {
        StartRun(Object);
        return PrintRun();
    }

    // The export read back by the sqlite3 shell into the table "back" of a
    // new database, its title row naming the columns: a CSV file, or with
    // Tabs a file of tab-separated fields in the same quotes.
    SqliteFile& ReadBack(bool Tabs) {
        const std::string file = dir.File(Tabs ? "back-tabs.db" : "back-csv.db");
        std::remove(file.c_str());
        const std::string import = Tabs ? "'.mode tabs' '.import " : "'.import --csv ";
        const std::string command = "sqlite3 '" + file + "' " + import + RS().OutputFileName + " back'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        back = std::make_unique<SqliteFile>(file);
        return *back;
    }

    std::unique_ptr<SqliteFile> back;

    std::unique_ptr<TStringGrid> grid;
};

TEST_F(ExportTest, AGridExportsItsTitleRowsAndRowsWithLineNumbers) {
    grid = Grid(2, 3);
    grid->SetRowCount(5);
    grid->SetFixedRows(2); // two title rows: "#" stands on the last
    grid->SetCells(0, 1, "sub0");
    grid->SetCells(1, 1, "sub1");
    grid->SetCells(0, 4, "r4c0");
    grid->SetCells(1, 4, "r4c1");
    EXPECT_EQ(Export(grid.get()), 1);
    EXPECT_EQ(Exported(),
              "\"\",\"C0\",\"C1\"\r\n"
              "\"#\",\"sub0\",\"sub1\"\r\n"
              "1,\"r2c0\",\"r2c1\"\r\n"
              "2,\"r3c0\",\"r3c1\"\r\n"
              "3,\"r4c0\",\"r4c1\"\r\n");
    EXPECT_EQ(PS().OperStatus, TOperStatus::osCompleted);
    EXPECT_EQ(OI().RcdsDone, 5);
}

TEST_F(ExportTest, LineNumbersStartAtTheReportsFirstLineWhateverRanBefore) {
    RS().StartingReportLineId = 7;
    grid = Grid(1, 2);
    StartRun(grid.get());
    // A preview left its own start behind.
    PS().FirstLineNum = 40;
    PS().StartAtFirstRcd = false;
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Exported(), "\"#\",\"C0\"\r\n7,\"r1c0\"\r\n8,\"r2c0\"\r\n");
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Exported(), "\"#\",\"C0\"\r\n7,\"r1c0\"\r\n8,\"r2c0\"\r\n");
}

TEST_F(ExportTest, OnlyACodeFrom0To255StandsForACharacter) {
    SetOpt(S::soLineNumbers, false);
    SetOpt(S::soColumnTitles, false);
    grid = Grid(2, 1);
    struct Case {
        const char* Delim;
        const char* Quote;
        std::string Line;
    };
    for (const Case& c :
         {Case{"9", "34", "\"r1c0\"\t\"r1c1\""}, Case{"abc", "'", "'r1c0'abc'r1c1'"}, Case{"256", "", "r1c0256r1c1"},
          Case{"-1", "1a", "1ar1c01a-11ar1c11a"}, Case{"0", "", std::string("r1c0\0r1c1", 9)},
          Case{"44", "255", "\xFFr1c0\xFF,\xFFr1c1\xFF"}}) {
        RS().ExportFieldDelim = c.Delim;
        RS().ExportQuote = c.Quote;
        RS().ExportOnlyPrintableChrs = false;
        EXPECT_EQ(Export(grid.get()), 1);
        EXPECT_EQ(Exported(), c.Line + "\r\n") << c.Delim << " " << c.Quote;
    }
}

TEST_F(ExportTest, FieldsAreQuotedByTypeAndCut) {
    RS().ExportMaxStrLng = 5;
    RS().ExportMaxMemoLng = 12;
    auto table = Table(
        "CREATE TABLE items(id INTEGER, name VARCHAR(20), price REAL, sold DATE, notes MEMO);"
        "INSERT INTO items VALUES(1, 'teapots', 2.5, '2024-03-01', 'one two three four');"
        "INSERT INTO items VALUES(2, 'cups', 12, NULL, 'abcdefghijklmnop');"
        "INSERT INTO items VALUES(3, NULL, NULL, NULL, 'page 12 of 99');");
    EXPECT_EQ(Export(table.get()), 1);
    const std::vector<std::string> lines = SplitLines(Exported());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\"#\",\"id\",\"name\",\"price\",\"sold\",\"notes\"");
    // A memo cut within a word ends after the last character that is no
    // letter; a digit is none; letters only are cut where they are.
    EXPECT_EQ(lines[1], "1,1,\"teapo\",2.5,\"" + DateToStr(EncodeDate(2024, 3, 1)) + "\",\"one two \"");
    EXPECT_EQ(lines[2].substr(lines[2].rfind(",")), ",\"abcdefghijkl\"");
    EXPECT_EQ(lines[3], "3,3,\"\",,\"\",\"page 12 of 9\"");
}

TEST_F(ExportTest, OnlyPrintableCharactersWhenAsked) {
    SetOpt(S::soLineNumbers, false);
    SetOpt(S::soColumnTitles, false);
    grid = Grid(2, 1);
    // Only the control characters go: every other character stays, and a
    // byte that is no UTF-8 is U+FFFD.
    grid->SetCells(0, 1,
                   "a\tb\x01"
                   "c\xC3\xA9\x7F"
                   "d~\xE4\xB8\xAD\x82");
    EXPECT_EQ(Export(grid.get()), 1);
    EXPECT_EQ(Exported(),
              "\"abc\xC3\xA9"
              "d~\xE4\xB8\xAD\xEF\xBF\xBD\",\"r1c1\"\r\n");
    RS().ExportOnlyPrintableChrs = false;
    EXPECT_EQ(Export(grid.get()), 1);
    EXPECT_EQ(Exported(),
              "\"a\tb\x01"
              "c\xC3\xA9\x7F"
              "d~\xE4\xB8\xAD\xEF\xBF\xBD\",\"r1c1\"\r\n");

    // Long texts: a character that is not printable anywhere among many.
    RS().ExportOnlyPrintableChrs = true;
    const std::string printable = " ~0123456789ABCDEF\xC3\xA9GHIJ\xE4\xB8\xADKLMNOPQRSTUVWXYZabcdefghij";
    for (char bad : {'\x00', '\x01', '\x1F', '\x7F'}) {
        for (std::size_t at :
             {std::size_t{0}, std::size_t{7}, std::size_t{8}, std::size_t{15}, std::size_t{33}, printable.size()}) {
            std::string text = printable;
            text.insert(at, 1, bad);
            grid->SetCells(0, 1, text);
            EXPECT_EQ(Export(grid.get()), 1);
            EXPECT_EQ(Exported(), "\"" + printable + "\",\"r1c1\"\r\n") << int(bad) << " at " << at;
        }
        // Short texts too.
        grid->SetCells(0, 1, std::string("ab") + bad + "c");
        EXPECT_EQ(Export(grid.get()), 1);
        EXPECT_EQ(Exported(), "\"abc\",\"r1c1\"\r\n") << int(bad);
    }
}

TEST_F(ExportTest, AControlCharacterAmongPlainCharactersIsFoundWhateverItsPlace) {
    SetOpt(S::soLineNumbers, false);
    SetOpt(S::soColumnTitles, false);
    grid = Grid(2, 1);
    // Plain texts of every length up to 19 with one character that is not
    // printable ASCII in every place: the controls go when asked, a byte
    // that is no UTF-8 becomes U+FFFD, and the blank and "~" at the ends of
    // the printable range stay.
    const std::string plain = " ~0123456789abcdefgh";
    for (std::size_t len = 0; len < plain.size(); ++len) {
        for (std::size_t at = 0; at <= len; ++at) {
            for (char odd : {'\x00', '\x1F', '\x7F', '\x80'}) {
                std::string text = plain.substr(0, len);
                text.insert(at, 1, odd);
                std::string kept = plain.substr(0, len);
                if (odd == '\x80') kept.insert(at, "\xEF\xBF\xBD");
                grid->SetCells(0, 1, text);
                for (bool printableOnly : {true, false}) {
                    RS().ExportOnlyPrintableChrs = printableOnly;
                    std::string want = printableOnly ? kept : text;
                    if (odd == '\x80') want = kept;
                    EXPECT_EQ(Export(grid.get()), 1);
                    ASSERT_EQ(Exported(), "\"" + want + "\",\"r1c1\"\r\n")
                        << "length " << len << ", code " << int(static_cast<unsigned char>(odd)) << " at " << at;
                }
            }
        }
        // And the plain text itself, whole.
        grid->SetCells(0, 1, plain.substr(0, len));
        EXPECT_EQ(Export(grid.get()), 1);
        EXPECT_EQ(Exported(), "\"" + plain.substr(0, len) + "\",\"r1c1\"\r\n");
    }
}

TEST_F(ExportTest, LongFieldsStayOnTheirLine) {
    SetOpt(S::soColumnTitles, false);
    RS().ExportMaxMemoLng = 1000;
    RS().ExportMaxStrLng = 1000;
    const std::string memo = std::string(600, 'm') + " end";
    auto table = Table(
        "CREATE TABLE items(name VARCHAR(400), notes MEMO, qty INTEGER);"
        "INSERT INTO items VALUES('" +
        std::string(300, 's') + "', '" + memo + "', 5);");
    EXPECT_EQ(Export(table.get()), 1);
    // A text field keeps at most 255 characters, a memo its whole length.
    EXPECT_EQ(Exported(), "1,\"" + std::string(255, 's') + "\",\"" + memo + "\",5\r\n");
}

TEST_F(ExportTest, ARowOfEmptyFieldsIsQuotesAndDelimiters) {
    SetOpt(S::soLineNumbers, false);
    SetOpt(S::soColumnTitles, false);
    grid = Grid(3, 2);
    for (int c = 0; c < 3; ++c) grid->SetCells(c, 1, "");
    EXPECT_EQ(Export(grid.get()), 1);
    EXPECT_EQ(Exported(), "\"\",\"\",\"\"\r\n\"r2c0\",\"r2c1\",\"r2c2\"\r\n");
}

TEST_F(ExportTest, AnEmptyTableExportsItsTitlesOnly) {
    RS().CountNumRcds = false;
    auto table = Table("CREATE TABLE items(id INTEGER, name VARCHAR(10));");
    EXPECT_EQ(Export(table.get()), 1);
    EXPECT_EQ(Exported(), "\"#\",\"id\",\"name\"\r\n");
}

TEST_F(ExportTest, ATableOfTheMostColumnsSQLiteAllowsIsExportedWhole) {
    SetOpt(S::soLineNumbers, false);
    std::string sql = "CREATE TABLE items(";
    std::string titles, row1, row2;
    for (int c = 1; c <= 2000; ++c) {
        const std::string n = std::to_string(c);
        sql += (c > 1 ? ", c" : "c") + n + " INTEGER";
        titles += (c > 1 ? ",\"c" : "\"c") + n + "\"";
        row1 += (c > 1 ? "," : "") + n;
        row2 += (c > 1 ? "," : "") + std::to_string(-c);
    }
    sql += ");INSERT INTO items VALUES (" + row1 + ");INSERT INTO items VALUES (" + row2 + ");";
    auto table = Table(sql);
    EXPECT_EQ(Export(table.get()), 1);
    EXPECT_EQ(Exported(), titles + "\r\n" + row1 + "\r\n" + row2 + "\r\n");
}

TEST_F(ExportTest, AnExportThatEndsEarlyIsNoCompletedRun) {
    // The run status changes while the rows are written, as the progress
    // window changes it when the user aborts.
    SteppingClock stepping;
    TClockOverride steppingOverride(stepping);
    RS().DisplayProgressWindow = true;
    grid = Grid(2, 300);
    for (TOperStatus status : {TOperStatus::osAbort, TOperStatus::osCancel}) {
        StartRun(grid.get());
        Application()->QueueInput([this, status] { PS().OperStatus = status; });
        EXPECT_EQ(PrintRun(), status == TOperStatus::osAbort ? 3 : 2);
        EXPECT_EQ(PS().OperStatus, status);
        const std::size_t lines = SplitLines(Exported()).size();
        EXPECT_GT(lines, 1u);
        EXPECT_LT(lines, 301u);
    }
}

TEST_F(ExportTest, AQuoteInAFieldIsDoubledAndAFieldThatWouldBeSplitIsQuoted) {
    SetOpt(S::soColumnTitles, false);
    SetOpt(S::soFieldFormat, true);
    RS().StartingReportLineId = 999;
    RS().ExportMaxStrLng = 5;
    RS().ExportOnlyPrintableChrs = false;
    // Numbers hold text too, as SQLite keeps what it is given.
    auto table = Table(
        "CREATE TABLE items(n INTEGER, s VARCHAR(20), m MEMO);"
        "INSERT INTO items VALUES(7, 'a\"b', 'say \"hi\"');"
        "INSERT INTO items VALUES('1,5', 'ab\"cdef', 'x');"
        "INSERT INTO items VALUES('2\"', 'p', 'one' || char(13, 10) || 'two');"
        "INSERT INTO items VALUES('a' || char(10) || 'b', 'q', char(9));");
    struct Case {
        const char* Delim;
        bool PrintableOnly;
        std::string File;
    };
    // A text cut to its length keeps a quote it ends with whole; line
    // numbers from 1,000 on hold the thousands separator.
    const Case cases[] = {
        {"44", false,
         "999,7,\"a\"\"b\",\"say \"\"hi\"\"\"\r\n"
         "\"1,000\",\"1,5\",\"ab\"\"cd\",\"x\"\r\n"
         "\"1,001\",\"2\"\"\",\"p\",\"one\r\ntwo\"\r\n"
         "\"1,002\",\"a\nb\",\"q\",\"\t\"\r\n"},
        {"9", false,
         "999\t7\t\"a\"\"b\"\t\"say \"\"hi\"\"\"\r\n"
         "1,000\t1,5\t\"ab\"\"cd\"\t\"x\"\r\n"
         "1,001\t\"2\"\"\"\t\"p\"\t\"one\r\ntwo\"\r\n"
         "1,002\t\"a\nb\"\t\"q\"\t\"\t\"\r\n"},
        // What is left out needs no quotes.
        {"9", true,
         "999\t7\t\"a\"\"b\"\t\"say \"\"hi\"\"\"\r\n"
         "1,000\t1,5\t\"ab\"\"cd\"\t\"x\"\r\n"
         "1,001\t\"2\"\"\"\t\"p\"\t\"onetwo\"\r\n"
         "1,002\tab\t\"q\"\t\"\"\r\n"},
    };
    for (const Case& c : cases) {
        RS().ExportFieldDelim = c.Delim;
        RS().ExportOnlyPrintableChrs = c.PrintableOnly;
        EXPECT_EQ(Export(table.get()), 1);
        EXPECT_EQ(Exported(), c.File) << c.Delim << (c.PrintableOnly ? ", printable only" : "");
    }
}

TEST_F(ExportTest, DataOfEveryColumnTypeReadsBackThroughTheShellAsTheTable) {
    RS().ExportOnlyPrintableChrs = false;
    RS().ExportMaxStrLng = 255;
    RS().ExportMaxMemoLng = 1000;
    SetOpt(S::soColumnTitles, true);
    SetOpt(S::soFieldFormat, true);
    RS().StartingReportLineId = 998;
    // Values of each type, then texts in every column with the delimiters,
    // quotes, line ends, tabs and letters beyond ASCII that a reader could
    // trip over (within a field: fields other than memos lose blanks and
    // controls at their ends), then nothing.
    const std::string crlf = "' || char(13, 10) || '";
    const std::string cr = "' || char(13) || '";
    const std::string lf = "' || char(10) || '";
    const std::string tab = "' || char(9) || '";
    auto table = Table(
        "CREATE TABLE items(i INTEGER, f REAL, b BOOLEAN, d DATE, t TIME, dt DATETIME, s VARCHAR(60), m MEMO);"
        "INSERT INTO items VALUES(1234, 2.5, 1, '2024-03-01', '12:30:00', '2024-03-01 08:15:00', "
        "'say \"hi\", then go', 'first line" +
        crlf + "second \"line\"" + tab +
        "end');"
        "INSERT INTO items VALUES('a,b', '3\"', 'x" +
        tab +
        "y', 'not \"a\" date', 'noon, or \"so\"', "
        "'él," +
        lf + "\"ça\" va', 'ÄÖÜ;äöü \"ß\"," + cr + "z', '" + lf + "\"leading\" line end" + cr +
        "');"
        "INSERT INTO items VALUES(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO items VALUES(-7, -0.25, 0, '1999-12-31', '\"', ',', '\"\"', '\"' || char(9) || ',');");
    const std::vector<std::vector<std::string>> rows{
        {"998", "1234", "2.5", "True", DateToStr(EncodeDate(2024, 3, 1)), TimeToStr(EncodeTime(12, 30, 0, 0)),
         DateTimeToStr(EncodeDate(2024, 3, 1) + EncodeTime(8, 15, 0, 0)), "say \"hi\", then go",
         "first line\r\nsecond \"line\"\tend"},
        {"999", "a,b", "3\"", "x\ty", "not \"a\" date", "noon, or \"so\"", "él,\n\"ça\" va", "ÄÖÜ;äöü \"ß\",\rz",
         "\n\"leading\" line end\r"},
        {"1,000", "", "", "", "", "", "", "", ""},
        {"1,001", "-7", "-0.25", "False", DateToStr(EncodeDate(1999, 12, 31)), "\"", ",", "\"\"", "\"\t,"},
    };
    for (bool tabs : {false, true}) {
        SCOPED_TRACE(tabs ? "tabs" : "commas");
        RS().ExportFieldDelim = tabs ? "9" : "44";
        ASSERT_EQ(Export(table.get()), 1);
        SqliteFile& db = ReadBack(tabs);
        EXPECT_EQ(
            db.Rows("SELECT name FROM pragma_table_info('back')"),
            (std::vector<std::vector<std::string>>{{"#"}, {"i"}, {"f"}, {"b"}, {"d"}, {"t"}, {"dt"}, {"s"}, {"m"}}));
        EXPECT_EQ(db.Rows("SELECT * FROM back"), rows);
    }
}

// Unicode's character table, one row per entry of UnicodeData.txt: its
// fields as they stand, the code point as a number, and the character
// itself between brackets (none for the surrogates, which UTF-8 lacks),
// quotes, commas, tabs and line ends among them.
class UnicodeTableExportTest : public ExportTest {
protected:
    static constexpr const char* DataFile = "/usr/share/unicode/UnicodeData.txt";

    // The rows of the table; false when the data file cannot be read.
    bool MakeTable() {
        std::ifstream in(DataFile);
        if (!in) return false;
        std::string sql =
            "CREATE TABLE chars(cp INTEGER, code VARCHAR(6), name VARCHAR(120), category VARCHAR(2), "
            "combining INTEGER, bidi VARCHAR(3), decomposition VARCHAR(120), decimal INTEGER, numeric VARCHAR(20), "
            "upper VARCHAR(6), glyph VARCHAR(8));"
            "BEGIN;";
        auto text = [](const std::string& S) {
            std::string q = "'";
            for (char c : S) q += c == '\'' ? std::string("''") : std::string(1, c);
            return q + "'";
        };
        auto number = [&](const std::string& S) { return S.empty() ? std::string("NULL") : text(S); };
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> f;
            std::size_t start = 0;
            for (std::size_t at; (at = line.find(';', start)) != std::string::npos; start = at + 1)
                f.push_back(line.substr(start, at - start));
            f.push_back(line.substr(start));
            if (f.size() != 15) return false;
            const long cp = std::stol(f[0], nullptr, 16);
            const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
            const std::string glyph = cp == 0 || surrogate ? "NULL" : "'[' || char(" + std::to_string(cp) + ") || ']'";
            sql += "INSERT INTO chars VALUES(" + std::to_string(cp) + ", " + text(f[0]) + ", " + text(f[1]) + ", " +
                   text(f[2]) + ", " + number(f[3]) + ", " + text(f[4]) + ", " + text(f[5]) + ", " + number(f[6]) +
                   ", " + text(f[8]) + ", " + text(f[12]) + ", " + glyph + ");";
            ++entries;
        }
        sql += "COMMIT;";
        table = Table(sql);
        table->SetTableName("chars");
        return true;
    }

    std::unique_ptr<TTable> table;
    int entries = 0;
};

TEST_F(UnicodeTableExportTest, ReadsBackRowForRowThroughTheShell) {
    ASSERT_TRUE(MakeTable()) << DataFile << " (Debian's unicode-data) cannot be read";
    ASSERT_GT(entries, 30000);
    RS().ExportOnlyPrintableChrs = false;
    RS().ExportMaxStrLng = 255;
    SetOpt(S::soColumnTitles, true);
    SetOpt(S::soFieldFormat, true);
    for (bool tabs : {false, true}) {
        SCOPED_TRACE(tabs ? "tabs" : "commas");
        RS().ExportFieldDelim = tabs ? "9" : "44";
        ASSERT_EQ(Export(table.get()), 1);
        SqliteFile& db = ReadBack(tabs);
        db.Exec("ATTACH '" + dir.File("items.db") + "' AS made");
        EXPECT_EQ(db.Rows("SELECT count(*) FROM back"),
                  (std::vector<std::vector<std::string>>{{std::to_string(entries)}}));
        // Every field of every row as the table holds it (an empty field
        // for nothing); the line numbers with their thousands separators.
        const auto wrong = db.Rows(
            "SELECT b.rowid, b.\"#\", b.code, b.name, b.glyph FROM back b LEFT JOIN made.chars c ON c.rowid = b.rowid "
            "WHERE c.rowid IS NULL OR b.\"#\" IS NOT printf('%,d', c.rowid) OR b.cp IS NOT CAST(c.cp AS TEXT) "
            "OR b.code IS NOT c.code OR b.name IS NOT c.name OR b.category IS NOT c.category "
            "OR b.combining IS NOT CAST(c.combining AS TEXT) OR b.bidi IS NOT c.bidi "
            "OR b.decomposition IS NOT c.decomposition OR b.decimal IS NOT coalesce(CAST(c.decimal AS TEXT), '') "
            "OR b.numeric IS NOT c.numeric OR b.upper IS NOT c.upper OR b.glyph IS NOT coalesce(c.glyph, '') "
            "LIMIT 5");
        EXPECT_TRUE(wrong.empty()) << wrong.size() << " rows or more differ, the first: " << wrong[0][0] << " "
                                   << wrong[0][1] << " " << wrong[0][2] << " " << wrong[0][3];
    }
}

// A delimiter and a quote as a program sets them or the settings file holds
// them (characters, or the codes that stand for them), which the options
// window refuses: the run stops with the window's message before it opens
// the file.
class RefusedExportTest : public ExportTest {
protected:
    void ExpectRefused(const std::vector<std::pair<std::string, std::string>>& Cases, const std::string& Message) {
        grid = Grid(2, 3);
        for (const auto& [delim, quote] : Cases) {
            SCOPED_TRACE("delimiter \"" + delim + "\", quote \"" + quote + "\"");
            { std::ofstream(RS().OutputFileName, std::ios::binary) << "kept"; }
            RS().ExportFieldDelim = delim;
            RS().ExportQuote = quote;
            EXPECT_EQ(Export(grid.get()), 3);
            EXPECT_EQ(PS().AbortReason, std::string(SetupErrorPrefix) + Message);
            EXPECT_EQ(Exported(), "kept");
        }
        // A delimiter and a quote apart export as ever.
        RS().ExportFieldDelim = "9";
        RS().ExportQuote = "";
        EXPECT_EQ(Export(grid.get()), 1);
        EXPECT_EQ(PS().AbortReason, "");
        EXPECT_EQ(Exported(), "#\tC0\tC1\r\n1\tr1c0\tr1c1\r\n2\tr2c0\tr2c1\r\n3\tr3c0\tr3c1\r\n");
    }
};

TEST_F(RefusedExportTest, AnEmptyDelimiterStopsTheRunBeforeTheFileIsTouched) {
    ExpectRefused({{"", "34"}, {"", ""}}, "Export Field Delimiter Character must be between 0 and 255 (Ascii Code)");
}

TEST_F(RefusedExportTest, ADelimiterThatIsTheQuoteStopsTheRunBeforeTheFileIsTouched) {
    ExpectRefused({{"44", "44"}, {"34", "34"}, {"44", ","}, {"\"", "34"}, {"9", "\t"}},
                  "Export Field Delimeter and Export Quote fields cannot have the same value");
}

} // namespace
} // namespace trx::test
