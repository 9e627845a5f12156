// Bad input to tables and queries: every failure is an EDatabaseError with
// SQLite's own message, the dataset stays closed, and nothing is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/data/query.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"

using namespace trx;
using trx::test::SqliteFile;
using trx::test::TempDir;

namespace {

// The message of the EDatabaseError that Open raises; fails the test when
// it raises nothing.
std::string OpenError(TDataSet& DataSet) {
    try {
        DataSet.Open();
    } catch (const EDatabaseError& e) {
        EXPECT_FALSE(DataSet.Active());
        EXPECT_EQ(DataSet.FieldCount(), 0);
        return e.Message;
    }
    ADD_FAILURE() << "Open raised nothing";
    return {};
}

class BadInput : public ::testing::Test {
protected:
    BadInput() : file_(dir_.File("good.db"), "CREATE TABLE t(a INTEGER); INSERT INTO t VALUES (1), (2);") {}

    std::string QueryError(const std::string& Sql) {
        TQuery q;
        q.SetDatabaseName(file_.FileName());
        q.SQL.SetText(Sql);
        return OpenError(q);
    }
    int Rows() {
        TQuery q;
        q.SetDatabaseName(file_.FileName());
        q.SQL.Add("SELECT count(*) FROM t");
        q.Open();
        return static_cast<int>(q.Fields(0)->AsInteger());
    }

    TempDir dir_;
    SqliteFile file_;
};

} // namespace

TEST_F(BadInput, MissingDatabaseFileIsNotCreated) {
    const std::string missing = dir_.File("missing.db");
    TTable t;
    t.SetDatabaseName(missing);
    t.SetTableName("t");
    const std::string msg = OpenError(t);
    EXPECT_NE(msg.find("unable to open database file"), std::string::npos) << msg;
    EXPECT_NE(msg.find(missing), std::string::npos) << msg;
    EXPECT_FALSE(std::filesystem::exists(missing));

    TQuery q;
    q.SetDatabaseName(dir_.File("nowhere/else.db"));
    q.SQL.Add("SELECT 1");
    EXPECT_NE(OpenError(q).find("unable to open database file"), std::string::npos);
    TTable none;
    none.SetTableName("t");
    EXPECT_EQ(OpenError(none), "No database file name given");
}

TEST_F(BadInput, FileThatIsNoDatabase) {
    trx::test::WriteAll(dir_.File("junk.db"), std::string(4096, 'x'));
    TTable t;
    t.SetDatabaseName(dir_.File("junk.db"));
    t.SetTableName("t");
    EXPECT_EQ(OpenError(t), "file is not a database");
}

TEST_F(BadInput, MissingTableOrColumnAndBadSql) {
    TTable t;
    t.SetDatabaseName(file_.FileName());
    t.SetTableName("nope");
    EXPECT_EQ(OpenError(t), "no such table: nope");
    t.SetTableName("");
    EXPECT_EQ(OpenError(t), "Missing TableName property");
    t.SetTableName("T");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 2) << "the same dataset opens once its input is right";

    EXPECT_EQ(QueryError("SELECT zzz FROM t"), "no such column: zzz");
    EXPECT_EQ(QueryError("SELEC a FROM t"), "near \"SELEC\": syntax error");
    EXPECT_EQ(QueryError(""), "No SQL statement available");
    EXPECT_EQ(QueryError("  ;  "), "No SQL statement available");
    EXPECT_NE(QueryError("SELECT 1; SELECT 2").find("Only one SQL statement"), std::string::npos);
}

TEST_F(BadInput, StatementsThatWriteChangeNothing) {
    EXPECT_NE(QueryError("DELETE FROM t").find("no result set"), std::string::npos);
    EXPECT_NE(QueryError("DELETE FROM t RETURNING a").find("readonly"), std::string::npos);
    EXPECT_NE(QueryError("CREATE TABLE u(b)").find("no result set"), std::string::npos);
    EXPECT_EQ(Rows(), 2);
}

TEST_F(BadInput, NamesCannotChangeWhileOpen) {
    TTable t;
    t.SetDatabaseName(file_.FileName());
    t.SetTableName("t");
    t.Open();
    EXPECT_THROW(t.SetTableName("u"), EDatabaseError);
    EXPECT_THROW(t.SetDatabaseName("other.db"), EDatabaseError);
    t.SetTableName("t"); // the same name is no change
    EXPECT_TRUE(t.Active());
}
