// The text page: texts and line characters written into its lines, the
// line characters of plain data rows kept for the rows after the first, and
// the page read in UTF-8 or code page 437.
#include "engine/text_page.h"

#include "framework/core/code_page_437.h"
#include "framework/core/strings.h"
#include "framework/core/text_file.h"

namespace trx {

namespace {

int AlignedBefore(TAlignment Align, int Room) {
    if (Align == TAlignment::taRightJustify) return Room;
    if (Align == TAlignment::taCenter) return Room / 2;
    return 0;
}

// ASCII Text into the field of W cells at cell Col of Line, a line of one
// byte a cell: aligned among blanks, or its first W characters.
[[gnu::always_inline]] inline void PutAsciiFld(std::string& Line, std::string_view Text, int Col, TAlignment Align,
                                               int W) {
    if (Length(Line) < Col + W - 1) Line.resize(static_cast<std::size_t>(Col + W - 1), ' ');
    char* field = Line.data() + (Col - 1);
    const int len = static_cast<int>(Text.size());
    if (len >= W) {
        std::memcpy(field, Text.data(), static_cast<std::size_t>(W));
        return;
    }
    const int before = AlignedBefore(Align, W - len);
    std::fill_n(field, before, ' ');
    std::memcpy(field + before, Text.data(), static_cast<std::size_t>(len));
    std::fill_n(field + before + len, W - before - len, ' ');
}

std::string_view LineChr(char Chr) { return Cp437CharToUtf8(static_cast<unsigned char>(Chr)); }

} // namespace

// ---- The lines -------------------------------------------------------------

std::string& TTextPage::Utf8PageLine(int Ndx) {
    std::string& line = PageLine(Ndx);
    if (IsUtf8Line(Ndx)) return line;
    if (utf8_.size() <= static_cast<std::size_t>(Ndx)) utf8_.resize(static_cast<std::size_t>(Ndx) + 1);
    utf8_[static_cast<std::size_t>(Ndx)] = true;
    if (!IsAscii(line)) line = Cp437ToUtf8(line);
    return line;
}

const std::string& TTextPage::PageLineUtf8(int Ndx, std::string& Scratch) const {
    const std::string& line = lines_[static_cast<std::size_t>(Ndx)];
    if (IsUtf8Line(Ndx) || IsAscii(line)) return line;
    Scratch.clear();
    AppendCp437AsUtf8(Scratch, line);
    return Scratch;
}

std::string TTextPage::Line(int Ndx) const {
    std::string scratch;
    return PageLineUtf8(Ndx, scratch);
}

std::string TTextPage::PrinterLine(int Ndx) const {
    const std::string& line = lines_[static_cast<std::size_t>(Ndx)];
    return IsUtf8Line(Ndx) ? Utf8ToCp437(line) : line;
}

void TTextPage::Clear() {
    lines_.clear();
    utf8_.clear();
    rowLines_.Noting = rowLines_.Valid = false;
}

void TTextPage::PutFormFeed() {
    if (!lines_.empty()) lines_.front().insert(0, 1, '\f');
}

void TTextPage::WriteTo(TTextFile& File) {
    out_.clear();
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = lines_[static_cast<std::size_t>(i)];
        if (IsUtf8Line(i) || IsAscii(line))
            out_ += line;
        else
            AppendCp437AsUtf8(out_, line);
        out_ += "\r\n";
    }
    File.Write(out_);
}

// ---- Texts -----------------------------------------------------------------

void TTextPage::PutFldStr(std::string_view Text, bool Ascii, int LineNdx, int Col, TAlignment Align, int W) {
    if (Col < 1) Col = 1;
    if (W < 1 || LineNdx < 0) return;
    if (Ascii && !IsUtf8Line(LineNdx)) {
        PutAsciiFld(PageLine(LineNdx), Text, Col, Align, W);
        return;
    }
    int wid = 0;
    const std::size_t bytes = BytesInWidth(Text, W, &wid);
    cells_.PutCells(Utf8PageLine(LineNdx), LineNdx, Col, W, Text.substr(0, bytes), AlignedBefore(Align, W - wid), wid);
}

bool TTextPage::PutPlainText(std::string_view Text, const TRect& Rect, TAlignment Align) {
    const int W = Rect.Right - Rect.Left + 1;
    const int len = static_cast<int>(Text.size());
    if (Rect.Top < 0 || W < 1 || Rect.Bottom < Rect.Top || len > W || IsUtf8Line(Rect.Top) ||
        HasStopChr(Text, false, true))
        return false;
    if (len == 0) return true;
    PutAsciiFld(PageLine(Rect.Top), Text, std::max(1, Rect.Left), Align, W);
    return true;
}

// ---- Line characters -------------------------------------------------------

void TTextPage::PutLineRun(char StartChr, char MidChr, char EndChr, int X1, int X2, int Y1, int Y2, int NewLineWid) {
    if (rowLines_.Noting) rowLines_.Failed = true;
    AddLinesTo(Y2, NewLineWid);
    const char endChr = EndChr != ' ' ? EndChr : MidChr;
    for (int y = Y1; y <= Y2; ++y) {
        std::string& s = lines_[static_cast<std::size_t>(y)];
        if (IsUtf8Line(y)) {
            run_.assign(LineChr(StartChr));
            const std::string_view mid = LineChr(MidChr);
            for (int x = X1 + 1; x < X2; ++x) run_ += mid;
            run_ += LineChr(endChr);
            cells_.PutCells(s, y, X1, X2 - X1 + 1, run_);
            continue;
        }
        if (Length(s) < X2) s.resize(static_cast<std::size_t>(X2), ' ');
        s[static_cast<std::size_t>(X1 - 1)] = StartChr;
        if (X2 - X1 > 1) std::fill_n(s.begin() + X1, X2 - X1 - 1, MidChr);
        s[static_cast<std::size_t>(X2 - 1)] = endChr;
    }
}

void TTextPage::PutLineChr(char Chr, int X, int Y1, int Y2, int NewLineWid) {
    if (rowLines_.Noting) NoteRowLine(Chr, X, Y1, Y2);
    AddLinesTo(Y2, NewLineWid);
    for (int y = Y1; y <= Y2; ++y) {
        std::string& s = lines_[static_cast<std::size_t>(y)];
        if (IsUtf8Line(y)) {
            cells_.PutCells(s, y, X, 1, LineChr(Chr));
            continue;
        }
        if (Length(s) < X) s.resize(static_cast<std::size_t>(X), ' ');
        s[static_cast<std::size_t>(X - 1)] = Chr;
    }
}

// ---- The line characters of plain data rows --------------------------------

void TTextPage::StartRowLines(const TRowLinesPlace& Place) {
    rowLines_.Noting = true;
    rowLines_.Failed = rowLines_.Valid = false;
    rowLines_.Chrs.clear();
    rowLines_.Place = Place;
}

void TTextPage::NoteRowLine(char Chr, int X, int Y1, int Y2) {
    // The row's line must be new, made by its first line character.
    if (Y1 != Y2 || (rowLines_.Chrs.empty() && Count() > Y1)) rowLines_.Failed = true;
    rowLines_.Chrs.emplace_back(X, Chr);
}

void TTextPage::KeepRowLines(int NewLineWid) {
    rowLines_.Noting = false;
    rowLines_.Valid = !rowLines_.Failed && !rowLines_.Chrs.empty();
    if (!rowLines_.Valid) return;
    std::string& line = rowLines_.Line;
    line.assign(static_cast<std::size_t>(NewLineWid), ' ');
    for (const auto& [x, chr] : rowLines_.Chrs) {
        if (Length(line) < x) line.resize(static_cast<std::size_t>(x), ' ');
        line[static_cast<std::size_t>(x - 1)] = chr;
    }
}

void TTextPage::PutRowLines(int Ndx, int NewLineWid) {
    AddLinesTo(Ndx - 1, NewLineWid);
    lines_.push_back(rowLines_.Line);
}

} // namespace trx
