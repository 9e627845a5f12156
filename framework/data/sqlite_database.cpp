#include "framework/data/sqlite_database.h"

#include <sqlite3.h>

#include <utility>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

// How long a read waits for a writer of another connection to finish.
constexpr int BusyTimeoutMs = 2000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

} // namespace

// ---- TSqliteDatabase ---------------------------------------------------------

TSqliteDatabase::TSqliteDatabase(const std::string& FileName) : fileName_(FileName) {
    if (FileName.empty()) throw EDatabaseError("No database file name given");
    // A connection is used by one thread at a time: it needs no mutex of its own.
    const int rc = sqlite3_open_v2(FileName.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError("Cannot open database \"" + FileName + "\": " + msg);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, BusyTimeoutMs);
}

TSqliteDatabase::~TSqliteDatabase() { sqlite3_close_v2(db_); }

std::string TSqliteDatabase::FullFileName() const {
    const char* name = db_ ? sqlite3_db_filename(db_, "main") : nullptr;
    return name && *name ? std::string(name) : fileName_;
}

void TSqliteDatabase::Exec(const std::string& Sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, Sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK) return;
    std::string msg = err ? err : LastError();
    sqlite3_free(err);
    throw EDatabaseError(msg);
}

bool TSqliteDatabase::TryExec(const std::string& Sql) noexcept {
    return db_ && sqlite3_exec(db_, Sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool TSqliteDatabase::InTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

int TSqliteDatabase::ColumnLimit() const { return sqlite3_limit(db_, SQLITE_LIMIT_COLUMN, -1); }

std::string TSqliteDatabase::LastError() const { return db_ ? sqlite3_errmsg(db_) : std::string(); }

void TSqliteDatabase::Fail() const { throw EDatabaseError(LastError()); }

// ---- TSqliteStatement --------------------------------------------------------

TSqliteStatement::TSqliteStatement(TSqliteDatabase& Db, std::string_view Sql) : db_(&Db) {
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(Db.Handle(), Sql.data(), static_cast<int>(Sql.size()), &stmt_, &tail) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        Db.Fail();
    }
    if (!stmt_) throw EDatabaseError("No SQL statement available");
    if (tail) {
        const char* end = Sql.data() + Sql.size();
        for (const char* p = tail; p < end; ++p) {
            if (!IsBlank(*p) && *p != ';') {
                sqlite3_finalize(stmt_);
                stmt_ = nullptr;
                throw EDatabaseError("Only one SQL statement can be run at a time: " + std::string(p, end));
            }
        }
    }
}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(stmt_); }

TSqliteStatement::TSqliteStatement(TSqliteStatement&& Other) noexcept
    : db_(std::exchange(Other.db_, nullptr)), stmt_(std::exchange(Other.stmt_, nullptr)) {}

TSqliteStatement& TSqliteStatement::operator=(TSqliteStatement&& Other) noexcept {
    if (this != &Other) {
        sqlite3_finalize(stmt_);
        db_ = std::exchange(Other.db_, nullptr);
        stmt_ = std::exchange(Other.stmt_, nullptr);
    }
    return *this;
}

bool TSqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    std::string msg = db_->LastError();
    sqlite3_reset(stmt_);
    throw EDatabaseError(msg);
}

void TSqliteStatement::Reset() noexcept {
    if (stmt_) sqlite3_reset(stmt_);
}

void TSqliteStatement::Bind(int Index, int64_t Value) {
    if (sqlite3_bind_int64(stmt_, Index, Value) != SQLITE_OK) db_->Fail();
}

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

std::string TSqliteStatement::ColumnName(int Col) const {
    const char* name = sqlite3_column_name(stmt_, Col);
    return name ? name : "";
}

std::string TSqliteStatement::ColumnDeclType(int Col) const {
    const char* decl = sqlite3_column_decltype(stmt_, Col);
    return decl ? decl : "";
}

TDataValue TSqliteStatement::Column(int Col) const {
    TDataValue v;
    ReadColumn(Col, v);
    return v;
}

void TSqliteStatement::ReadColumn(int Col, TDataValue& Value) const {
    // The connection has no mutex (see TSqliteDatabase), so the column's
    // value can be read directly, with one call into the statement.
    sqlite3_value* v = sqlite3_column_value(stmt_, Col);
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: Value.SetInteger(static_cast<int64_t>(sqlite3_value_int64(v))); break;
    case SQLITE_FLOAT: Value.SetFloat(sqlite3_value_double(v)); break;
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        const int n = sqlite3_value_bytes(v);
        Value.SetText(p ? std::string_view(p, static_cast<std::size_t>(n)) : std::string_view());
        break;
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
        const int n = sqlite3_value_bytes(v);
        Value.SetText(p ? std::string_view(p, static_cast<std::size_t>(n)) : std::string_view(), true);
        break;
    }
    default: Value.SetNull(); break;
    }
}

int64_t TSqliteStatement::ColumnInt(int Col) const { return sqlite3_column_int64(stmt_, Col); }

void TSqliteStatement::ReadRow(int First, std::vector<TDataValue>& Values) const {
    const int n = ColumnCount();
    Values.resize(static_cast<std::size_t>(n > First ? n - First : 0));
    for (int c = First; c < n; ++c) ReadColumn(c, Values[static_cast<std::size_t>(c - First)]);
}

// ---- helpers -----------------------------------------------------------------

std::string QuoteIdentifier(std::string_view Name) {
    std::string out = "\"";
    for (char c : Name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

namespace {

// The number in the first pair of parentheses ("varchar(30)" gives 30,
// "decimal(10,2)" gives 10, and its second number goes to Second).
bool ParenNumbers(std::string_view Decl, int& First, int& Second) {
    const auto open = Decl.find('(');
    if (open == std::string_view::npos) return false;
    const auto close = Decl.find(')', open);
    std::string_view inner =
        Decl.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    const auto comma = inner.find(',');
    int code = 0;
    Val(Trim(inner.substr(0, comma)), First, code);
    if (code != 0) return false;
    Second = -1;
    if (comma != std::string_view::npos) {
        int s = 0;
        Val(Trim(inner.substr(comma + 1)), s, code);
        if (code == 0) Second = s;
    }
    return true;
}

} // namespace

TFieldType FieldTypeFromDeclaration(std::string_view Declared, TValueKind FirstValue, int& Size) {
    Size = 0;
    const std::string decl = UpperCase(Trim(Declared));
    if (decl.empty()) {
        switch (FirstValue) {
        case TValueKind::vkInteger: return TFieldType::ftInteger;
        case TValueKind::vkFloat: return TFieldType::ftFloat;
        case TValueKind::vkBlob: return TFieldType::ftBlob;
        default: Size = DefaultStringSize; return TFieldType::ftString;
        }
    }
    // The type's name: the words before any parenthesis.
    std::string name = Trim(decl.substr(0, decl.find('(')));
    int first = 0, second = -1;
    const bool sized = ParenNumbers(decl, first, second);

    auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (name == n) return true;
        return false;
    };
    if (is({"INTEGER", "INT", "BIGINT", "LARGEINT"})) return TFieldType::ftInteger;
    if (is({"SMALLINT", "TINYINT"})) return TFieldType::ftSmallint;
    if (is({"WORD"})) return TFieldType::ftWord;
    if (is({"AUTOINC", "AUTOINCREMENT"})) return TFieldType::ftAutoInc;
    if (is({"FLOAT", "REAL", "DOUBLE", "DOUBLE PRECISION"})) return TFieldType::ftFloat;
    if (is({"CURRENCY", "MONEY"})) return TFieldType::ftCurrency;
    if (is({"DECIMAL", "NUMERIC", "BCD"})) {
        Size = sized && second >= 0 ? second : 4;
        return TFieldType::ftBCD;
    }
    if (is({"BOOLEAN", "BOOL"})) return TFieldType::ftBoolean;
    if (is({"DATE"})) return TFieldType::ftDate;
    if (is({"TIME"})) return TFieldType::ftTime;
    if (is({"DATETIME", "TIMESTAMP"})) return TFieldType::ftDateTime;
    if (is({"CHAR", "VARCHAR", "STRING", "CHARACTER", "NCHAR", "NVARCHAR", "CHARACTER VARYING", "VARCHAR2"})) {
        Size = sized && first > 0 ? first : DefaultStringSize;
        return TFieldType::ftString;
    }
    if (is({"MEMO", "TEXT", "CLOB", "LONGTEXT"})) return TFieldType::ftMemo;
    if (is({"BLOB", "BINARY", "VARBINARY"})) return TFieldType::ftBlob;

    // SQLite's own affinity rules for any other name.
    if (Pos("INT", decl) > 0) return TFieldType::ftInteger;
    if (Pos("CHAR", decl) > 0) {
        Size = sized && first > 0 ? first : DefaultStringSize;
        return TFieldType::ftString;
    }
    if (Pos("CLOB", decl) > 0 || Pos("TEXT", decl) > 0) return TFieldType::ftMemo;
    if (Pos("BLOB", decl) > 0) return TFieldType::ftBlob;
    if (Pos("REAL", decl) > 0 || Pos("FLOA", decl) > 0 || Pos("DOUB", decl) > 0) return TFieldType::ftFloat;
    Size = DefaultStringSize;
    return TFieldType::ftString;
}

} // namespace trx
