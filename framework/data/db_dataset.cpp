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
    return *db_;
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
