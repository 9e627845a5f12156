#include "support/sqlite_file.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

namespace trx::test {

SqliteFile::SqliteFile(std::string FileName, const std::string& Sql) : fileName_(std::move(FileName)) {
    if (sqlite3_open(fileName_.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot create " + fileName_);
    if (!Sql.empty()) Exec(Sql);
}

SqliteFile::~SqliteFile() { sqlite3_close(db_); }

void SqliteFile::Exec(const std::string& Sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, Sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "?";
        sqlite3_free(err);
        ADD_FAILURE() << "SQL failed: " << msg << "\n" << Sql;
        throw std::runtime_error(msg);
    }
}

int SqliteFile::TryExec(const std::string& Sql) { return sqlite3_exec(db_, Sql.c_str(), nullptr, nullptr, nullptr); }

std::vector<std::vector<std::string>> SqliteFile::Rows(const std::string& Sql) {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, Sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "SQL failed: " << sqlite3_errmsg(db_) << "\n" << Sql;
        return rows;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string>& row = rows.emplace_back();
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            row.emplace_back(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
        }
    }
    sqlite3_finalize(st);
    return rows;
}

long ResidentBytes() {
    std::ifstream in("/proc/self/statm");
    long size = 0, resident = 0;
    in >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace trx::test
