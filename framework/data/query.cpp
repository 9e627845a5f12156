#include "framework/data/query.h"

namespace trx {

TQuery::TQuery(TComponent* AOwner) : TDBDataSet(AOwner) {
    SQL.OnChange = [this](TObject*) { Close(); };
}

void TQuery::InternalOpen() {
    if (SQL.Count() == 0) throw EDatabaseError("No SQL statement available");
    TSqliteDatabase& db = OpenDatabase();
    UseResultCursor(std::make_unique<TResultCursor>(db, SQL.Text()));
}

} // namespace trx
