#include "framework/core/display_width.h"

#include <utf8proc.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace trx {

namespace {


bool IsContinuation(std::string_view S, std::size_t I) {
    return I < S.size() && (static_cast<unsigned char>(S[I]) & 0xC0) == 0x80;
}

unsigned char Byte(std::string_view S, std::size_t I) { return static_cast<unsigned char>(S[I]); }

// The cells of the character at S[I], with I moved past it. The
// line-drawing characters of a table page are told at once.
int NextWidth(std::string_view S, std::size_t& I) {
    const unsigned char b0 = Byte(S, I);
    if (b0 < 0x80) {
        ++I;
        return 1;
    }
    if (b0 == 0xE2 && I + 2 < S.size() && (Byte(S, I + 1) == 0x94 || Byte(S, I + 1) == 0x95) &&
        IsContinuation(S, I + 2)) {
        I += 3;
        return 1;
    }
    return CharWidth(NextChar(S, I));
}

// Moves I past the characters of no width that stand at it: they belong to
// the character before them.
void SkipZeroWidth(std::string_view S, std::size_t& I) {
    while (I < S.size() && Byte(S, I) >= 0x80) {
        std::size_t j = I;
        if (NextWidth(S, j) != 0) break;
        I = j;
    }
}

// Where a run of cells lies in a text. The bytes [OuterFirst, First) are a
// wide character that begins before the run and ends in its first cell
// (SplitBefore); [First, Last) are the characters that lie wholly in the
// run; [Last, OuterLast) a wide character that begins in the run's last
// cell and ends after it (SplitAfter). Gap counts the cells missing between
// the end of the text and the run's first cell.
struct TCellSpan {
    std::size_t OuterFirst = 0;
    std::size_t First = 0;
    std::size_t Last = 0;
    std::size_t OuterLast = 0;
    bool SplitBefore = false;
    bool SplitAfter = false;
    int Gap = 0;
};

// The cells from Col on, read from the byte FromByte, where cell FromCol
// (at most Col) begins.
TCellSpan FindCells(std::string_view S, int Col, int Count, std::size_t FromByte = 0, int FromCol = 1) {
    TCellSpan r;
    const std::size_t n = S.size();
    std::size_t i = FromByte;
    int col = FromCol; // the cell where the character at i begins
    // Walks to cell Limit: runs of ASCII a cell a byte, other characters
    // by their widths; stops before a character that would pass it.
    auto walk = [&](int Limit) -> bool {
        while (col < Limit && i < n) {
            if (Byte(S, i) < 0x80) {
                const std::size_t run = AsciiPrefix(S.substr(i, static_cast<std::size_t>(Limit - col)));
                i += run;
                col += static_cast<int>(run);
                continue;
            }
            std::size_t j = i;
            const int w = NextWidth(S, j);
            if (col + w > Limit) return false;
            col += w;
            i = j;
        }
        return true;
    };
    if (!walk(Col)) {
        // A wide character begins before the run and ends in it.
        r.OuterFirst = i;
        col += NextWidth(S, i);
        SkipZeroWidth(S, i);
        r.SplitBefore = true;
    } else {
        if (col < Col) r.Gap = Col - col;
        if (Col > 1) SkipZeroWidth(S, i);
        r.OuterFirst = i;
    }
    r.First = i;
    if (!walk(Col + Count)) {
        r.Last = i;
        NextWidth(S, i);
        SkipZeroWidth(S, i);
        r.OuterLast = i;
        r.SplitAfter = true;
    } else {
        SkipZeroWidth(S, i);
        r.Last = r.OuterLast = i;
    }
    return r;
}

// PutCells with the walk starting from byte FromByte, where cell FromCol
// begins, and TextWid the cells of Text when known (else -1); gives the
// byte where cell Col + Count begins afterwards.
std::size_t PutCellsFrom(std::string& Line, int Col, int Count, std::string_view Text, int Before, int TextWid,
                         std::size_t FromByte, int FromCol) {
    Before = std::clamp(Before, 0, Count);
    const int textWid = TextWid >= 0 ? TextWid : DisplayWidth(Text);
    const int after = std::max(0, Count - Before - textWid);
    const TCellSpan span = FindCells(Line, Col, Count, FromByte, FromCol);
    const std::size_t lead = (span.SplitBefore ? 1u : 0u) + static_cast<std::size_t>(span.Gap + Before);
    const std::size_t trail = static_cast<std::size_t>(after) + (span.SplitAfter ? 1u : 0u);
    const std::size_t size = lead + Text.size() + trail;
    const std::size_t old = span.OuterLast - span.OuterFirst;
    if (size == old) {
        char* p = Line.data() + span.OuterFirst;
        std::memset(p, ' ', lead);
        std::memcpy(p + lead, Text.data(), Text.size());
        std::memset(p + lead + Text.size(), ' ', trail);
    } else {
        Line.replace(span.OuterFirst, old, size, ' ');
        Line.replace(span.OuterFirst + lead, Text.size(), Text);
    }
    // A wide character cut at the end leaves its blank in the next cell.
    return span.OuterFirst + size - (span.SplitAfter ? 1u : 0u);
}

} // namespace

int CharWidth(char32_t C) {
    // Latin, with its controls, Greek, Cyrillic and Armenian letters, and
    // the line-drawing and block characters of printed tables take one cell
    // each; CJK ideographs and Hangul syllables two: the common ranges
    // without combining marks, told without the tables.
    if (C < 0x300 || (C >= 0x370 && C < 0x483) || (C >= 0x48A && C < 0x591) || (C >= 0x2500 && C < 0x25A0)) return 1;
    if ((C >= 0x4E00 && C < 0xA000) || (C >= 0xAC00 && C < 0xD7A4)) return 2;
    const int w = utf8proc_charwidth(static_cast<utf8proc_int32_t>(C));
    return std::clamp(w, 0, 2);
}

bool IsLetterChar(char32_t C) {
    if (C < 0x80) return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
    const utf8proc_category_t cat = utf8proc_category(static_cast<utf8proc_int32_t>(C));
    return cat >= UTF8PROC_CATEGORY_LU && cat <= UTF8PROC_CATEGORY_ME;
}

bool IsWordChar(char32_t C) {
    if (C < 0x80) return (C >= '/' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
    const utf8proc_category_t cat = utf8proc_category(static_cast<utf8proc_int32_t>(C));
    return cat >= UTF8PROC_CATEGORY_LU && cat <= UTF8PROC_CATEGORY_NO;
}

int DisplayWidth(std::string_view S) {
    std::size_t i = AsciiPrefix(S);
    int w = static_cast<int>(i);
    while (i < S.size()) {
        w += NextWidth(S, i);
        if (i < S.size() && Byte(S, i) < 0x80) {
            const std::size_t run = AsciiPrefix(S.substr(i));
            w += static_cast<int>(run);
            i += run;
        }
    }
    return w;
}

std::size_t BytesInWidth(std::string_view S, int W, int* Width) {
    if (W <= 0) {
        if (Width) *Width = 0;
        return 0;
    }
    const std::size_t ascii = AsciiPrefix(S);
    std::size_t i = std::min(ascii, static_cast<std::size_t>(W));
    int w = static_cast<int>(i);
    if (i < ascii) {
        // The byte after the cut is a character of its own.
        if (Width) *Width = w;
        return i;
    }
    while (i < S.size()) {
        std::size_t j = i;
        const int cw = NextWidth(S, j);
        if (w + cw > W) break;
        w += cw;
        i = j;
    }
    if (Width) *Width = w;
    return i;
}

std::string FitToWidth(std::string_view S, int W) {
    int w = 0;
    std::string r(S.substr(0, BytesInWidth(S, W, &w)));
    if (w < W) r.append(static_cast<std::size_t>(W - w), ' ');
    return r;
}

std::string CopyCells(std::string_view S, int Col, int Count) {
    if (Col < 1) {
        Count += Col - 1;
        Col = 1;
    }
    if (Count <= 0) return {};
    const TCellSpan span = FindCells(S, Col, Count);
    std::string r;
    if (span.SplitBefore) r += ' ';
    r.append(S.substr(span.First, span.Last - span.First));
    if (span.SplitAfter) r += ' ';
    return r;
}

void PutCells(std::string& Line, int Col, int Count, std::string_view Text, int Before) {
    if (Count > 0) PutCellsFrom(Line, std::max(Col, 1), Count, Text, Before, -1, 0, 1);
}

void TCellWriter::PutCells(std::string& Line, int LineNdx, int Col, int Count, std::string_view Text, int Before,
                           int TextWid) {
    if (Count <= 0 || LineNdx < 0) return;
    Col = std::max(Col, 1);
    if (static_cast<std::size_t>(LineNdx) >= marks_.size()) marks_.resize(static_cast<std::size_t>(LineNdx) + 1);
    TMark& mark = marks_[static_cast<std::size_t>(LineNdx)];
    // The mark holds while the line's bytes before it are as they were.
    const bool holds = mark.Col > 1 && mark.Col <= Col && Line.size() >= mark.Prefix.size() &&
                       std::memcmp(Line.data(), mark.Prefix.data(), mark.Prefix.size()) == 0;
    const std::size_t end = holds ? PutCellsFrom(Line, Col, Count, Text, Before, TextWid, mark.Prefix.size(), mark.Col)
                                  : PutCellsFrom(Line, Col, Count, Text, Before, TextWid, 0, 1);
    mark.Col = Col + Count;
    mark.Prefix.assign(Line, 0, end);
}

void DeleteCells(std::string& S, int Col, int Count) {
    if (Col < 1 || Count <= 0) return;
    const TCellSpan span = FindCells(S, Col, Count);
    if (span.Gap > 0) return;
    const std::size_t blanks = (span.SplitBefore ? 1u : 0u) + (span.SplitAfter ? 1u : 0u);
    S.replace(span.OuterFirst, span.OuterLast - span.OuterFirst, blanks, ' ');
}

bool IsValidUtf8(std::string_view S) {
    std::size_t i = AsciiPrefix(S);
    while (i < S.size()) {
        const std::size_t at = i;
        if (NextChar(S, i) == ReplacementChar && i == at + 1) return false;
    }
    return true;
}

std::string ValidUtf8(std::string_view S) {
    std::size_t i = AsciiPrefix(S);
    std::string r(S.substr(0, i));
    while (i < S.size()) {
        const std::size_t at = i;
        const char32_t c = NextChar(S, i);
        if (c == ReplacementChar && i == at + 1)
            AppendUtf8(r, ReplacementChar);
        else
            r.append(S.substr(at, i - at));
    }
    return r;
}

void AppendUtf8(std::string& Out, char32_t C) {
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (C >> 18));
        Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

bool SameTextFolded(std::string_view A, std::string_view B) {
    auto fold = [](std::string_view S) {
        const std::string valid = IsValidUtf8(S) ? std::string(S) : ValidUtf8(S);
        utf8proc_uint8_t* folded = nullptr;
        const utf8proc_ssize_t n = utf8proc_map(
            reinterpret_cast<const utf8proc_uint8_t*>(valid.data()), static_cast<utf8proc_ssize_t>(valid.size()),
            &folded, static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD));
        std::string out =
            n >= 0 ? std::string(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(n)) : valid;
        std::free(folded);
        return out;
    };
    if (IsAscii(A) && IsAscii(B)) {
        if (A.size() != B.size()) return false;
        for (std::size_t i = 0; i < A.size(); ++i) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
            if (lower(A[i]) != lower(B[i])) return false;
        }
        return true;
    }
    return fold(A) == fold(B);
}

} // namespace trx
