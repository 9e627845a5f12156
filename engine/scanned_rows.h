// The cell texts of a dataset's rows as the column scan read them, kept in
// a temporary file, so that the print which follows the scan need not read
// and format every record a second time. Only a buffer of rows is held in
// memory.
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

    bool Complete() const { return file_ && complete_; }
    int64_t RowCount() const { return rows_; }
    // The place of Field's text in a row of a complete recording written
    // as Formatted says, or -1.
    int Slot(int Field, bool Formatted) const;
    bool Holds(int Field, bool Formatted) const { return Slot(Field, Formatted) >= 0; }

    // Reading back: Rewind goes to before the first row (false without a
    // complete recording), NextRow reads the next one (false after the
    // last). A file that cannot be read back throws.
    bool Rewind();
    bool NextRow();
    // The text at Slot, or of Field (which Holds), in the row read last;
    // it stands until the next row is read.
    std::string_view SlotText(int Slot) const {
        const auto s = static_cast<std::size_t>(Slot);
        const uint32_t begin = s == 0 ? 0 : ends_[s - 1];
        return std::string_view(text_ + begin, ends_[s] - begin);
    }
    std::string_view Text(int Field) const { return SlotText(fieldSlot_[static_cast<std::size_t>(Field)]); }

private:
    // Writes the buffer to the file; false when that fails.
    bool FlushBuffer();
    // Makes Bytes bytes from the read position on stand in the buffer;
    // false at the end of the file.
    bool Fill(std::size_t Bytes);

    std::FILE* file_ = nullptr;
    bool complete_ = false;
    bool formatted_ = false;
    int64_t rows_ = 0;
    int64_t read_ = 0;
    std::vector<int> fieldSlot_; // [field index] -> the slot of its text, -1 for none
    std::size_t slots_ = 0;
    std::vector<uint32_t> ends_; // the end of each slot's text in the row
    std::string row_; // the texts of the row being recorded
    std::string buf_; // rows on their way to or from the file
    std::size_t pos_ = 0; // the read position in buf_
    const char* text_ = nullptr; // the texts of the row read last
};

} // namespace trx
