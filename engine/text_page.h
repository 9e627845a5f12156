// The text page of text output: the lines of one page as the page loop
// writes them, cell by cell, and as the outputs read them (UTF-8 for text
// files, the screen and the printer canvas; code page 437 for the raw
// printer). Lines are numbered from 0 and their cells from 1.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/display_width.h"
#include "framework/core/types.h"

namespace trx {

class TTextFile;

// Where the page loop lays out a plain data row: the line characters of
// such rows are the same at the same place.
struct TRowLinesPlace {
    TPoint Page;
    int Panel = 0;
    int XOffset = 0;
    int FirstCol = 0;
    friend bool operator==(const TRowLinesPlace&, const TRowLinesPlace&) = default;
};

class TTextPage {
public:
    // Whether Text holds a character that the one-pass copy of a plain text
    // cannot take: a control character, or in a memo the caret of a code;
    // with High, any character that is not ASCII too. Eight characters are
    // tested at a time: a byte below N in X shows as a high bit of
    // (X - N in every byte) & ~X, exactly when there is one (N at most 128).
    // Reads overlap where the text is not a multiple of eight long; a text
    // shorter than four is read as its first, middle and last character.
    [[gnu::always_inline]] static inline bool HasStopChr(std::string_view Text, bool Caret, bool High = false) {
        constexpr uint64_t Ones = 0x0101010101010101ULL, Highs = Ones * 0x80;
        auto below = [](uint64_t X, uint64_t N) { return ((X - Ones * N) & ~X & Highs) != 0; };
        auto stopIn = [&](uint64_t X) {
            return (High && (X & Highs) != 0) || below(X, ' ') || below(X ^ (Ones * 0x7F), 1) ||
                   (Caret && below(X ^ (Ones * '^'), 1));
        };
        const char* p = Text.data();
        const std::size_t n = Text.size();
        if (n < 8) {
            uint64_t x = Ones * ' ';
            if (n >= 4) {
                uint32_t first, last;
                std::memcpy(&first, p, 4);
                std::memcpy(&last, p + n - 4, 4);
                x = uint64_t{first} | uint64_t{last} << 32;
            } else if (n > 0) {
                const auto byte = [&](std::size_t I) { return uint64_t{static_cast<unsigned char>(p[I])}; };
                x = (x & ~uint64_t{0xFFFFFF}) | byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
            }
            return stopIn(x);
        }
        for (std::size_t i = 0; i < n; i += 8) {
            uint64_t x;
            std::memcpy(&x, p + std::min(i, n - 8), 8);
            if (stopIn(x)) return true;
        }
        return false;
    }

    // ---- The lines ----
    int Count() const { return static_cast<int>(lines_.size()); }
    // Line Ndx in UTF-8.
    std::string Line(int Ndx) const;
    // Line Ndx in code page 437, the raw printer's character set.
    std::string PrinterLine(int Ndx) const;
    // Empties the page.
    void Clear();
    // Puts a form feed in front of the first line.
    void PutFormFeed();
    // Writes the page to File in one piece, its lines in UTF-8, each ended
    // by CR LF.
    void WriteTo(TTextFile& File);

    // ---- Texts ----
    // Writes Text into line LineNdx at cell Col within a field W cells wide:
    // blanks around a narrower text, the first W cells of a wider one. Ascii
    // tells that Text is ASCII. Lines below the page are added as one blank.
    void PutFldStr(std::string_view Text, bool Ascii, int LineNdx, int Col, TAlignment Align, int W);
    // PutFldStr of Text into the top line of Rect when Text is printable
    // ASCII no wider than Rect and the line holds one byte a cell: true
    // then, else false and nothing written.
    bool PutPlainText(std::string_view Text, const TRect& Rect, TAlignment Align);

    // ---- Line characters ----
    // Lines that these add below the page are NewLineWid blanks wide.
    // StartChr at cell X1, MidChr up to EndChr at cell X2 (X1 < X2; a blank
    // EndChr repeats MidChr), on lines Y1 to Y2.
    void PutLineRun(char StartChr, char MidChr, char EndChr, int X1, int X2, int Y1, int Y2, int NewLineWid);
    // Chr at cell X on lines Y1 to Y2.
    void PutLineChr(char Chr, int X, int Y1, int Y2, int NewLineWid);

    // ---- The line characters of plain data rows ----
    // A plain data row has one text line, no line above it, and a line of
    // its own. The first such row at a place writes its line characters
    // between StartRowLines and EndRowLines, which note them; the later rows
    // there start from PutRowLines and write only their texts.
    bool HasRowLines(const TRowLinesPlace& Place) const { return rowLines_.Valid && rowLines_.Place == Place; }
    void StartRowLines(const TRowLinesPlace& Place);
    // Ends the noting of the row just laid out: its characters are kept
    // when they alone made its line.
    void EndRowLines(int NewLineWid) {
        if (rowLines_.Noting) KeepRowLines(NewLineWid);
    }
    // Adds line Ndx, a new line of the page, holding the noted characters.
    void PutRowLines(int Ndx, int NewLineWid);

private:
    // The lines of the page. A line holds one byte a cell while it holds
    // only ASCII and line-drawing characters (kept as their code page 437
    // bytes, as they are stored); a line that gets any other text is turned
    // into UTF-8 once and stays so.
    std::vector<std::string> lines_;
    // Which lines hold UTF-8; a line past its end holds one byte a cell.
    std::vector<bool> utf8_;
    // Writes the cells of the UTF-8 lines, each line read once as the page
    // loop writes it from left to right.
    TCellWriter cells_;
    // The room of a run of line characters written into a UTF-8 line.
    std::string run_;
    // The page on its way to a text file, kept from page to page.
    std::string out_;
    // The line characters of the plain data rows, noted from the first such
    // row at a place.
    struct TRowLineChrs {
        bool Noting = false; // the first row at Place is being laid out
        bool Failed = false; // it wrote what a copy of its line would not hold
        bool Valid = false; // Line holds its line characters
        TRowLinesPlace Place;
        std::vector<std::pair<int, char>> Chrs; // cell (from 1) and character
        std::string Line; // a new line of the page with them in their places
    } rowLines_;

    bool IsUtf8Line(int Ndx) const {
        return Ndx >= 0 && static_cast<std::size_t>(Ndx) < utf8_.size() && utf8_[static_cast<std::size_t>(Ndx)];
    }
    // Line Ndx, added with the lines above it as lines of one blank when
    // the page is shorter; changed where it stands.
    std::string& PageLine(int Ndx) {
        while (Count() <= Ndx) lines_.emplace_back(" ");
        return lines_[static_cast<std::size_t>(Ndx)];
    }
    // Adds lines of Wid blanks (Wid at least 0) up to line Ndx.
    void AddLinesTo(int Ndx, int Wid) {
        while (Count() <= Ndx) lines_.emplace_back(static_cast<std::size_t>(Wid), ' ');
    }
    // PageLine in UTF-8, turned so when it holds one byte a cell.
    std::string& Utf8PageLine(int Ndx);
    // Line Ndx in UTF-8: the line itself, or its conversion in Scratch.
    const std::string& PageLineUtf8(int Ndx, std::string& Scratch) const;
    // Notes a line character of the row being noted: only a character on
    // the row's own new line can be copied.
    void NoteRowLine(char Chr, int X, int Y1, int Y2);
    // EndRowLines of a row that was noted.
    void KeepRowLines(int NewLineWid);
};

} // namespace trx
