#include "framework/data/mem_dataset.h"

#include <algorithm>

namespace trx {

TMemDataSet::TMemDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TMemDataSet::~TMemDataSet() { Close(); }

void TMemDataSet::AddFieldDef(const std::string& Name, TFieldType Type, int Size) {
    CheckInactive();
    defs_.push_back(TDef{Name, Type, Size});
}

void TMemDataSet::ClearFieldDefs() {
    CheckInactive();
    defs_.clear();
}

void TMemDataSet::InternalOpen() {
    for (const TDef& d : defs_) AddField(d.Name, d.Type, d.Size);
}

void TMemDataSet::AppendRecord(std::vector<TDataValue> Values) {
    if (Values.size() > defs_.size()) throw EDatabaseError("More values than fields");
    Values.resize(defs_.size());
    TRecord rec;
    rec.Key = nextKey_++;
    rec.Values = std::move(Values);
    rows_.push_back(std::move(rec));
    if (Active()) SetCurrentRecord(true, rows_.back());
}

void TMemDataSet::Delete() {
    CheckActive();
    if (IsEmpty()) throw EDatabaseError("Cannot perform this operation on an empty dataset");
    const int64_t key = CurrentRecord().Key;
    const std::size_t i = LowerBound(key);
    if (i < rows_.size() && rows_[i].Key == key) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
    if (i < rows_.size())
        SetCurrentRecord(true, rows_[i]);
    else if (!rows_.empty())
        SetCurrentRecord(true, rows_.back());
    else
        SetCurrentRecord(false, TRecord());
}

void TMemDataSet::EmptyDataSet() {
    rows_.clear();
    if (Active()) First();
}

std::size_t TMemDataSet::LowerBound(int64_t Key) const {
    const auto it =
        std::lower_bound(rows_.begin(), rows_.end(), Key, [](const TRecord& r, int64_t k) { return r.Key < k; });
    return static_cast<std::size_t>(it - rows_.begin());
}

bool TMemDataSet::InternalFirst(TRecord& Rec) {
    if (rows_.empty()) return false;
    Rec = rows_.front();
    return true;
}

bool TMemDataSet::InternalLast(TRecord& Rec) {
    if (rows_.empty()) return false;
    Rec = rows_.back();
    return true;
}

bool TMemDataSet::InternalNext(const TRecord& Current, TRecord& Rec) {
    // The row after the current key, also when the current row was deleted.
    const std::size_t i = LowerBound(Current.Key + 1);
    if (i >= rows_.size()) return false;
    Rec = rows_[i];
    return true;
}

bool TMemDataSet::InternalPrior(const TRecord& Current, TRecord& Rec) {
    const std::size_t i = LowerBound(Current.Key);
    if (i == 0) return false;
    Rec = rows_[i - 1];
    return true;
}

bool TMemDataSet::InternalLocate(int64_t Key, TRecord& Rec) {
    const std::size_t i = LowerBound(Key);
    if (i >= rows_.size() || rows_[i].Key != Key) return false;
    Rec = rows_[i];
    return true;
}

int64_t TMemDataSet::InternalRecNo(int64_t Key) { return static_cast<int64_t>(LowerBound(Key)) + 1; }

} // namespace trx
