// Text on a grid of character cells. Text is UTF-8; each character takes
// its display width: one cell for most characters, two for East Asian wide
// and full-width ones, none for combining marks. A byte that is no part of
// a valid UTF-8 sequence reads as U+FFFD, one cell wide. Text of bytes
// below 0x80 only is one cell a byte, and every routine takes that path
// first.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace trx {

inline constexpr char32_t ReplacementChar = 0xFFFD;

// The number of leading bytes of S below 0x80. Eight bytes at a time; the
// first byte with its high bit set is the first set high bit in memory
// order.
inline std::size_t AsciiPrefix(std::string_view S) {
    constexpr uint64_t HighBits = 0x8080808080808080ULL;
    auto firstHigh = [](uint64_t Bits) {
        if constexpr (std::endian::native == std::endian::little)
            return static_cast<std::size_t>(std::countr_zero(Bits) / 8);
        else
            return static_cast<std::size_t>(std::countl_zero(Bits) / 8);
    };
    const char* p = S.data();
    const std::size_t n = S.size();
    uint64_t x = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::memcpy(&x, p + i, 8);
        if (const uint64_t high = x & HighBits) return i + firstHigh(high);
    }
    if (i == n) return n;
    if (n >= 8) {
        // The last eight bytes: those already read are ASCII.
        std::memcpy(&x, p + n - 8, 8);
        if (const uint64_t high = x & HighBits) return n - 8 + firstHigh(high);
        return n;
    }
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80) ++i;
    return i;
}
inline bool IsAscii(std::string_view S) { return AsciiPrefix(S) == S.size(); }

namespace utf8_detail {
inline unsigned char B(std::string_view S, std::size_t I) { return static_cast<unsigned char>(S[I]); }
inline bool Cont(std::string_view S, std::size_t I) { return I < S.size() && (B(S, I) & 0xC0) == 0x80; }
} // namespace utf8_detail

// The character at S[I], with I moved past it. A byte that begins no valid
// sequence (a stray continuation byte, an overlong or surrogate form, a
// sequence cut short) gives U+FFFD, and I moves past that byte only.
inline char32_t NextChar(std::string_view S, std::size_t& I) {
    using utf8_detail::B;
    using utf8_detail::Cont;
    const unsigned char b0 = B(S, I);
    if (b0 < 0x80) {
        ++I;
        return b0;
    }
    auto bits = [&](std::size_t K) { return static_cast<char32_t>(B(S, I + K) & 0x3F); };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (Cont(S, I + 1)) {
            const char32_t c = (static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1);
            I += 2;
            return c;
        }
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (Cont(S, I + 1) && Cont(S, I + 2)) {
            const char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
            if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
                I += 3;
                return c;
            }
        }
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (Cont(S, I + 1) && Cont(S, I + 2) && Cont(S, I + 3)) {
            const char32_t c = (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
            if (c >= 0x10000 && c <= 0x10FFFF) {
                I += 4;
                return c;
            }
        }
    }
    ++I;
    return ReplacementChar;
}

// The cells a character takes: 2 for wide characters, 0 for combining marks
// and other characters of no width, else 1. A control character takes one
// cell, as it shows as a blank.
int CharWidth(char32_t C);
// A letter, mark or digit of any script: a character of a word.
bool IsWordChar(char32_t C);
// A letter or mark of any script.
bool IsLetterChar(char32_t C);

int DisplayWidth(std::string_view S);

// The number of bytes at the start of S that take at most W cells: whole
// characters only (a wide character that would pass W stays out), with the
// characters of no width that follow the last one taken. Width, when
// given, receives the cells they take.
std::size_t BytesInWidth(std::string_view S, int W, int* Width = nullptr);
inline std::string_view CutToWidth(std::string_view S, int W) { return S.substr(0, BytesInWidth(S, W)); }
// S cut to W cells and filled up with blanks to W cells.
std::string FitToWidth(std::string_view S, int W);

// The cells Col .. Col + Count - 1 (Col from 1) of S: the characters that
// lie in them, a wide character that only half lies in them given as a
// blank; shorter when S ends before them.
std::string CopyCells(std::string_view S, int Col, int Count);
// Writes Count cells into Line from cell Col on: Before blanks, Text (at
// most Count - Before cells wide) and blanks up to Count cells. Line is
// filled up with blanks to reach the cells; a wide character of Line that
// the cells cut in half leaves a blank in its other half.
void PutCells(std::string& Line, int Col, int Count, std::string_view Text, int Before = 0);
// Writes cells into numbered lines as PutCells does, remembering where in
// each line its last write ended: a line written from left to right is
// read once rather than from its start at every write. A line whose bytes
// before that place changed otherwise is read from its start again.
class TCellWriter {
public:
    // TextWid, when known, is the cells of Text.
    void PutCells(std::string& Line, int LineNdx, int Col, int Count, std::string_view Text, int Before = 0,
                  int TextWid = -1);

private:
    struct TMark {
        int Col = 0; // the cell after the last write
        std::string Prefix; // the line's bytes before it
    };
    std::vector<TMark> marks_;
};

// Removes the cells Col .. Col + Count - 1 of S, a wide character cut in
// half leaving a blank.
void DeleteCells(std::string& S, int Col, int Count);

bool IsValidUtf8(std::string_view S);
// S with every byte that is no part of valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view S);
void AppendUtf8(std::string& Out, char32_t C);

// Whether A and B are the same text when letter case is disregarded in
// every script (Unicode's case folding: "Ä" is "ä", "SS" is "ß") and a
// letter with its accent as one character is the same as the two.
bool SameTextFolded(std::string_view A, std::string_view B);

} // namespace trx
