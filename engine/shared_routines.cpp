#include "engine/shared_routines.h"

#include <algorithm>
#include <cmath>

#include "engine/print_settings.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/core/format.h"
#include "framework/core/strings.h"

namespace trx {

std::string AlignStr(const std::string& Text, int Width, TAlignment Alignment) {
    switch (Alignment) {
    case TAlignment::taLeftJustify: return Format("%-*.*s", {Width, Width, Text});
    case TAlignment::taRightJustify: return Format("%*.*s", {Width, Width, Text});
    case TAlignment::taCenter: {
        const int half = (Length(Text) + Width) / 2;
        const std::string left = Format("%-*.*s", {half, half, Text});
        return Format("%*.*s", {Width, Width, left});
    }
    }
    return Text;
}

std::string FormatElapsedTime(TDateTime Span) {
    // Whole milliseconds first, so that 3725 s does not come out as 1:02:04.99.
    const double ms = std::round(Span * 24.0 * 60.0 * 60.0 * 1000.0);
    const double totalSecs = ms / 1000.0;
    const int64_t whole = static_cast<int64_t>(std::trunc(totalSecs));
    const int64_t hours = whole / 3600;
    const int64_t minutes = (whole % 3600) / 60;
    const int64_t secs = whole % 60;
    if (hours > 0) return Format("%d:%.2d:%.2d hours", {hours, minutes, secs});
    if (minutes > 0) return Format("%d:%.2d minutes", {minutes, secs});
    return Format("%2f seconds", {totalSecs - double(hours * 3600 + minutes * 60)});
}

std::string ReverseStr(const std::string& Text) { return std::string(Text.rbegin(), Text.rend()); }

std::string ParseStr(const std::string& Text, int N, const std::string& Delim, const std::string& Default) {
    std::string delim = Delim.empty() ? std::string(",") : Delim;
    std::string text = Text;
    const bool fromRight = N <= 0;
    if (fromRight) {
        text = ReverseStr(text);
        delim = ReverseStr(delim);
        N = -N;
    }
    text += delim;
    std::string result = Default;
    for (int i = 1; i <= N; ++i) {
        const int p = Pos(delim, text);
        if (p == 0) break;
        if (i == N) {
            result = Copy(text, 1, p - 1);
            if (fromRight) result = ReverseStr(result);
        } else {
            text = Copy(text, p + Length(delim), Length(text));
        }
    }
    return result;
}

std::string StripSymbols(const std::string& Text, std::string_view Keep) {
    std::string r;
    for (char c : Text) {
        const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (alnum || Keep.find(c) != std::string_view::npos) r += c;
    }
    return r;
}

bool IsNumeric(const std::string& Text) {
    double v = 0;
    try {
        return TryStrToFloat(Text, v);
    } catch (...) {
        return false;
    }
}

int CnvtStrToInt(const std::string& Text, bool& Error) {
    int value = 0, code = 0;
    Val(Text, value, code);
    Error = code != 0;
    return Error ? 0 : value;
}

int MaxInt(int A, int B) { return A > B ? A : B; }
int MinInt(int A, int B) { return A < B ? A : B; }

std::string FixFilePath(const std::string& Path, bool WithSlash) {
    std::string p = Trim(Path);
    if (p.empty()) return p;
    const bool has = p.back() == PathDelim;
    if (WithSlash && !has) p += PathDelim;
    if (!WithSlash && has) p.pop_back();
    return p;
}

std::string StatusHintText(const std::string& Hint) {
    // Appended rather than " " + text: GCC 12 at -O3 warns falsely about a
    // literal prepended to a temporary string (see compiler_warnings.h).
    std::string text(1, ' ');
    text += ParseHintText(true, Hint);
    return text;
}

std::string ParseHintText(bool LongOnly, const std::string& Hint) {
    std::string s = Hint;
    const int bar = Pos("|", s);
    if (bar > 0) {
        const std::string shortPart = Copy(s, 1, bar - 1);
        const std::string longPart = Copy(s, bar + 1, Length(s));
        s = LongOnly ? longPart : shortPart + " " + longPart;
    }
    if (PrintSettings) {
        int p = Pos("^D", s);
        if (p > 0) {
            s = Copy(s, 1, p - 1) + PrintSettings->DateText + Copy(s, p + 2, Length(s));
        } else if ((p = Pos("^T", s)) > 0) {
            s = Copy(s, 1, p - 1) + PrintSettings->TimeText + Copy(s, p + 2, Length(s));
        }
    }
    return s;
}

TFontStyles CnvtIntToFontStyles(int Value) {
    TFontStyles s;
    if (Value & 8) s.Include(TFontStyle::fsBold);
    if (Value & 4) s.Include(TFontStyle::fsItalic);
    if (Value & 2) s.Include(TFontStyle::fsUnderline);
    if (Value & 1) s.Include(TFontStyle::fsStrikeOut);
    return s;
}

int CnvtFontStylesToInt(TFontStyles Styles) {
    int v = 0;
    if (Styles.Contains(TFontStyle::fsBold)) v += 8;
    if (Styles.Contains(TFontStyle::fsItalic)) v += 4;
    if (Styles.Contains(TFontStyle::fsUnderline)) v += 2;
    if (Styles.Contains(TFontStyle::fsStrikeOut)) v += 1;
    return v;
}

bool CompareFonts(const TFont& A, const TFont& B) {
    return A.Name() == B.Name() && A.Style() == B.Style() && A.Size() == B.Size() && A.Pitch() == B.Pitch() &&
           A.Color() == B.Color();
}

static void ChkBitNdx(int N) {
    // Flags run from 1 to 32; anything else would shift out of the word.
    if (N > 32 || N < 1)
        throw EIntOverflow(std::string(InternalErrorPrefix) + "TBitInt Ndx \"" + IntToStr(N) + "\" is greater than 32");
}

void TBitInt::SetBit(int N, bool On) {
    ChkBitNdx(N);
    const uint32_t mask = uint32_t(1) << (N - 1);
    if (On)
        bits_ |= mask;
    else
        bits_ &= ~mask;
}

bool TBitInt::GetBit(int N) const {
    ChkBitNdx(N);
    return (bits_ >> (N - 1)) & 1u;
}

} // namespace trx
