// Line-level rules of the settings file shared by every reader and writer:
// how a line splits into key and value, what a section header is, and where
// a memo block starts and ends. Finding, copying and loading a section all
// classify lines through TSectionScanner, so a memo-text line that begins
// with "[" or equals a header is read as text by every one of them.
#pragma once

#include <cstddef>
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

// The settings file's bytes, read whole once it is open, with a reading
// position. Lines end at LF; a CR right before the LF belongs to the line
// break, every other CR to the line.
class TSettingsText {
public:
    // Reads the open file F from its start through its handle.
    void Load(TTextFile& F);
    void Assign(std::string Bytes) {
        bytes_ = std::move(Bytes);
        pos_ = 0;
    }
    void Clear() { Assign({}); }
    void Rewind() { pos_ = 0; }
    bool Eof() const { return pos_ >= bytes_.size(); }
    // The next line without its line break.
    std::string_view ReadLn();
    // The next line as it stands, its line break included (a copy keeps
    // every byte).
    std::string_view ReadRawLine();
    // The next byte; Eof must be false.
    char Read() { return bytes_[pos_++]; }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

// A raw line without its line break: the LF and one CR before it.
std::string_view LineOfRaw(std::string_view Raw);

// Replaces every line break (LF, or CR LF) with a blank, so that a value
// stays on its line. A lone CR is an ordinary character of a line.
std::string SingleLineValue(const std::string& Value);

// A memo text as its block holds it: a text line that would read as the
// block's END line gets a trailing blank, so that the rest of the text can
// never be read as settings or sections.
std::string GuardMemoText(const std::string& Text, const std::string& Marker);

} // namespace trx
