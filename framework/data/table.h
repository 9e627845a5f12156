// TTable: every record of one table (or view) of an SQLite database file.
//
// A table with a row id is read in row-id order, a window of rows at a time,
// and its bookmarks are row ids: they survive any stepping and fail once the
// row is deleted. A view, a table WITHOUT ROWID and a table of as many
// columns as SQLite allows in a result (2,000 unless built otherwise) are
// read as the query "SELECT * FROM <table>", with a query's bookmarks (see
// TQuery).
#pragma once

#include <string>

#include "framework/data/db_dataset.h"

namespace trx {

class TTable : public TDBDataSet {
public:
    explicit TTable(TComponent* AOwner = nullptr);

    const std::string& TableName() const { return tableName_; }
    // Raises EDatabaseError while the table is open.
    void SetTableName(const std::string& Value);

protected:
    void InternalOpen() override;

private:
    std::string tableName_;
};

} // namespace trx
