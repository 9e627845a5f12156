// Cursors that step through an SQLite table or a query result while holding
// only a bounded window of rows in memory.
//
// TRowidCursor reads a table in row-id order. A record's key is its row id:
// stable while the row exists, so a bookmark finds its row after any amount
// of stepping and fails once the row is deleted. Each move beyond the window
// reads the next window by row id and then ends its read, so the cursor holds
// no lock on the database between moves. A row is handed over, not copied:
// asked for a second time, it is read again with a new window.
//
// TResultCursor reads the result of any SELECT. A record's key is its
// position in the result (1 for the first row). Stepping forward continues
// one running statement, which holds a read lock on the database until it
// reaches the end of the result or the cursor is closed. The last rows read
// stay in a window; going back beyond the window runs the statement again
// from the start and skips to the row without keeping the rows skipped.
// A position that lies beyond the end of the result is gone.
//
// Inside a transaction of the connection (a consistent reading, see
// TDBDataSet) every read of either cursor is of the transaction's state.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "framework/data/data_value.h"
#include "framework/data/sqlite_database.h"

namespace trx {

// Name and type of one column of a cursor.
struct TColumnInfo {
    std::string Name;
    TFieldType Type = TFieldType::ftUnknown;
    int Size = 0;
};

// Rows kept in memory by one cursor.
inline constexpr std::size_t CursorWindowRows = 256;

class TRowidCursor {
public:
    // Raises EDatabaseError for a missing table. Uses the first name of
    // rowid, _rowid_ and oid that is not a column of the table; a table
    // without a row id it can use (a view, a table WITHOUT ROWID, or one of
    // as many columns as a result may have, which leave no room for the row
    // id) raises EDatabaseError so that the caller can read it as a query.
    TRowidCursor(TSqliteDatabase& Db, const std::string& TableName);

    const std::vector<TColumnInfo>& Columns() const { return columns_; }
    bool First(TRecord& Rec);
    bool Last(TRecord& Rec);
    bool Next(int64_t Key, TRecord& Rec);
    bool Prior(int64_t Key, TRecord& Rec);
    bool Locate(int64_t Key, TRecord& Rec);
    bool Exists(int64_t Key);
    int64_t Count();
    int64_t RecNo(int64_t Key);

    // Whether the table has a row id this cursor can use.
    static bool HasRowid(TSqliteDatabase& Db, const std::string& TableName, std::string& RowidName);

private:
    // Reads a window of rows: from Key up (Forward) or from Key down.
    bool Fill(int64_t Key, bool Forward);
    int Find(int64_t Key) const;

    TSqliteStatement up_; // rows with id >= ?1 ascending
    TSqliteStatement down_; // rows with id <= ?1 descending
    TSqliteStatement one_; // the row with id ?1
    TSqliteStatement count_; // all rows
    TSqliteStatement before_; // rows with id <= ?1
    std::vector<TColumnInfo> columns_;
    // Hands the row at Ndx of the window over to Rec.
    void Give(std::size_t Ndx, TRecord& Rec);

    std::vector<TRecord> window_; // ascending row ids
    std::vector<bool> taken_; // the row's values went to a caller: read it again when asked for
    mutable std::size_t hint_ = 0; // where Find looks first
};

class TResultCursor {
public:
    // Prepares the statement and reads its first row to learn the types of
    // expression columns. Raises EDatabaseError for bad SQL or a statement
    // that gives no columns.
    TResultCursor(TSqliteDatabase& Db, const std::string& Sql);

    const std::vector<TColumnInfo>& Columns() const { return columns_; }
    // The row at a position (from 1); false beyond the end.
    bool Row(int64_t Position, TRecord& Rec);
    bool Last(TRecord& Rec);
    int64_t Count();
    // Ends the running statement's read; the next row read runs the
    // statement again.
    void Release() noexcept { Restart(); }

private:
    void Restart() noexcept;
    // Steps the statement once; false at the end of the result.
    bool StepOne(bool Keep);

    TSqliteDatabase& db_;
    std::string sql_;
    TSqliteStatement stmt_;
    int64_t stepped_ = 0; // rows the running statement has given
    bool done_ = false; // the statement reached the end and was reset
    int64_t total_ = -1; // rows of the result, once known
    std::vector<TColumnInfo> columns_;
    std::deque<TRecord> window_; // consecutive positions, the last is stepped_
};

} // namespace trx
