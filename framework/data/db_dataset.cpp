#include "framework/data/db_dataset.h"

namespace trx {

TDBDataSet::TDBDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TDBDataSet::~TDBDataSet() { Close(); }

void TDBDataSet::SetDatabaseName(const std::string& Value) {
    if (Value == databaseName_) return;
    CheckInactive();
    databaseName_ = Value;
}

std::vector<std::string> TDBDataSet::DatabaseFiles() const {
    const std::string file = db_ ? db_->FullFileName() : databaseName_;
    if (file.empty()) return {};
    return {file, file + "-journal", file + "-wal", file + "-shm"};
}

TSqliteDatabase& TDBDataSet::OpenDatabase() {
    InternalClose();
    db_ = std::make_unique<TSqliteDatabase>(databaseName_);
    // Opened within a consistent reading: the cursors read in its snapshot.
    if (readDepth_ > 0) StartRead();
    return *db_;
}

void TDBDataSet::BeginConsistentRead() {
    if (readDepth_++ > 0 || !db_) return;
    try {
        StartRead();
    } catch (...) {
        --readDepth_;
        throw;
    }
}

void TDBDataSet::EndConsistentRead() noexcept {
    if (readDepth_ == 0) return;
    if (--readDepth_ > 0 || !db_) return;
    // A query's statement that has not reached its end would go on reading
    // the old state, and holding it: it starts again at the next read.
    if (result_) result_->Release();
    EndRead();
}

void TDBDataSet::StartRead() {
    db_->Exec("BEGIN DEFERRED");
    // A deferred transaction takes its snapshot (or its shared lock) at its
    // first read, not at BEGIN.
    try {
        TSqliteStatement first(*db_, "SELECT count(*) FROM sqlite_master");
        first.Step();
    } catch (...) {
        EndRead();
        throw;
    }
}

void TDBDataSet::EndRead() noexcept {
    // Only read: ending it cannot lose anything, and it never fails the
    // caller (it runs when a reading ends, also after a failure).
    if (db_->InTransaction() && !db_->TryExec("COMMIT")) (void)db_->TryExec("ROLLBACK");
}

void TDBDataSet::AddColumns(const std::vector<TColumnInfo>& Columns) {
    for (const TColumnInfo& c : Columns) AddField(c.Name, c.Type, c.Size);
}

void TDBDataSet::UseRowidCursor(std::unique_ptr<TRowidCursor> Cursor) {
    result_.reset();
    rowid_ = std::move(Cursor);
    AddColumns(rowid_->Columns());
}

void TDBDataSet::UseResultCursor(std::unique_ptr<TResultCursor> Cursor) {
    rowid_.reset();
    result_ = std::move(Cursor);
    AddColumns(result_->Columns());
}

void TDBDataSet::InternalClose() {
    rowid_.reset();
    result_.reset();
    db_.reset();
}

bool TDBDataSet::InternalFirst(TRecord& Rec) {
    if (rowid_) return rowid_->First(Rec);
    return result_ && result_->Row(1, Rec);
}

bool TDBDataSet::InternalLast(TRecord& Rec) {
    if (rowid_) return rowid_->Last(Rec);
    return result_ && result_->Last(Rec);
}

bool TDBDataSet::InternalNext(const TRecord& Current, TRecord& Rec) {
    if (rowid_) return rowid_->Next(Current.Key, Rec);
    return result_ && result_->Row(Current.Key + 1, Rec);
}

bool TDBDataSet::InternalPrior(const TRecord& Current, TRecord& Rec) {
    if (rowid_) return rowid_->Prior(Current.Key, Rec);
    return result_ && result_->Row(Current.Key - 1, Rec);
}

bool TDBDataSet::InternalLocate(int64_t Key, TRecord& Rec) {
    if (rowid_) return rowid_->Locate(Key, Rec);
    return result_ && result_->Row(Key, Rec);
}

bool TDBDataSet::InternalExists(int64_t Key) {
    if (rowid_) return rowid_->Exists(Key);
    TRecord rec;
    return result_ && result_->Row(Key, rec);
}

int64_t TDBDataSet::InternalRecordCount() {
    if (rowid_) return rowid_->Count();
    return result_ ? result_->Count() : 0;
}

int64_t TDBDataSet::InternalRecNo(int64_t Key) {
    if (rowid_) return rowid_->RecNo(Key);
    return Key;
}

} // namespace trx
