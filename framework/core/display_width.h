// Text on a grid of character cells. Text is UTF-8; each character takes
// its display width: one cell for most characters, two for East Asian wide
// and full-width ones, none for combining marks. A byte that is no part of
// a valid UTF-8 sequence reads as U+FFFD, one cell wide. Text of bytes
// below 0x80 only is one cell a byte, and every routine takes that path
// first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trx {

inline constexpr char32_t ReplacementChar = 0xFFFD;

// The number of leading bytes of S below 0x80.
std::size_t AsciiPrefix(std::string_view S);
inline bool IsAscii(std::string_view S) { return AsciiPrefix(S) == S.size(); }

// The character at S[I], with I moved past it. A byte that begins no valid
// sequence (a stray continuation byte, an overlong or surrogate form, a
// sequence cut short) gives U+FFFD, and I moves past that byte only.
char32_t NextChar(std::string_view S, std::size_t& I);

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
// Removes the cells Col .. Col + Count - 1 of S, a wide character cut in
// half leaving a blank.
void DeleteCells(std::string& S, int Col, int Count);

bool IsValidUtf8(std::string_view S);
// S with every byte that is no part of valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view S);
void AppendUtf8(std::string& Out, char32_t C);

} // namespace trx
