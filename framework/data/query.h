// TQuery: the result of one SQL statement on an SQLite database file.
//
// A query's bookmarks are positions in its result (the first row is 1).
// Stepping forward continues one running statement, which holds a read lock
// on the database until the result has been read to its end or the query
// closes; the last rows read stay in memory, and going back further runs the
// statement again and skips to the row. A bookmark therefore finds the row
// at its position as long as the result has that many rows, and fails when
// rows were deleted so that the result became shorter. Changing SQL closes
// the query.
#pragma once

#include "framework/core/stringlist.h"
#include "framework/data/db_dataset.h"

namespace trx {

class TQuery : public TDBDataSet {
public:
    explicit TQuery(TComponent* AOwner = nullptr);

    // The statement, one line or many.
    TStringList SQL;

protected:
    void InternalOpen() override;
};

} // namespace trx
