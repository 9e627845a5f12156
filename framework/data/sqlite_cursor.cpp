#include "framework/data/sqlite_cursor.h"

#include <algorithm>
#include <limits>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

constexpr int64_t MinKey = std::numeric_limits<int64_t>::min();
constexpr int64_t MaxKey = std::numeric_limits<int64_t>::max();

std::vector<TColumnInfo> DescribeColumns(const TSqliteStatement& Stmt, int First, const std::vector<TDataValue>* Row) {
    std::vector<TColumnInfo> cols;
    for (int c = First; c < Stmt.ColumnCount(); ++c) {
        TColumnInfo info;
        info.Name = Stmt.ColumnName(c);
        const std::size_t i = static_cast<std::size_t>(c - First);
        const TValueKind kind = Row && i < Row->size() ? (*Row)[i].Kind() : TValueKind::vkNull;
        info.Type = FieldTypeFromDeclaration(Stmt.ColumnDeclType(c), kind, info.Size);
        cols.push_back(std::move(info));
    }
    return cols;
}

} // namespace

// ---- TRowidCursor ------------------------------------------------------------

bool TRowidCursor::HasRowid(TSqliteDatabase& Db, const std::string& TableName, std::string& RowidName) {
    // Raises for a missing table.
    TSqliteStatement all(Db, "SELECT * FROM " + QuoteIdentifier(TableName) + " LIMIT 0");
    {
        TSqliteStatement kind(
            Db, "SELECT type FROM sqlite_master WHERE name = " + QuotedStr(TableName) + " COLLATE NOCASE");
        if (kind.Step() && SameText(kind.Column(0).Bytes(), "view")) return false;
    }
    // The row id is read as a column before the table's own: a table of as
    // many columns as a result may have leaves no room for it.
    if (all.ColumnCount() >= Db.ColumnLimit()) return false;
    RowidName.clear();
    for (const char* name : {"rowid", "_rowid_", "oid"}) {
        bool taken = false;
        for (int c = 0; c < all.ColumnCount(); ++c)
            if (SameText(all.ColumnName(c), name)) taken = true;
        if (!taken) {
            RowidName = name;
            break;
        }
    }
    if (RowidName.empty()) return false;
    try {
        TSqliteStatement probe(Db, "SELECT " + RowidName + " FROM " + QuoteIdentifier(TableName) + " LIMIT 0");
    } catch (const EDatabaseError&) {
        return false; // WITHOUT ROWID
    }
    return true;
}

TRowidCursor::TRowidCursor(TSqliteDatabase& Db, const std::string& TableName) {
    std::string rid;
    if (!HasRowid(Db, TableName, rid)) throw EDatabaseError("Table " + TableName + " has no row id");
    const std::string from = " FROM " + QuoteIdentifier(TableName);
    const std::string limit = " LIMIT " + IntToStr(static_cast<int64_t>(CursorWindowRows));
    up_ = TSqliteStatement(Db, "SELECT " + rid + ", *" + from + " WHERE " + rid + " >= ?1 ORDER BY " + rid + limit);
    down_ = TSqliteStatement(
        Db, "SELECT " + rid + ", *" + from + " WHERE " + rid + " <= ?1 ORDER BY " + rid + " DESC" + limit);
    one_ = TSqliteStatement(Db, "SELECT 1" + from + " WHERE " + rid + " = ?1");
    count_ = TSqliteStatement(Db, "SELECT count(*)" + from);
    before_ = TSqliteStatement(Db, "SELECT count(*)" + from + " WHERE " + rid + " <= ?1");

    // The first row gives the types of columns declared without one.
    const bool any = Fill(MinKey, true);
    columns_ = DescribeColumns(up_, 1, any ? &window_.front().Values : nullptr);
}

bool TRowidCursor::Fill(int64_t Key, bool Forward) {
    TSqliteStatement& stmt = Forward ? up_ : down_;
    // The records of the last window take the new rows in place.
    std::size_t rows = 0;
    stmt.Bind(1, Key);
    try {
        while (stmt.Step()) {
            if (rows == window_.size()) window_.emplace_back();
            TRecord& rec = window_[rows++];
            rec.Key = stmt.ColumnInt(0);
            stmt.ReadRow(1, rec.Values);
        }
    } catch (...) {
        window_.clear();
        taken_.clear();
        throw;
    }
    window_.resize(rows);
    taken_.assign(rows, false);
    stmt.Reset();
    if (!Forward) std::reverse(window_.begin(), window_.end());
    return !window_.empty();
}

void TRowidCursor::Give(std::size_t Ndx, TRecord& Rec) {
    // The values change places with Rec's, whose room the window keeps for
    // the rows it reads next; the row's own values are gone from the window.
    Rec.Key = window_[Ndx].Key;
    Rec.Values.swap(window_[Ndx].Values);
    taken_[Ndx] = true;
    hint_ = Ndx;
}

int TRowidCursor::Find(int64_t Key) const {
    // Stepping asks for the row found last or its neighbour.
    if (hint_ < window_.size() && window_[hint_].Key == Key) return static_cast<int>(hint_);
    if (hint_ + 1 < window_.size() && window_[hint_ + 1].Key == Key) return static_cast<int>(hint_ + 1);
    const auto it =
        std::lower_bound(window_.begin(), window_.end(), Key, [](const TRecord& r, int64_t k) { return r.Key < k; });
    if (it == window_.end() || it->Key != Key) return -1;
    hint_ = static_cast<std::size_t>(it - window_.begin());
    return static_cast<int>(hint_);
}

bool TRowidCursor::First(TRecord& Rec) {
    if (!Fill(MinKey, true)) return false;
    Give(0, Rec);
    return true;
}

bool TRowidCursor::Last(TRecord& Rec) {
    if (!Fill(MaxKey, false)) return false;
    Give(window_.size() - 1, Rec);
    return true;
}

bool TRowidCursor::Next(int64_t Key, TRecord& Rec) {
    const int i = Find(Key);
    const std::size_t next = static_cast<std::size_t>(i) + 1;
    if (i >= 0 && next < window_.size() && !taken_[next]) {
        Give(next, Rec);
        return true;
    }
    if (Key == MaxKey || !Fill(Key + 1, true)) return false;
    Give(0, Rec);
    return true;
}

bool TRowidCursor::Prior(int64_t Key, TRecord& Rec) {
    const int i = Find(Key);
    if (i > 0 && !taken_[static_cast<std::size_t>(i) - 1]) {
        Give(static_cast<std::size_t>(i) - 1, Rec);
        return true;
    }
    if (Key == MinKey || !Fill(Key - 1, false)) return false;
    Give(window_.size() - 1, Rec);
    return true;
}

bool TRowidCursor::Locate(int64_t Key, TRecord& Rec) {
    if (!Fill(Key, true) || window_.front().Key != Key) return false;
    Give(0, Rec);
    return true;
}

bool TRowidCursor::Exists(int64_t Key) {
    one_.Bind(1, Key);
    const bool found = one_.Step();
    one_.Reset();
    return found;
}

int64_t TRowidCursor::Count() {
    const bool row = count_.Step();
    const int64_t n = row ? count_.ColumnInt(0) : 0;
    count_.Reset();
    return n;
}

int64_t TRowidCursor::RecNo(int64_t Key) {
    before_.Bind(1, Key);
    const bool row = before_.Step();
    const int64_t n = row ? before_.ColumnInt(0) : 0;
    before_.Reset();
    return n;
}

// ---- TResultCursor -----------------------------------------------------------

TResultCursor::TResultCursor(TSqliteDatabase& Db, const std::string& Sql) : db_(Db), sql_(Sql) {
    if (Trim(Sql).empty()) throw EDatabaseError("No SQL statement available");
    stmt_ = TSqliteStatement(Db, Sql);
    if (stmt_.ColumnCount() == 0) throw EDatabaseError("The SQL statement gives no result set: " + Trim(Sql));
    TRecord first;
    const bool any = Row(1, first);
    columns_ = DescribeColumns(stmt_, 0, any ? &first.Values : nullptr);
}

void TResultCursor::Restart() noexcept {
    // The data may have changed since the last run: forget what it gave.
    stmt_.Reset();
    stepped_ = 0;
    done_ = false;
    total_ = -1;
    window_.clear();
}

bool TResultCursor::StepOne(bool Keep) {
    if (!stmt_.Step()) {
        done_ = true;
        total_ = stepped_;
        stmt_.Reset(); // ends the read
        return false;
    }
    ++stepped_;
    if (Keep) {
        if (!window_.empty() && window_.back().Key != stepped_ - 1) window_.clear();
        // A full window gives its oldest record's room to the new row.
        TRecord rec;
        if (window_.size() >= CursorWindowRows) {
            rec = std::move(window_.front());
            window_.pop_front();
        }
        rec.Key = stepped_;
        stmt_.ReadRow(0, rec.Values);
        window_.push_back(std::move(rec));
    }
    return true;
}

bool TResultCursor::Row(int64_t Position, TRecord& Rec) {
    if (Position < 1 || (total_ >= 0 && Position > total_)) return false;
    if (!window_.empty() && Position >= window_.front().Key && Position <= window_.back().Key) {
        Rec = window_[static_cast<std::size_t>(Position - window_.front().Key)];
        return true;
    }
    if (done_ || Position <= stepped_) Restart();
    const int64_t keepFrom = Position - static_cast<int64_t>(CursorWindowRows) + 1;
    try {
        while (stepped_ < Position)
            if (!StepOne(stepped_ + 1 >= keepFrom)) return false;
    } catch (...) {
        Restart();
        throw;
    }
    Rec = window_.back();
    return true;
}

bool TResultCursor::Last(TRecord& Rec) {
    if (total_ >= 0) {
        if (Row(total_, Rec)) return true;
        Restart(); // the result became shorter
    }
    try {
        while (StepOne(true)) {}
    } catch (...) {
        Restart();
        throw;
    }
    return total_ > 0 && Row(total_, Rec);
}

int64_t TResultCursor::Count() {
    if (total_ >= 0) return total_;
    std::string body = TrimRight(sql_);
    while (!body.empty() && body.back() == ';') body = TrimRight(body.substr(0, body.size() - 1));
    try {
        TSqliteStatement count(db_, "SELECT count(*) FROM (" + body + "\n)");
        return count.Step() ? count.ColumnInt(0) : 0;
    } catch (const EDatabaseError&) {
        // Not a SELECT that can be nested (PRAGMA, VALUES, ...): count by stepping.
        TSqliteStatement again(db_, sql_);
        int64_t n = 0;
        while (again.Step()) ++n;
        return n;
    }
}

} // namespace trx
