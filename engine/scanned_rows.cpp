// A recording of the rows' cell texts in a temporary file: each row is the
// end offsets of its texts (one 32-bit number a text) and then the texts.
// The file is written and read through a buffer of its own, a row at a
// time from and into that buffer.
#include "engine/scanned_rows.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/trx_errors.h"

namespace trx {

namespace {

// The rows gathered before they go to the file, and read from it at once.
constexpr std::size_t BufferBytes = 1 << 16;

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
    formatted_ = Formatted;
    slots_ = Fields.size();
    const int maxField = *std::max_element(Fields.begin(), Fields.end());
    fieldSlot_.assign(static_cast<std::size_t>(std::max(0, maxField + 1)), -1);
    for (std::size_t s = 0; s < Fields.size(); ++s) {
        const int f = Fields[s];
        if (f >= 0 && fieldSlot_[static_cast<std::size_t>(f)] < 0)
            fieldSlot_[static_cast<std::size_t>(f)] = static_cast<int>(s);
    }
    buf_.reserve(BufferBytes + BufferBytes / 2);
    return true;
}

void TScannedRows::AddText(std::string_view Text) {
    row_.append(Text);
    ends_.push_back(static_cast<uint32_t>(row_.size()));
}

void TScannedRows::EndRow() {
    if (!Recording()) return;
    // A row whose texts do not match the fields cannot be read back.
    if (ends_.size() != slots_) {
        Discard();
        return;
    }
    buf_.append(reinterpret_cast<const char*>(ends_.data()), slots_ * sizeof(uint32_t));
    buf_.append(row_);
    ++rows_;
    ends_.clear();
    row_.clear();
    if (buf_.size() >= BufferBytes && !FlushBuffer()) Discard();
}

bool TScannedRows::FlushBuffer() {
    const bool written = std::fwrite(buf_.data(), 1, buf_.size(), file_) == buf_.size();
    buf_.clear();
    return written;
}

void TScannedRows::Finish(bool AllRows) {
    if (!Recording()) return;
    if (!AllRows || !ends_.empty() || !FlushBuffer() || std::fflush(file_) != 0) {
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
    std::string().swap(buf_);
    pos_ = 0;
    text_ = nullptr;
}

int TScannedRows::Slot(int Field, bool Formatted) const {
    if (!Complete() || Formatted != formatted_ || Field < 0 || static_cast<std::size_t>(Field) >= fieldSlot_.size())
        return -1;
    return fieldSlot_[static_cast<std::size_t>(Field)];
}

bool TScannedRows::Rewind() {
    if (!Complete()) return false;
    read_ = 0;
    buf_.clear();
    pos_ = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0) ReadFailed();
    return true;
}

bool TScannedRows::Fill(std::size_t Bytes) {
    if (buf_.size() - pos_ >= Bytes) return true;
    buf_.erase(0, pos_);
    pos_ = 0;
    const std::size_t have = buf_.size();
    buf_.resize(std::max(Bytes, BufferBytes));
    const std::size_t got = std::fread(buf_.data() + have, 1, buf_.size() - have, file_);
    buf_.resize(have + got);
    return buf_.size() >= Bytes;
}

bool TScannedRows::NextRow() {
    if (!Complete() || read_ >= rows_) return false;
    const std::size_t head = slots_ * sizeof(uint32_t);
    if (!Fill(head)) ReadFailed();
    ends_.resize(slots_);
    std::memcpy(ends_.data(), buf_.data() + pos_, head);
    if (!Fill(head + ends_.back())) ReadFailed();
    text_ = buf_.data() + pos_ + head;
    pos_ += head + ends_.back();
    ++read_;
    return true;
}

} // namespace trx
