// A writable SQLite database file for tests, made in a temporary directory,
// with statements run through SQLite itself (not through the datasets, which
// only read).
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace trx::test {

class SqliteFile {
public:
    // Creates the file (or opens it when it exists) and runs Sql on it.
    explicit SqliteFile(std::string FileName, const std::string& Sql = {});
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    // Runs one or more statements; a failure fails the test and throws.
    void Exec(const std::string& Sql);
    // Runs statements as another program would, without waiting for a lock:
    // SQLite's result code (0 when done, 5 when the database is locked).
    int TryExec(const std::string& Sql);
    // Every row of a query, its fields as text (an empty text for NULL).
    std::vector<std::vector<std::string>> Rows(const std::string& Sql);

private:
    std::string fileName_;
    sqlite3* db_ = nullptr;
};

// Resident memory of this process in bytes.
long ResidentBytes();

} // namespace trx::test
