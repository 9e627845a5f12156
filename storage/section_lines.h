// Line-level rules of the settings file shared by every reader and writer:
// how a line splits into key and value, what a section header is, and where
// a memo block starts and ends. Finding, copying and loading a section all
// classify lines through TSectionScanner, so a memo-text line that begins
// with "[" or equals a header is read as text by every one of them.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/text_file.h"

namespace trx {

// Key: the text before the first "="; Value: the rest of the line after it
// (empty when the line has no "=").
void SplitSettingsLine(std::string_view Line, std::string& Key, std::string& Value);

// A line that begins a section: its first character is "[".
inline bool IsSectionHeaderLine(std::string_view Line) { return !Line.empty() && Line[0] == '['; }

// A line "Memo,<name>=START" (letter case aside) that opens a memo block.
// Memo property keys ("Memo,<name>,<property>") never open one.
bool IsMemoStartLine(std::string_view Line, std::string& Key);
bool IsMemoStartKey(std::string_view Key, std::string_view Value);

// The line that ends the memo block opened by Key: "Memo,<name>=END", cut
// to 30 characters.
std::string MemoEndMarker(std::string_view Key);
void AssignMemoEndMarker(std::string& Marker, std::string_view Key);
// A line ends a block when its first 30 characters other than CR equal the
// marker, letter case aside.
bool IsMemoEndLine(std::string_view Line, std::string_view Marker);

enum class TSettingsLineKind { slHeader, slBody, slMemoStart, slMemoText, slMemoEnd };

// Classifies the lines of a settings file read in order.
class TSectionScanner {
public:
    TSettingsLineKind Feed(std::string_view Line);
    bool InMemoBlock() const { return inBlock_; }
    // The END line of the memo block that is open.
    const std::string& EndMarker() const { return marker_; }

private:
    bool inBlock_ = false;
    std::string marker_;
};

// The settings file's bytes with a reading position. Lines end at LF; a CR
// right before the LF belongs to the line break, every other CR to the line.
// An open file is read as far as its lines are asked for, so that a load
// whose section comes early does not read the rest of the file; what was
// read stays, for a rewind.
class TSettingsText {
public:
    // Reads the open file F from its start through its handle, which must
    // stay open while lines are read.
    void Open(TTextFile& F);
    void Assign(std::string_view Bytes);
    // Empty, its memory freed.
    void Clear();
    void Rewind() { pos_ = 0; }
    bool Eof() { return pos_ >= size_ && !ReadMore(); }
    // The next line without its line break. The text of a line stays valid
    // until the next read.
    std::string_view ReadLn() { return LineOfRaw(ReadRawLine()); }
    // The next line as it stands, its line break included (a copy keeps
    // every byte).
    std::string_view ReadRawLine() {
        const char* from = buf_.get() + pos_;
        if (const void* lf = pos_ < size_ ? std::memchr(from, LF, size_ - pos_) : nullptr) {
            const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(lf) - from) + 1;
            pos_ += n;
            return std::string_view(from, n);
        }
        return ReadLastOrLongLine();
    }
    // The next byte; Eof must be false.
    char Read() { return buf_[pos_++]; }
    // The offset of the reading position, and the bytes between two offsets
    // that were read (valid until the next read).
    std::size_t Pos() const { return pos_; }
    std::string_view Span(std::size_t From, std::size_t To) const {
        return std::string_view(buf_.get() + From, To - From);
    }

    // A raw line without its line break: the LF and one CR before it.
    static std::string_view LineOfRaw(std::string_view Raw) {
        std::size_t n = Raw.size();
        if (n > 0 && Raw[n - 1] == LF) {
            --n;
            if (n > 0 && Raw[n - 1] == CR) --n;
        }
        return Raw.substr(0, n);
    }

private:
    // A line whose end is not read yet: reads on to its LF or to the end of
    // the file.
    std::string_view ReadLastOrLongLine();
    // Appends the next part of the file; false at its end.
    bool ReadMore();
    void Reserve(std::size_t Capacity);

    // The bytes read so far (not zeroed first: a large file is read once).
    std::unique_ptr<char[]> buf_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0;
    int handle_ = -1; // the file while part of it is still unread
};

// A raw line without its line break: the LF and one CR before it.
inline std::string_view LineOfRaw(std::string_view Raw) { return TSettingsText::LineOfRaw(Raw); }

// Replaces every line break (LF, or CR LF) with a blank, so that a value
// stays on its line. A lone CR is an ordinary character of a line.
std::string SingleLineValue(const std::string& Value);

// A memo text as its block holds it: a text line that would read as the
// block's END line gets a trailing blank, so that the rest of the text can
// never be read as settings or sections.
std::string GuardMemoText(const std::string& Text, const std::string& Marker);

} // namespace trx
