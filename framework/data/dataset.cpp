#include "framework/data/dataset.h"

#include <atomic>
#include <climits>

#include "framework/core/compiler_warnings.h"
#include "framework/core/strings.h"
#include "framework/data/data_source.h"

namespace trx {

namespace {

// Every opening of every dataset gets its own serial, so that a bookmark of
// another dataset or of an earlier opening is never taken for one of ours.
std::atomic<uint64_t> NextOpening{1};

int ClampToInt(int64_t Value) {
    if (Value > INT_MAX) return INT_MAX;
    if (Value < INT_MIN) return INT_MIN;
    return static_cast<int>(Value);
}

} // namespace

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
    // Descendants have closed their data by now; the sources forget us here,
    // while we are still a whole dataset.
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) source->DataSetGone(this);
    dataSources_.clear();
}

// ---- opening and closing -----------------------------------------------------

void TDataSet::SetActive(bool Value) {
    if (Value == Active()) return;
    if (Value)
        DoOpen();
    else
        DoClose();
}

void TDataSet::DoOpen() {
    TRecord rec;
    bool found = false;
    try {
        InternalOpen();
        found = InternalFirst(rec);
    } catch (...) {
        for (auto& f : fields_) {
            f->index_ = -1;
            retired_.push_back(std::move(f));
        }
        fields_.clear();
        try {
            InternalClose();
        } catch (...) {}
        throw;
    }
    retired_.clear();
    state_ = TDataSetState::dsBrowse;
    opening_ = NextOpening.fetch_add(1);
    SetCurrent(found, std::move(rec));
    bof_ = true;
    eof_ = !found;
    recNo_ = found ? 1 : 0;
    DataEvent(TDataEvent::deUpdateState);
}

void TDataSet::DoClose() {
    try {
        InternalClose();
    } catch (...) {
        // Closing releases what it can; nothing is left to report to.
    }
    for (auto& f : fields_) {
        f->index_ = -1;
        retired_.push_back(std::move(f));
    }
    fields_.clear();
    SetCurrent(false, TRecord());
    bof_ = eof_ = true;
    recNo_ = -1;
    state_ = TDataSetState::dsInactive;
    DataEvent(TDataEvent::deUpdateState);
}

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckInactive() const {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
}

// ---- fields --------------------------------------------------------------------

TField* TDataSet::AddField(const std::string& Name, TFieldType Type, int Size) {
    std::string name = Name.empty() ? "COLUMN" + IntToStr(FieldCount() + 1) : Name;
    if (FindField(name)) {
        int n = 1;
        while (FindField(name + "_" + IntToStr(n))) ++n;
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        name += "_" + IntToStr(n);
        TRX_GCC_BOGUS_RESTRICT_END
    }
    std::unique_ptr<TField> field;
    for (auto it = retired_.begin(); it != retired_.end(); ++it) {
        if ((*it)->FieldName == name && (*it)->DataType() == Type && (*it)->Size == Size) {
            field = std::move(*it);
            retired_.erase(it);
            break;
        }
    }
    if (!field) {
        field = NewField(Type, Size);
        field->FieldName = name;
    }
    field->dataSet_ = this;
    field->record_ = &current_;
    field->index_ = FieldCount();
    fields_.push_back(std::move(field));
    return fields_.back().get();
}

void TDataSet::FieldIndexError(int Index) { throw EListError("List index out of bounds (" + IntToStr(Index) + ")"); }

TField* TDataSet::FindField(const std::string& FieldName) const {
    for (const auto& f : fields_)
        if (SameText(f->FieldName, FieldName)) return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
    TField* f = FindField(FieldName);
    if (!f) throw EDatabaseError("Field '" + FieldName + "' not found");
    return f;
}

void TDataSet::GetFieldNames(TStrings& List) const {
    List.BeginUpdate();
    List.Clear();
    for (const auto& f : fields_) List.Add(f->FieldName);
    List.EndUpdate();
}

const TDataValue& TDataSet::NullValue() {
    static const TDataValue Null;
    return Null;
}

// ---- stepping ------------------------------------------------------------------

void TDataSet::SetCurrent(bool Found, TRecord&& Rec) {
    // Without a record the current record holds no values: the fields read
    // it without asking.
    hasRecord_ = Found;
    if (Found)
        current_ = std::move(Rec);
    else
        current_ = TRecord();
}

void TDataSet::SetCurrentRecord(bool Found, const TRecord& Rec) {
    CheckActive();
    SetCurrent(Found, TRecord(Rec));
    bof_ = eof_ = !Found;
    recNo_ = Found ? -1 : 0;
    DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::First() {
    CheckActive();
    TRecord rec;
    const bool found = InternalFirst(rec);
    SetCurrent(found, std::move(rec));
    bof_ = true;
    eof_ = !found;
    recNo_ = found ? 1 : 0;
    DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::Last() {
    CheckActive();
    TRecord rec;
    const bool found = InternalLast(rec);
    SetCurrent(found, std::move(rec));
    eof_ = true;
    bof_ = !found;
    recNo_ = found ? -1 : 0;
    DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::Next() {
    CheckActive();
    if (eof_) return;
    bof_ = false;
    // The record read takes the room of the one before the current one.
    TRecord& rec = spare_;
    if (hasRecord_ && InternalNext(current_, rec)) {
        std::swap(current_, rec);
        if (recNo_ > 0) ++recNo_;
        DataEvent(TDataEvent::deDataSetScroll, 1);
    } else {
        eof_ = true;
    }
}

void TDataSet::Prior() {
    CheckActive();
    if (bof_) return;
    eof_ = false;
    TRecord& rec = spare_;
    if (hasRecord_ && InternalPrior(current_, rec)) {
        std::swap(current_, rec);
        if (recNo_ > 1)
            --recNo_;
        else
            recNo_ = -1;
        DataEvent(TDataEvent::deDataSetScroll, -1);
    } else {
        bof_ = true;
    }
}

int TDataSet::MoveBy(int Distance) {
    CheckActive();
    int moved = 0;
    for (; Distance > 0 && !eof_; --Distance) {
        Next();
        if (!eof_) ++moved;
    }
    for (; Distance < 0 && !bof_; ++Distance) {
        Prior();
        if (!bof_) --moved;
    }
    return moved;
}

int TDataSet::RecNo() {
    CheckActive();
    if (!hasRecord_) return 0;
    if (recNo_ < 0) recNo_ = InternalRecNo(current_.Key);
    return ClampToInt(recNo_);
}

int TDataSet::RecordCount() {
    CheckActive();
    return ClampToInt(InternalRecordCount());
}

// ---- bookmarks -----------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const {
    if (!Active() || !hasRecord_) return TBookmark();
    return TBookmark(opening_, current_.Key);
}

bool TDataSet::InternalExists(int64_t Key) {
    TRecord rec;
    return InternalLocate(Key, rec);
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) {
    if (!Bookmark || !Active() || Bookmark.opening_ != opening_) return false;
    return InternalExists(Bookmark.key_);
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    CheckActive();
    if (!Bookmark) return;
    if (Bookmark.opening_ != opening_) throw EDatabaseError("Invalid bookmark: it belongs to another opening");
    TRecord rec;
    if (!InternalLocate(Bookmark.key_, rec)) throw EDatabaseError("Record not found or deleted");
    SetCurrent(true, std::move(rec));
    bof_ = eof_ = false;
    recNo_ = -1;
    DataEvent(TDataEvent::deDataSetChange);
}

// ---- controls --------------------------------------------------------------------

void TDataSet::DisableControls() {
    if (disableCount_ == 0) disabledState_ = state_;
    ++disableCount_;
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ > 0) return;
    const bool wasActive = disabledState_ != TDataSetState::dsInactive;
    if (disabledState_ != state_) DataEvent(TDataEvent::deUpdateState);
    if (wasActive && Active()) DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::DataEvent(TDataEvent Event, intptr_t Info) {
    if (disableCount_ > 0 || dataSources_.empty()) return;
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) source->DataEvent(Event, Info);
}

// ---- blobs ---------------------------------------------------------------------------

std::unique_ptr<TStream> TDataSet::CreateBlobStream(TField* Field, TBlobStreamMode Mode) {
    CheckActive();
    if (!Field || Field->DataSet() != this) throw EDatabaseError("Field does not belong to this dataset");
    if (!Field->IsBlob()) throw EDatabaseError("Field '" + Field->FieldName + "' is not a blob field");
    if (Mode != TBlobStreamMode::bmRead) throw EDatabaseError("Cannot modify a read-only dataset");
    return std::make_unique<TStringStream>(Field->Value().Bytes());
}

} // namespace trx
