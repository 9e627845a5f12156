// The cell texts of a dataset's rows as the column scan read them, kept in
// a temporary file, so that the print which follows the scan need not read
// and format every record a second time. Only one row is held in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace trx {

class TScannedRows {
public:
    TScannedRows() = default;
    ~TScannedRows();
    TScannedRows(const TScannedRows&) = delete;
    TScannedRows& operator=(const TScannedRows&) = delete;

    // Starts a new recording of the texts of these fields (dataset field
    // indexes, one text each a row), written as Formatted says; what an
    // earlier recording held is gone. False when no temporary file opens.
    bool Start(const std::vector<int>& Fields, bool Formatted);
    bool Recording() const { return file_ && !complete_; }
    // The text of the row's next field, in the order Start was given.
    void AddText(std::string_view Text);
    void EndRow();
    // Ends the recording: AllRows says the rows recorded are all the rows
    // there are, the only recording that can stand in for the records.
    void Finish(bool AllRows);
    void Discard();

    // A complete recording of these fields, written as Formatted says.
    bool Holds(int Field, bool Formatted) const;
    bool Complete() const { return file_ && complete_; }
    int64_t RowCount() const { return rows_; }

    // Reading back: Rewind goes to before the first row (false without a
    // complete recording), NextRow reads the next one (false after the
    // last). A file that cannot be read back throws.
    bool Rewind();
    bool NextRow();
    // The text of Field in the row read last; Holds(Field) must be true.
    std::string_view Text(int Field) const;

private:
    std::FILE* file_ = nullptr;
    bool complete_ = false;
    bool formatted_ = false;
    int64_t rows_ = 0;
    int64_t read_ = 0;
    std::vector<int> fieldSlot_; // [field index] -> the slot of its text, -1 for none
    std::size_t slots_ = 0;
    std::vector<uint32_t> ends_; // the end of each slot's text in row_
    std::string row_;
};

} // namespace trx
