// TMemDataSet: a dataset whose records live in memory. The application
// defines the fields, then appends records; the records stay while the
// dataset is closed. Meant for small data and for tests.
#pragma once

#include <string>
#include <vector>

#include "framework/data/dataset.h"

namespace trx {

class TMemDataSet : public TDataSet {
public:
    explicit TMemDataSet(TComponent* AOwner = nullptr);
    ~TMemDataSet() override;

    // Field definitions; raise EDatabaseError while the dataset is open.
    void AddFieldDef(const std::string& Name, TFieldType Type, int Size = 0);
    void ClearFieldDefs();
    int FieldDefCount() const { return static_cast<int>(defs_.size()); }

    // Appends a record with values in field order (missing values are null;
    // more values than fields raise EDatabaseError). On an open dataset the
    // new record becomes the current one.
    void AppendRecord(std::vector<TDataValue> Values);
    // Deletes the current record and goes to the next one (the prior one
    // when it was the last). Raises EDatabaseError on an empty dataset.
    void Delete();
    // Removes every record.
    void EmptyDataSet();

protected:
    void InternalOpen() override;
    void InternalClose() override {}
    bool InternalFirst(TRecord& Rec) override;
    bool InternalLast(TRecord& Rec) override;
    bool InternalNext(const TRecord& Current, TRecord& Rec) override;
    bool InternalPrior(const TRecord& Current, TRecord& Rec) override;
    bool InternalLocate(int64_t Key, TRecord& Rec) override;
    int64_t InternalRecordCount() override { return static_cast<int64_t>(rows_.size()); }
    int64_t InternalRecNo(int64_t Key) override;

private:
    struct TDef {
        std::string Name;
        TFieldType Type;
        int Size;
    };
    // Index of the first row whose key is not below Key.
    std::size_t LowerBound(int64_t Key) const;

    std::vector<TDef> defs_;
    std::vector<TRecord> rows_; // ascending keys
    int64_t nextKey_ = 1;
};

} // namespace trx
