// A recording of the rows' cell texts in a temporary file: each row is the
// end offsets of its texts (one 32-bit number a text) and then the texts.
#include "engine/scanned_rows.h"

#include <algorithm>
#include <string>

#include "engine/trx_errors.h"

namespace trx {

namespace {

// The buffer of the temporary file, in both directions.
constexpr std::size_t FileBuffer = 1 << 16;

// The recording is the print's only copy of the rows: a print that cannot
// read it back fails rather than ending early.
[[noreturn]] void ReadFailed() {
    throw ETrxPrtError(std::string(PrintingErrorPrefix) + "\rUnable to read the rows back from the temporary file");
}

} // namespace

TScannedRows::~TScannedRows() { Discard(); }

bool TScannedRows::Start(const std::vector<int>& Fields, bool Formatted) {
    Discard();
    if (Fields.empty()) return false;
    file_ = std::tmpfile();
    if (!file_) return false;
    std::setvbuf(file_, nullptr, _IOFBF, FileBuffer);
    formatted_ = Formatted;
    slots_ = Fields.size();
    const int maxField = *std::max_element(Fields.begin(), Fields.end());
    fieldSlot_.assign(static_cast<std::size_t>(std::max(0, maxField + 1)), -1);
    for (std::size_t s = 0; s < Fields.size(); ++s) {
        const int f = Fields[s];
        if (f >= 0 && fieldSlot_[static_cast<std::size_t>(f)] < 0)
            fieldSlot_[static_cast<std::size_t>(f)] = static_cast<int>(s);
    }
    ends_.clear();
    row_.clear();
    return true;
}

void TScannedRows::AddText(std::string_view Text) {
    row_.append(Text);
    ends_.push_back(static_cast<uint32_t>(row_.size()));
}

void TScannedRows::EndRow() {
    if (!Recording()) return;
    // A row whose texts do not match the fields cannot be read back.
    if (ends_.size() != slots_ || std::fwrite(ends_.data(), sizeof(uint32_t), slots_, file_) != slots_ ||
        std::fwrite(row_.data(), 1, row_.size(), file_) != row_.size()) {
        Discard();
        return;
    }
    ++rows_;
    ends_.clear();
    row_.clear();
}

void TScannedRows::Finish(bool AllRows) {
    if (!Recording()) return;
    if (!AllRows || !ends_.empty() || std::fflush(file_) != 0) {
        Discard();
        return;
    }
    complete_ = true;
}

void TScannedRows::Discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    complete_ = false;
    rows_ = read_ = 0;
    fieldSlot_.clear();
    slots_ = 0;
    ends_.clear();
    row_.clear();
}

bool TScannedRows::Holds(int Field, bool Formatted) const {
    return Complete() && Formatted == formatted_ && Field >= 0 && static_cast<std::size_t>(Field) < fieldSlot_.size() &&
           fieldSlot_[static_cast<std::size_t>(Field)] >= 0;
}

bool TScannedRows::Rewind() {
    if (!Complete()) return false;
    read_ = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0) ReadFailed();
    return true;
}

bool TScannedRows::NextRow() {
    if (!Complete() || read_ >= rows_) return false;
    ends_.resize(slots_);
    if (std::fread(ends_.data(), sizeof(uint32_t), slots_, file_) != slots_) ReadFailed();
    row_.resize(ends_.back());
    if (std::fread(row_.data(), 1, row_.size(), file_) != row_.size()) ReadFailed();
    ++read_;
    return true;
}

std::string_view TScannedRows::Text(int Field) const {
    const auto slot = static_cast<std::size_t>(fieldSlot_[static_cast<std::size_t>(Field)]);
    const uint32_t begin = slot == 0 ? 0 : ends_[slot - 1];
    return std::string_view(row_).substr(begin, ends_[slot] - begin);
}

} // namespace trx
