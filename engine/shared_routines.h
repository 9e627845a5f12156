// Shared text, number and flag routines used throughout the component.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/date_time.h"
#include "framework/core/types.h"
#include "framework/printing/graphics.h"

namespace trx {

// Text in a fixed width: left or right aligned (cut to the width), or centred.
std::string AlignStr(const std::string& Text, int Width, TAlignment Alignment);
// "h:mm:ss hours", "m:ss minutes" or "s.ss seconds" of a time span.
std::string FormatElapsedTime(TDateTime Span);
// Field N of a delimited text, counted from the right when N is negative;
// Default when there is no such field or N is 0. An empty delimiter is ",".
std::string ParseStr(const std::string& Text, int N, const std::string& Delim, const std::string& Default);
std::string ReverseStr(const std::string& Text);
// Keeps letters, digits and the characters of Keep.
std::string StripSymbols(const std::string& Text, std::string_view Keep);
// True when the whole text converts to a floating-point number.
bool IsNumeric(const std::string& Text);
// The text's integer value, or 0 with Error set.
int CnvtStrToInt(const std::string& Text, bool& Error);
int MaxInt(int A, int B);
int MinInt(int A, int B);
// Trims the path; adds or removes the trailing path delimiter.
std::string FixFilePath(const std::string& Path, bool WithSlash);
// The program's data directory, with a trailing delimiter: from the
// redirection file, else the program's path with the extension ".TRX"; the
// data-directory wizard sets up a missing one.
std::string GetTBXDataDir();
// True when the component runs inside the development environment.
bool RunningFromIDE();
// The program's file name (the current project's inside the development
// environment). PathOnly: its directory with the delimiter, followed by Ext;
// otherwise with a non-empty Ext the name with its extension replaced by
// Ext; else the whole name.
std::string GetProgramPath(bool PathOnly, const std::string& Ext);
// Hint text: the long part only, or both parts joined by a blank; "^D" or
// "^T" replaced by the run's date or time text while a run exists.
std::string ParseHintText(bool LongOnly, const std::string& Hint);
// The text a status panel shows for a hint: one blank, then its long part.
std::string StatusHintText(const std::string& Hint);

// Font styles stored as an integer: 8 bold, 4 italic, 2 underline, 1 strike-out.
TFontStyles CnvtIntToFontStyles(int Value);
int CnvtFontStylesToInt(TFontStyles Styles);
// Name (case-sensitive), style, size, pitch and colour all equal.
bool CompareFonts(const TFont& A, const TFont& B);

// 32 flags numbered 1 to 32.
class TBitInt {
public:
    TBitInt() = default;
    void ClearBits() { bits_ = 0; }
    void SetBit(int N, bool On);
    bool GetBit(int N) const;
    void ToggleBit(int N) { SetBit(N, !GetBit(N)); }

private:
    uint32_t bits_ = 0;
};

} // namespace trx
