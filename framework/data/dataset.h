// TDataSet: the framework's dataset. A dataset is a cursor on a set of
// records: it opens and closes, steps through the records (First, Next,
// Prior, Last with the framework's Bof and Eof rules), shows the current
// record through its fields, marks records with bookmarks and tells the
// data sources that show it what changed.
//
// Descendants supply the records through the protected Internal* methods;
// the dataset keeps only the current record, so a descendant decides how
// much of its data is held in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/streams.h"
#include "framework/core/stringlist.h"
#include "framework/data/data_value.h"
#include "framework/data/field.h"
#include "framework/data/field_type.h"

namespace trx {

class TDataSource;

// A mark of one record of one opening of a dataset. A default-made bookmark
// is nil. Bookmarks are values: copying one is free, and FreeBookmark only
// makes it nil again.
class TBookmark {
public:
    TBookmark() = default;
    explicit operator bool() const { return opening_ != 0; }
    friend bool operator==(const TBookmark&, const TBookmark&) = default;

private:
    friend class TDataSet;
    TBookmark(uint64_t Opening, int64_t Key) : opening_(Opening), key_(Key) {}
    uint64_t opening_ = 0; // which opening of which dataset made it; 0 for nil
    int64_t key_ = 0; // the record's key in that opening
};

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* AOwner = nullptr);
    ~TDataSet() override;

    // Opening reads the field structure and goes to the first record; a
    // failure leaves the dataset closed and raises EDatabaseError.
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    // The fields of the open dataset, in column order. Fields raises
    // EListError for an index out of range; FieldByName raises
    // EDatabaseError "Field '<name>' not found"; FindField gives nullptr.
    // Names compare without regard to case.
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int Index) const {
        if (static_cast<std::size_t>(Index) >= fields_.size()) [[unlikely]]
            FieldIndexError(Index);
        return fields_[static_cast<std::size_t>(Index)].get();
    }
    TField* FieldByName(const std::string& FieldName) const;
    TField* FindField(const std::string& FieldName) const;
    void GetFieldNames(TStrings& List) const;

    // Stepping. Bof is true after First and after Prior on the first
    // record; Eof is true after Next on the last record, after Last, and
    // after First on an empty dataset. Next at Eof and Prior at Bof do
    // nothing. Each of these raises EDatabaseError on a closed dataset.
    void First();
    void Next();
    void Prior();
    void Last();
    // Moves up to Distance records forward (or back when negative) and
    // returns how many it moved.
    int MoveBy(int Distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return !hasRecord_; }
    // Number of the current record from 1; 0 when the dataset is empty.
    int RecNo();
    // Number of records, counted by the data source without reading them
    // into memory. Counts beyond the range of int give INT_MAX.
    int RecordCount();

    // Bookmarks. GetBookmark gives nil on an empty dataset. GotoBookmark
    // does nothing for nil and raises EDatabaseError when the record is gone
    // or the bookmark belongs to another dataset or an earlier opening.
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& Bookmark);
    void FreeBookmark(TBookmark& Bookmark) { Bookmark = TBookmark(); }
    // True when GotoBookmark would succeed; does not move.
    bool BookmarkValid(const TBookmark& Bookmark);

    // While controls are disabled the data sources of the dataset hear of
    // no change; when the last EnableControls ends that, they hear of one
    // change of the whole dataset. Extra EnableControls calls do nothing.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // A stream of the bytes of a memo or blob field of the current record.
    // Only bmRead is possible: datasets of this framework are read-only.
    std::unique_ptr<TStream> CreateBlobStream(TField* Field, TBlobStreamMode Mode);

    // Consistent reading: from BeginConsistentRead to the matching
    // EndConsistentRead (the calls nest), every read of the dataset sees its
    // data as it stood at the first of them, whatever others change
    // meanwhile. Data held in memory needs nothing for it.
    virtual void BeginConsistentRead() {}
    virtual void EndConsistentRead() noexcept {}

    // The files that hold the dataset's data (a database file with its
    // journals); none for data held in memory.
    virtual std::vector<std::string> DatabaseFiles() const { return {}; }

    // The stored value of a field in the current record (null when there is
    // no current record).
    const TDataValue& FieldValue(int Index) const {
        if (!hasRecord_ || Index < 0 || static_cast<std::size_t>(Index) >= current_.Values.size()) return NullValue();
        return current_.Values[static_cast<std::size_t>(Index)];
    }

protected:
    // Sets up the data source and adds the fields (AddField, in column
    // order). Raises EDatabaseError on failure.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // Each reads one record into Rec and returns false when there is none.
    virtual bool InternalFirst(TRecord& Rec) = 0;
    virtual bool InternalLast(TRecord& Rec) = 0;
    virtual bool InternalNext(const TRecord& Current, TRecord& Rec) = 0;
    virtual bool InternalPrior(const TRecord& Current, TRecord& Rec) = 0;
    // The record with the key; false when it no longer exists.
    virtual bool InternalLocate(int64_t Key, TRecord& Rec) = 0;
    // Whether the record with the key exists; must not disturb stepping.
    virtual bool InternalExists(int64_t Key);
    virtual int64_t InternalRecordCount() = 0;
    // The 1-based number of the record with the key.
    virtual int64_t InternalRecNo(int64_t Key) = 0;

    // Adds a field during InternalOpen. A field that the dataset had before
    // it was last closed, with the same name and type, comes back with the
    // settings the application gave it.
    TField* AddField(const std::string& Name, TFieldType Type, int Size = 0);
    // Raises EDatabaseError "Cannot perform this operation on a closed dataset".
    void CheckActive() const;
    // Raises EDatabaseError "Cannot perform this operation on an open dataset".
    void CheckInactive() const;
    // Tells the data sources, unless controls are disabled.
    void DataEvent(TDataEvent Event, intptr_t Info = 0);
    // Makes Rec the current record (neither Bof nor Eof) and tells the
    // data sources; with Found false the dataset shows no record.
    void SetCurrentRecord(bool Found, const TRecord& Rec);
    const TRecord& CurrentRecord() const { return current_; }

private:
    friend class TDataSource;
    static const TDataValue& NullValue();
    [[noreturn]] static void FieldIndexError(int Index);
    void DoOpen();
    void DoClose();
    void SetCurrent(bool Found, TRecord&& Rec);

    TDataSetState state_ = TDataSetState::dsInactive;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<std::unique_ptr<TField>> retired_; // fields of the last opening
    std::vector<TDataSource*> dataSources_;
    TRecord current_;
    TRecord spare_; // room for the next record read by Next and Prior
    bool hasRecord_ = false;
    bool bof_ = true;
    bool eof_ = true;
    int64_t recNo_ = -1; // -1 while not known
    uint64_t opening_ = 0; // serial of the current opening
    int disableCount_ = 0;
    bool eventPending_ = false;
    TDataSetState disabledState_ = TDataSetState::dsInactive;
};

// Reads a dataset consistently while it lives (nothing for nullptr).
class TConsistentRead {
public:
    explicit TConsistentRead(TDataSet* DataSet) : dataSet_(DataSet) {
        if (dataSet_) dataSet_->BeginConsistentRead();
    }
    ~TConsistentRead() {
        if (dataSet_) dataSet_->EndConsistentRead();
    }
    TConsistentRead(const TConsistentRead&) = delete;
    TConsistentRead& operator=(const TConsistentRead&) = delete;

private:
    TDataSet* dataSet_;
};

} // namespace trx
