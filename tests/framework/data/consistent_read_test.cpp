// Consistent reading of SQLite tables and queries: while a dataset reads
// consistently, every row it reads is of the state its first read saw,
// whatever another program changes meanwhile, and nothing is held after.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/query.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

using namespace trx;
using trx::test::SqliteFile;
using trx::test::TempDir;

namespace {

constexpr int SQLITE_BUSY_CODE = 5;

struct Case {
    const char* Name;
    bool Wal; // write-ahead log, else a rollback journal
    bool Query;
};

void PrintTo(const Case& C, std::ostream* Out) { *Out << C.Name; }

class ConsistentRead : public ::testing::TestWithParam<Case> {
protected:
    // 900 rows of which the first 300 are deleted: the row ids have a gap
    // that VACUUM closes, renumbering every row (no INTEGER PRIMARY KEY).
    ConsistentRead() {
        file = std::make_unique<SqliteFile>(
            dir.File("c.db"),
            std::string(GetParam().Wal ? "PRAGMA journal_mode = WAL;" : "") +
                "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                "INSERT INTO items WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 900)"
                " SELECT i, 'n' || i FROM n;"
                "DELETE FROM items WHERE id <= 300;");
        if (GetParam().Query) {
            auto q = std::make_unique<TQuery>();
            q->SQL.Add("SELECT id, name FROM items");
            ds = std::move(q);
        } else {
            auto t = std::make_unique<TTable>();
            t->SetTableName("items");
            ds = std::move(t);
        }
        static_cast<TDBDataSet&>(*ds).SetDatabaseName(file->FileName());
        ds->Open();
    }

    // The ids read from the current record to the end, with Change run
    // once after the first.
    std::vector<int> ReadToEnd(const std::function<void()>& Change) {
        std::vector<int> ids;
        for (; !ds->Eof(); ds->Next()) {
            ids.push_back(static_cast<int>(ds->Fields(0)->AsInteger()));
            if (ids.size() == 1) Change();
        }
        return ids;
    }
    static std::vector<int> Ids(int From, int To) {
        std::vector<int> v;
        for (int i = From; i <= To; ++i) v.push_back(i);
        return v;
    }

    TempDir dir;
    std::unique_ptr<SqliteFile> file;
    std::unique_ptr<TDataSet> ds;
};

TEST_P(ConsistentRead, SeesTheRowsOfItsFirstReadWhateverAnotherProgramChanges) {
    TConsistentRead read(ds.get());
    ds->First();
    int changed = -1;
    const std::vector<int> ids = ReadToEnd([&] {
        changed = file->TryExec("DELETE FROM items WHERE id > 800; VACUUM;");
        if (changed == 0) file->Exec("INSERT INTO items VALUES (1000, 'new');");
    });
    // With a write-ahead log the other program goes ahead; with a rollback
    // journal it must wait until the reading ends.
    EXPECT_EQ(changed, GetParam().Wal ? 0 : SQLITE_BUSY_CODE);
    EXPECT_EQ(ids, Ids(301, 900));
    ds->First();
    EXPECT_EQ(ReadToEnd([] {}), Ids(301, 900)) << "once more, in the same reading";
}

TEST_P(ConsistentRead, HoldsNothingOnceItEnds) {
    {
        TConsistentRead outer(ds.get());
        {
            TConsistentRead inner(ds.get());
            ds->First();
        }
        ds->Next();
        EXPECT_EQ(file->TryExec("DELETE FROM items WHERE id > 800"), GetParam().Wal ? 0 : SQLITE_BUSY_CODE);
    }
    EXPECT_EQ(file->TryExec("DELETE FROM items WHERE id > 700; VACUUM;"), 0);
    ds->First();
    EXPECT_EQ(ReadToEnd([] {}), Ids(301, 700));
}

const Case Cases[] = {
    {"TableWal", true, false},
    {"TableJournal", false, false},
    {"QueryWal", true, true},
    {"QueryJournal", false, true},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ConsistentRead, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<Case>& I) { return std::string(I.param.Name); });

} // namespace
