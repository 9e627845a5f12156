#include "framework/data/table.h"

#include "framework/core/strings.h"

namespace trx {

TTable::TTable(TComponent* AOwner) : TDBDataSet(AOwner) {}

void TTable::SetTableName(const std::string& Value) {
    if (Value == tableName_) return;
    CheckInactive();
    tableName_ = Value;
}

void TTable::InternalOpen() {
    if (Trim(tableName_).empty()) throw EDatabaseError("Missing TableName property");
    TSqliteDatabase& db = OpenDatabase();
    std::string rowid;
    if (TRowidCursor::HasRowid(db, tableName_, rowid))
        UseRowidCursor(std::make_unique<TRowidCursor>(db, tableName_));
    else
        UseResultCursor(std::make_unique<TResultCursor>(db, "SELECT * FROM " + QuoteIdentifier(tableName_)));
}

} // namespace trx
