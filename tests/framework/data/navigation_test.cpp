// Stepping and bookmarks, the same for every kind of dataset: in memory, a
// table read by row id, a view (read as a query) and a query.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/mem_dataset.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

using namespace trx;
using trx::test::SqliteFile;
using trx::test::TempDir;

namespace {

// More rows than a cursor keeps in memory, so that stepping crosses windows.
constexpr int ManyRows = 700;

std::string Rows(int Count) {
    return "CREATE TABLE items(id INTEGER PRIMARY KEY, name VARCHAR(20));"
           "CREATE VIEW items_view AS SELECT id, name FROM items;"
           "INSERT INTO items(id, name) WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
           std::to_string(Count) + ") SELECT x, 'Row' || x FROM c WHERE " + std::to_string(Count) + " > 0;";
}

struct Kind {
    const char* Name;
    std::function<std::unique_ptr<TDataSet>(const std::string& File, int Count)> Make;
};

const Kind Kinds[] = {
    {"Memory",
     [](const std::string&, int Count) -> std::unique_ptr<TDataSet> {
         auto ds = std::make_unique<TMemDataSet>();
         ds->AddFieldDef("id", TFieldType::ftInteger);
         ds->AddFieldDef("name", TFieldType::ftString, 20);
         for (int i = 1; i <= Count; ++i) ds->AppendRecord({i, "Row" + std::to_string(i)});
         return ds;
     }},
    {"Table",
     [](const std::string& File, int) -> std::unique_ptr<TDataSet> {
         auto t = std::make_unique<TTable>();
         t->SetDatabaseName(File);
         t->SetTableName("items");
         return t;
     }},
    {"View",
     [](const std::string& File, int) -> std::unique_ptr<TDataSet> {
         auto t = std::make_unique<TTable>();
         t->SetDatabaseName(File);
         t->SetTableName("ITEMS_VIEW");
         return t;
     }},
    {"Query",
     [](const std::string& File, int) -> std::unique_ptr<TDataSet> {
         auto q = std::make_unique<TQuery>();
         q->SetDatabaseName(File);
         q->SQL.Add("SELECT id, name");
         q->SQL.Add("FROM items ORDER BY id;");
         return q;
     }},
};

class Navigation : public ::testing::TestWithParam<Kind> {
protected:
    std::unique_ptr<TDataSet> Make(int Count) {
        file_ = std::make_unique<SqliteFile>(dir_.File("nav.db"), Rows(Count));
        auto ds = GetParam().Make(file_->FileName(), Count);
        ds->Open();
        return ds;
    }
    static int Id(TDataSet& ds) { return static_cast<int>(ds.FieldByName("ID")->AsInteger()); }

    TempDir dir_;
    std::unique_ptr<SqliteFile> file_;
};

} // namespace

TEST_P(Navigation, EmptySetIsAtBothEnds) {
    auto ds = Make(0);
    EXPECT_TRUE(ds->Bof());
    EXPECT_TRUE(ds->Eof());
    EXPECT_TRUE(ds->IsEmpty());
    EXPECT_EQ(ds->RecordCount(), 0);
    EXPECT_EQ(ds->RecNo(), 0);
    EXPECT_FALSE(ds->GetBookmark());
    ds->Next();
    ds->Prior();
    ds->Last();
    EXPECT_TRUE(ds->Bof() && ds->Eof());
    ds->First();
    EXPECT_TRUE(ds->Bof() && ds->Eof());
    EXPECT_TRUE(ds->Fields(1)->IsNull());
    EXPECT_EQ(ds->Fields(1)->DisplayText(), "");
}

TEST_P(Navigation, EofAfterNextOnTheLastRecordAndBofAfterPriorOnTheFirst) {
    auto ds = Make(2);
    EXPECT_TRUE(ds->Bof());
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(Id(*ds), 1);
    ds->Next();
    EXPECT_FALSE(ds->Bof());
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(Id(*ds), 2);
    ds->Next();
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(Id(*ds), 2) << "stays on the last record";
    ds->Next();
    EXPECT_EQ(Id(*ds), 2);
    ds->Prior();
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(Id(*ds), 1);
    ds->Prior();
    EXPECT_TRUE(ds->Bof());
    EXPECT_EQ(Id(*ds), 1);
}

TEST_P(Navigation, LastSetsEofAndPriorWalksBack) {
    auto ds = Make(3);
    ds->Last();
    EXPECT_TRUE(ds->Eof());
    EXPECT_FALSE(ds->Bof());
    EXPECT_EQ(Id(*ds), 3);
    std::vector<int> seen;
    while (!ds->Bof()) {
        seen.push_back(Id(*ds));
        ds->Prior();
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 2, 1}));
}

TEST_P(Navigation, WalksManyRecordsBothWaysWithRecNo) {
    auto ds = Make(ManyRows);
    EXPECT_EQ(ds->RecordCount(), ManyRows);
    int expected = 1;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        ASSERT_EQ(Id(*ds), expected);
        ASSERT_EQ(ds->FieldByName("name")->AsString(), "Row" + std::to_string(expected));
        ASSERT_EQ(ds->RecNo(), expected);
        ++expected;
    }
    EXPECT_EQ(expected, ManyRows + 1);
    for (ds->Last(); !ds->Bof(); ds->Prior()) {
        --expected;
        ASSERT_EQ(Id(*ds), expected);
    }
    EXPECT_EQ(expected, 1);
    ds->Last();
    EXPECT_EQ(ds->RecNo(), ManyRows);
    EXPECT_EQ(ds->MoveBy(-450), -450);
    EXPECT_EQ(Id(*ds), ManyRows - 450);
    EXPECT_EQ(ds->RecNo(), ManyRows - 450);
    EXPECT_EQ(ds->MoveBy(1000), 450);
    EXPECT_TRUE(ds->Eof());
}

TEST_P(Navigation, TurnsBackAndForthAndSeesEveryRowAgain) {
    // Runs of steps either way, turning inside windows and on their edges.
    auto ds = Make(ManyRows);
    ds->First();
    int expected = 1;
    uint32_t seed = 12345;
    int highest = 1;
    for (int turn = 0; turn < 400; ++turn) {
        seed = seed * 1103515245u + 12345u;
        const int run = 1 + static_cast<int>(seed >> 16) % 40;
        // Longer runs forward: the walk crosses the table and comes back from its end.
        const bool forward = turn % 2 == 0 || expected <= run;
        for (int k = 0; k < (forward ? run : run / 2 + 1); ++k) {
            if (forward && expected < ManyRows) {
                ds->Next();
                ++expected;
            } else if (!forward && expected > 1) {
                ds->Prior();
                --expected;
            }
            ASSERT_EQ(Id(*ds), expected) << "turn " << turn;
            ASSERT_EQ(ds->FieldByName("name")->AsString(), "Row" + std::to_string(expected));
            highest = std::max(highest, expected);
        }
    }
    EXPECT_EQ(highest, ManyRows);
}

TEST_P(Navigation, BookmarksStayValidAcrossFirstNextAndLast) {
    auto ds = Make(ManyRows);
    std::vector<std::pair<TBookmark, int>> marks;
    for (ds->First(); !ds->Eof(); ds->Next())
        if (Id(*ds) % 150 == 1) marks.emplace_back(ds->GetBookmark(), Id(*ds));
    marks.emplace_back(ds->GetBookmark(), ManyRows);
    ds->Last();
    ds->First();
    for (int i = 0; i < 20; ++i) ds->Next();
    // Far ones first, then back and forth.
    for (int round = 0; round < 2; ++round) {
        for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
            EXPECT_TRUE(ds->BookmarkValid(it->first));
            ds->GotoBookmark(it->first);
            EXPECT_FALSE(ds->Bof() || ds->Eof());
            ASSERT_EQ(Id(*ds), it->second);
            EXPECT_EQ(ds->RecNo(), it->second);
        }
        ds->Last();
    }
    // Stepping on from a bookmark.
    ds->GotoBookmark(marks[1].first);
    ds->Next();
    EXPECT_EQ(Id(*ds), marks[1].second + 1);
    ds->Prior();
    ds->Prior();
    EXPECT_EQ(Id(*ds), marks[1].second - 1);
    for (auto& m : marks) ds->FreeBookmark(m.first);
    EXPECT_FALSE(marks[0].first);
}

TEST_P(Navigation, NilBookmarkDoesNothingAndForeignOnesFail) {
    auto ds = Make(5);
    ds->Next();
    TBookmark nil;
    ds->GotoBookmark(nil);
    EXPECT_EQ(Id(*ds), 2);
    EXPECT_FALSE(ds->BookmarkValid(nil));

    const TBookmark old = ds->GetBookmark();
    ds->Close();
    EXPECT_FALSE(ds->BookmarkValid(old));
    ds->Open();
    EXPECT_FALSE(ds->BookmarkValid(old)) << "a bookmark belongs to one opening";
    EXPECT_THROW(ds->GotoBookmark(old), EDatabaseError);

    auto other = GetParam().Make(file_->FileName(), 5);
    other->Open();
    EXPECT_THROW(other->GotoBookmark(ds->GetBookmark()), EDatabaseError);
}

TEST_P(Navigation, ClosedDatasetRefusesToStep) {
    auto ds = Make(1);
    ds->Close();
    EXPECT_FALSE(ds->Active());
    EXPECT_EQ(ds->State(), TDataSetState::dsInactive);
    EXPECT_EQ(ds->FieldCount(), 0);
    try {
        ds->Next();
        FAIL() << "Next on a closed dataset";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Cannot perform this operation on a closed dataset");
    }
    EXPECT_THROW(ds->First(), EDatabaseError);
    EXPECT_THROW(ds->RecordCount(), EDatabaseError);
    ds->SetActive(true);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Id(*ds), 1);
}

TEST_P(Navigation, FieldSettingsSurviveReopening) {
    auto ds = Make(1);
    TField* name = ds->FieldByName("name");
    name->Visible = false;
    name->DisplayLabel = "Item name";
    ds->Close();
    ds->Open();
    EXPECT_EQ(ds->FieldByName("NAME"), name);
    EXPECT_FALSE(name->Visible);
    EXPECT_EQ(name->DisplayName(), "Item name");
    EXPECT_EQ(name->Index(), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Navigation, ::testing::ValuesIn(Kinds),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.Name); });

// ---- records that go away ----------------------------------------------------------

TEST(Bookmarks, DeletedTableRowFailsAndItsNeighboursStillWork) {
    TempDir dir;
    SqliteFile file(dir.File("del.db"), Rows(ManyRows));
    TTable t;
    t.SetDatabaseName(file.FileName());
    t.SetTableName("items");
    t.Open();
    t.MoveBy(399);
    ASSERT_EQ(t.FieldByName("id")->AsInteger(), 400);
    const TBookmark gone = t.GetBookmark();
    t.Next();
    const TBookmark kept = t.GetBookmark();
    t.First();

    // Another connection deletes the row: the table holds no lock between moves.
    file.Exec("DELETE FROM items WHERE id = 400");
    EXPECT_FALSE(t.BookmarkValid(gone));
    EXPECT_TRUE(t.BookmarkValid(kept));
    EXPECT_THROW(t.GotoBookmark(gone), EDatabaseError);
    EXPECT_EQ(t.FieldByName("id")->AsInteger(), 1) << "a failed GotoBookmark does not move";
    t.GotoBookmark(kept);
    EXPECT_EQ(t.FieldByName("id")->AsInteger(), 401);
    t.Prior();
    EXPECT_EQ(t.FieldByName("id")->AsInteger(), 399);
    EXPECT_EQ(t.RecordCount(), ManyRows - 1);
}

TEST(Bookmarks, DeletedMemoryRecordFails) {
    TMemDataSet ds;
    ds.AddFieldDef("n", TFieldType::ftInteger);
    for (int i = 1; i <= 3; ++i) ds.AppendRecord({i});
    ds.Open();
    ds.Next();
    const TBookmark second = ds.GetBookmark();
    ds.Delete();
    EXPECT_EQ(ds.Fields(0)->AsInteger(), 3);
    EXPECT_FALSE(ds.BookmarkValid(second));
    EXPECT_THROW(ds.GotoBookmark(second), EDatabaseError);
    ds.Delete();
    EXPECT_EQ(ds.Fields(0)->AsInteger(), 1) << "deleting the last goes to the new last";
    ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Eof() && ds.Bof());
    EXPECT_THROW(ds.Delete(), EDatabaseError);
}

TEST(Bookmarks, QueryBookmarkIsAPositionThatFailsBeyondTheEnd) {
    TempDir dir;
    SqliteFile file(dir.File("q.db"), Rows(ManyRows));
    TQuery q;
    q.SetDatabaseName(file.FileName());
    q.SQL.Add("SELECT name FROM items WHERE id > 100 ORDER BY id DESC");
    q.Open();
    q.Last();
    const TBookmark last = q.GetBookmark();
    EXPECT_EQ(q.FieldByName("name")->AsString(), "Row101");
    q.First();
    EXPECT_EQ(q.FieldByName("name")->AsString(), "Row" + std::to_string(ManyRows));
    q.Close();
    // Reading to the end released the database: it can be changed.
    q.Open();
    q.Last();
    const TBookmark lastAgain = q.GetBookmark();
    file.Exec("DELETE FROM items WHERE id <= 110");
    q.First();
    EXPECT_FALSE(q.BookmarkValid(lastAgain));
    EXPECT_THROW(q.GotoBookmark(lastAgain), EDatabaseError);
    EXPECT_FALSE(q.BookmarkValid(last));
}

TEST(WideTables, ATableOfTheMostColumnsSQLiteAllowsIsReadWithItsBookmarks) {
    // SQLite allows 2,000 columns in a table and in a result: no room for
    // the row id beside them.
    std::string sql = "CREATE TABLE wide(";
    for (int c = 1; c <= 2000; ++c) sql += (c > 1 ? ", c" : "c") + std::to_string(c) + " INTEGER";
    sql += ");";
    sql +=
        "INSERT INTO wide(c1, c2000) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
        " SELECT i, -1 FROM n;";
    TempDir dir;
    SqliteFile file(dir.File("wide.db"), sql);
    TTable t;
    t.SetDatabaseName(file.FileName());
    t.SetTableName("wide");
    t.Open();
    ASSERT_EQ(t.FieldCount(), 2000);
    EXPECT_EQ(t.Fields(1999)->FieldName, "c2000");
    EXPECT_EQ(t.Fields(1999)->AsInteger(), -1);
    EXPECT_EQ(t.RecordCount(), 300);
    t.MoveBy(9);
    const TBookmark tenth = t.GetBookmark();
    int rows = 10;
    while (t.Next(), !t.Eof()) ++rows;
    EXPECT_EQ(rows, 300);
    EXPECT_EQ(t.Fields(0)->AsInteger(), 300);
    t.GotoBookmark(tenth);
    EXPECT_EQ(t.Fields(0)->AsInteger(), 10);
    EXPECT_EQ(t.RecNo(), 10);
}
