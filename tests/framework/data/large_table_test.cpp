// A table of a million rows is stepped through without being held in memory.
#include <gtest/gtest.h>

#include <string>

#include "framework/data/query.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

using namespace trx;
using trx::test::ResidentBytes;
using trx::test::SqliteFile;
using trx::test::TempDir;

namespace {

constexpr int Million = 1000000;

// The rows alone are over 60 MB; a dataset that kept them would grow by far
// more than this while stepping.
constexpr long AllowedGrowth = 16L << 20;

// Address sanitizer keeps freed memory in quarantine, so resident memory
// says nothing about what the dataset holds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryIsMeasurable = false;
#else
constexpr bool MemoryIsMeasurable = true;
#endif

class LargeTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        SqliteFile file(dir_->File("big.db"),
                        "CREATE TABLE big(id INTEGER PRIMARY KEY, name VARCHAR(60));"
                        "INSERT INTO big(id, name) WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                        " WHERE x < " +
                            std::to_string(Million) + ") SELECT x, printf('%060d', x) FROM c;");
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // Steps from First to Eof and checks every row's order and content.
    static void StepAll(TDataSet& ds, long& Growth) {
        ds.First();
        for (int i = 0; i < 1000; ++i) ds.Next(); // caches reach their size
        ds.First();
        const long before = ResidentBytes();
        TField* id = ds.FieldByName("id");
        TField* name = ds.FieldByName("name");
        int64_t expected = 1;
        for (; !ds.Eof(); ds.Next()) {
            if (id->AsInteger() != expected) {
                ADD_FAILURE() << "row " << expected << " holds id " << id->AsInteger();
                return;
            }
            if (expected % 99991 == 0) {
                const std::string digits = std::to_string(expected);
                EXPECT_EQ(name->AsString(), std::string(60 - digits.size(), '0') + digits);
            }
            ++expected;
        }
        Growth = ResidentBytes() - before;
        EXPECT_EQ(expected, Million + 1);
    }

    static TempDir* dir_;
};

TempDir* LargeTable::dir_ = nullptr;

} // namespace

TEST_F(LargeTable, TableStepsAMillionRowsInFlatMemory) {
    TTable t;
    t.SetDatabaseName(dir_->File("big.db"));
    t.SetTableName("big");
    t.Open();
    EXPECT_EQ(t.RecordCount(), Million);
    const TBookmark first = t.GetBookmark();
    long growth = 0;
    StepAll(t, growth);
    if (MemoryIsMeasurable) {
        EXPECT_LT(growth, AllowedGrowth);
    }

    t.Last();
    EXPECT_EQ(t.FieldByName("id")->AsInteger(), Million);
    EXPECT_EQ(t.RecNo(), Million);
    t.GotoBookmark(first);
    EXPECT_EQ(t.FieldByName("id")->AsInteger(), 1);
}

TEST_F(LargeTable, QueryStepsAMillionRowsInFlatMemory) {
    TQuery q;
    q.SetDatabaseName(dir_->File("big.db"));
    q.SQL.Add("SELECT id, name FROM big");
    q.Open();
    EXPECT_EQ(q.RecordCount(), Million);
    q.MoveBy(500000);
    const TBookmark middle = q.GetBookmark();
    long growth = 0;
    StepAll(q, growth);
    if (MemoryIsMeasurable) {
        EXPECT_LT(growth, AllowedGrowth);
    }

    q.GotoBookmark(middle);
    EXPECT_EQ(q.FieldByName("id")->AsInteger(), 500001);
    EXPECT_EQ(q.RecNo(), 500001);
    q.Prior();
    EXPECT_EQ(q.FieldByName("id")->AsInteger(), 500000);
}
