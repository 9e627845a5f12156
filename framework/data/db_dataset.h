// TDBDataSet: a dataset on an SQLite database file, the common ground of
// TTable and TQuery. DatabaseName is the database file's name; the file is
// opened for reading when the dataset opens and must exist (it is never
// created). Every failure raises EDatabaseError with SQLite's own message.
//
// Consistent reading (BeginConsistentRead) holds one read transaction of
// the database from the first read to the end: every row read comes from
// the state of that moment. With a write-ahead log, other programs still
// write meanwhile (their changes are not seen, and the log cannot be
// emptied into the database until the reading ends). With a rollback
// journal, the read transaction is a shared lock that keeps every writer
// out until the reading ends: a writer waits for its busy timeout and then
// fails with "database is locked". That is the price of reading one state
// without copying it.
//
// Fields take their types from the declared column types
// (FieldTypeFromDeclaration, sqlite_database.h). Dates and times may be
// stored as ISO text or as TDateTime days (ParseStoredDateTime,
// stored_date_time.h). A NULL shows as empty text, and text is passed on
// byte for byte, whether or not it is UTF-8.
#pragma once

#include <memory>
#include <string>

#include "framework/data/dataset.h"
#include "framework/data/sqlite_cursor.h"
#include "framework/data/sqlite_database.h"

namespace trx {

class TDBDataSet : public TDataSet {
public:
    explicit TDBDataSet(TComponent* AOwner = nullptr);
    ~TDBDataSet() override;

    const std::string& DatabaseName() const { return databaseName_; }
    // Raises EDatabaseError while the dataset is open.
    void SetDatabaseName(const std::string& Value);
    // The database file (as the open connection found it, else as named)
    // and the rollback journal, write-ahead log and shared-memory index that
    // SQLite keeps beside it.
    std::vector<std::string> DatabaseFiles() const override;
    // Raises EDatabaseError when the database cannot be read (locked by a
    // writer beyond the busy timeout).
    void BeginConsistentRead() override;
    void EndConsistentRead() noexcept override;

protected:
    // Opens the database file (raises EDatabaseError when it cannot).
    TSqliteDatabase& OpenDatabase();
    // Reads the records through one of the two cursors.
    void UseRowidCursor(std::unique_ptr<TRowidCursor> Cursor);
    void UseResultCursor(std::unique_ptr<TResultCursor> Cursor);

    void InternalClose() override;
    bool InternalFirst(TRecord& Rec) override;
    bool InternalLast(TRecord& Rec) override;
    bool InternalNext(const TRecord& Current, TRecord& Rec) override;
    bool InternalPrior(const TRecord& Current, TRecord& Rec) override;
    bool InternalLocate(int64_t Key, TRecord& Rec) override;
    bool InternalExists(int64_t Key) override;
    int64_t InternalRecordCount() override;
    int64_t InternalRecNo(int64_t Key) override;

private:
    void AddColumns(const std::vector<TColumnInfo>& Columns);

    // Starts and ends the read transaction of a consistent reading.
    void StartRead();
    void EndRead() noexcept;

    std::string databaseName_;
    int readDepth_ = 0; // nesting of BeginConsistentRead
    std::unique_ptr<TRowidCursor> rowid_;
    std::unique_ptr<TResultCursor> result_;
    std::unique_ptr<TSqliteDatabase> db_; // freed after the cursors
};

} // namespace trx
