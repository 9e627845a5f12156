// The run's globals, the virtual printer, a temporary directory with SQLite
// files, and a few objects to print, for the tests of the object adapter.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/compiler_warnings.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/virtual_printer.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

namespace trx::test {

class AdapterTest : public ::testing::Test {
protected:
    AdapterTest() { OI.ComponentName = "TrxTabrix1"; }

    // A database file in the temporary directory made by Sql.
    std::string Database(const std::string& Sql, const std::string& Name = "data.db") {
        files_.push_back(std::make_unique<SqliteFile>(dir.File(Name), Sql));
        return dir.File(Name);
    }
    SqliteFile& LastFile() { return *files_.back(); }

    std::unique_ptr<TTable> Table(const std::string& File, const std::string& TableName,
                                  const std::string& Name = "tblPeople") {
        auto t = std::make_unique<TTable>();
        t->SetName(Name);
        t->SetDatabaseName(File);
        t->SetTableName(TableName);
        return t;
    }

    // A string grid with Rows lines of text; row 0 holds titles.
    static std::unique_ptr<TStringGrid> Grid(int Cols, int Rows, int FixedCols = 1, int FixedRows = 1) {
        auto g = std::make_unique<TStringGrid>(nullptr);
        g->SetName("sgPeople");
        g->SetColCount(Cols);
        g->SetRowCount(Rows);
        g->SetFixedCols(FixedCols);
        g->SetFixedRows(FixedRows);
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        for (int c = 0; c < Cols; ++c)
            for (int r = 0; r < Rows; ++r)
                g->SetCells(c, r, r == 0 ? "T" + std::to_string(c) : "c" + std::to_string(c) + "r" + std::to_string(r));
        TRX_GCC_BOGUS_RESTRICT_END
        return g;
    }

    // DefineObj on Obj; the setup error's text when it raises one.
    std::string Define(TComponent* Obj) {
        OI.ObjectToPrint = Obj;
        try {
            OI.DefineObj();
        } catch (const ETrxSUError& e) {
            return e.Message;
        }
        return {};
    }

    // The names of the descriptors, blank-separated.
    std::string ColNames() const {
        std::string s;
        for (int i = 0; i < OI.ColCount(); ++i) s += (i ? " " : "") + OI.Col(i).Name;
        return s;
    }

    TVirtualPrinterOverride printer;
    TempDir dir;
    TRunScope run;
    TObjInfo& OI = run.OI();
    TPrintSettings& PS = run.PS();
    TtrxReportSettings& RS = run.RS();

private:
    std::vector<std::unique_ptr<SqliteFile>> files_;
};

inline const char* PeopleSql =
    "CREATE TABLE people(id INTEGER PRIMARY KEY, name VARCHAR(20), photo BLOB, notes MEMO, born DATE);"
    "INSERT INTO people VALUES(1, 'Ann', x'0102', 'likes tea', '1990-05-01');"
    "INSERT INTO people VALUES(2, '  Bob  ', NULL, NULL, NULL);"
    "INSERT INTO people VALUES(3, 'Cy', NULL, 'twelve chars', '2001-12-31');";

} // namespace trx::test
