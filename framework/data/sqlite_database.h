// A read-only connection to an SQLite database file and its prepared
// statements. Every failure raises EDatabaseError with SQLite's own message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/data/data_value.h"
#include "framework/data/field_type.h"

struct sqlite3;
struct sqlite3_stmt;

namespace trx {

class TSqliteDatabase {
public:
    // Opens an existing database file for reading; never creates one. A
    // missing or unreadable file raises EDatabaseError naming the file.
    explicit TSqliteDatabase(const std::string& FileName);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    sqlite3* Handle() const { return db_; }
    const std::string& FileName() const { return fileName_; }
    // The database file's full name, as the connection resolved it when it
    // opened.
    std::string FullFileName() const;
    // Runs statements that give no rows (BEGIN, COMMIT, ...); TryExec tells
    // whether they succeeded instead of raising.
    void Exec(const std::string& Sql);
    bool TryExec(const std::string& Sql) noexcept;
    // Whether a transaction begun with BEGIN is open.
    bool InTransaction() const;
    // The most columns a table or a result may have on this connection.
    int ColumnLimit() const;
    // The connection's last error message.
    std::string LastError() const;
    [[noreturn]] void Fail() const;

private:
    sqlite3* db_ = nullptr;
    std::string fileName_;
};

class TSqliteStatement {
public:
    TSqliteStatement() = default;
    // Prepares the first statement of Sql. Text after it other than blanks
    // and semicolons raises EDatabaseError.
    TSqliteStatement(TSqliteDatabase& Db, std::string_view Sql);
    ~TSqliteStatement();
    TSqliteStatement(TSqliteStatement&& Other) noexcept;
    TSqliteStatement& operator=(TSqliteStatement&& Other) noexcept;
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    bool Prepared() const { return stmt_ != nullptr; }
    // True with a row to read, false at the end; raises on error.
    bool Step();
    // Ends the statement's read, so that it holds no lock, and keeps its bindings.
    void Reset() noexcept;
    void Bind(int Index, int64_t Value);

    int ColumnCount() const;
    std::string ColumnName(int Col) const;
    // The column's declared type; empty for an expression.
    std::string ColumnDeclType(int Col) const;
    TDataValue Column(int Col) const;
    // The column's value into Value, reusing the room Value holds.
    void ReadColumn(int Col, TDataValue& Value) const;
    int64_t ColumnInt(int Col) const;
    // Reads the row's columns from First on into Values (the values already
    // there are overwritten in place).
    void ReadRow(int First, std::vector<TDataValue>& Values) const;

private:
    TSqliteDatabase* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// Doubles the quotes of an identifier and encloses it in double quotes.
std::string QuoteIdentifier(std::string_view Name);

// The field type of a column from its declared type:
//   integer, int, bigint, largeint            ftInteger
//   smallint, tinyint                         ftSmallint
//   word                                      ftWord
//   autoinc, autoincrement                    ftAutoInc
//   float, real, double [precision]           ftFloat
//   currency, money                           ftCurrency
//   decimal(p,s), numeric(p,s), bcd           ftBCD (Size s, 4 by default)
//   boolean, bool                             ftBoolean
//   date / time / datetime, timestamp         ftDate / ftTime / ftDateTime
//   char(n), varchar(n), string(n), character(n), nchar(n), nvarchar(n)
//                                             ftString (Size n, DefaultStringSize without n)
//   memo, text, clob, longtext                ftMemo
//   blob, binary, varbinary                   ftBlob
// Other declarations follow SQLite's affinity rules (names holding "INT" are
// integers, "CHAR" strings, "CLOB" or "TEXT" memos, "BLOB" blobs, "REAL",
// "FLOA" or "DOUB" floats, anything else a string). An expression column,
// which has no declaration, takes its type from the kind of its value in the
// first row (integer, float, string or blob; a string when null or absent).
TFieldType FieldTypeFromDeclaration(std::string_view Declared, TValueKind FirstValue, int& Size);

inline constexpr int DefaultStringSize = 255;

} // namespace trx
