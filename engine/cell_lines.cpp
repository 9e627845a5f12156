// Table lines and borders of a cell: runs of line-drawing characters in the
// text page buffer with the junction character at each end, or pen lines and
// brush fills on the output canvas.
#include <algorithm>

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "framework/core/code_page_437.h"
#include "framework/core/display_width.h"

namespace trx {

namespace {

std::string_view LineChr(char Chr) { return Cp437CharToUtf8(static_cast<unsigned char>(Chr)); }

} // namespace

void TPrintSettings::PrintCellFill(const TRect& Rect) {
    if (TextQuality() || !Canvas) return;
    TPen& pen = Canvas->Pen();
    const int width = pen.Width();
    const TPenStyle style = pen.Style();
    pen.SetStyle(TPenStyle::psClear);
    pen.SetWidth(0);
    Canvas->Rectangle(Rect);
    pen.SetWidth(width);
    pen.SetStyle(style);
}

void TPrintSettings::PrintCellTextLine(TRegNdx /*Reg*/, char StartChr, char MidChr, char EndChr, int X1, int Y1, int X2,
                                       int Y2) {
    if (!TextPage || X1 < 1 || X2 < X1 || Y1 < 0 || Y2 < Y1) return;
    if (X1 == X2) {
        PrintTextVertLine(StartChr, X1, Y1, Y2);
        return;
    }
    if (RowLines.Noting) RowLines.Failed = true;
    const int lineLen = std::max(0, std::min(XOffset + TableWid, PageWid));
    while (TextPage->Count() < Y2 + 1) TextPage->Add(std::string(static_cast<std::size_t>(lineLen), ' '));
    const char endChr = EndChr != ' ' ? EndChr : MidChr;
    for (int y = Y1; y <= Y2; ++y) {
        if (IsUtf8Line(y)) {
            std::string& run = LineRun;
            run.assign(LineChr(StartChr));
            const std::string_view mid = LineChr(MidChr);
            for (int x = X1 + 1; x < X2; ++x) run += mid;
            run += LineChr(endChr);
            PageCells.PutCells(TextPage->Ref(y), y, X1, X2 - X1 + 1, run);
            continue;
        }
        std::string& s = TextPage->Ref(y);
        if (Length(s) < X2) s.resize(static_cast<std::size_t>(X2), ' ');
        s[static_cast<std::size_t>(X1 - 1)] = StartChr;
        if (X2 - X1 > 1) std::fill_n(s.begin() + X1, X2 - X1 - 1, MidChr);
        s[static_cast<std::size_t>(X2 - 1)] = endChr;
    }
}

void TPrintSettings::PrintTextVertLine(char Chr, int X, int Y1, int Y2) {
    if (!TextPage || X < 1 || Y1 < 0 || Y2 < Y1) return;
    if (RowLines.Noting) NoteRowLine(Chr, X, Y1, Y2);
    if (TextPage->Count() < Y2 + 1) {
        const int lineLen = std::max(0, std::min(XOffset + TableWid, PageWid));
        do TextPage->Add(std::string(static_cast<std::size_t>(lineLen), ' '));
        while (TextPage->Count() < Y2 + 1);
    }
    for (int y = Y1; y <= Y2; ++y) {
        std::string& s = TextPage->Ref(y);
        if (IsUtf8Line(y)) {
            PageCells.PutCells(s, y, X, 1, LineChr(Chr));
            continue;
        }
        if (Length(s) < X) s.resize(static_cast<std::size_t>(X), ' ');
        s[static_cast<std::size_t>(X - 1)] = Chr;
    }
}

void TPrintSettings::NoteRowLine(char Chr, int X, int Y1, int Y2) {
    // The row's line must be new, made by its first line character.
    if (Y1 != Y2 || (RowLines.Chrs.empty() && TextPage->Count() > Y1)) RowLines.Failed = true;
    RowLines.Chrs.emplace_back(X, Chr);
}

void TPrintSettings::EndRowLines() {
    RowLines.Noting = false;
    RowLines.Valid = !RowLines.Failed && !RowLines.Chrs.empty();
    if (!RowLines.Valid) return;
    std::string& line = RowLines.Line;
    line.assign(static_cast<std::size_t>(std::max(0, std::min(XOffset + TableWid, PageWid))), ' ');
    for (const auto& [x, chr] : RowLines.Chrs) {
        if (Length(line) < x) line.resize(static_cast<std::size_t>(x), ' ');
        line[static_cast<std::size_t>(x - 1)] = chr;
    }
}

void TPrintSettings::PutRowLines(int Ndx) {
    const int lineLen = std::max(0, std::min(XOffset + TableWid, PageWid));
    while (TextPage->Count() < Ndx) TextPage->Add(std::string(static_cast<std::size_t>(lineLen), ' '));
    TextPage->Add(RowLines.Line);
}

std::string& TPrintSettings::Utf8PageLine(int Ndx) {
    std::string& line = PageLine(Ndx);
    if (IsUtf8Line(Ndx)) return line;
    if (Utf8Lines.size() <= static_cast<std::size_t>(Ndx)) Utf8Lines.resize(static_cast<std::size_t>(Ndx) + 1);
    Utf8Lines[static_cast<std::size_t>(Ndx)] = true;
    if (!IsAscii(line)) line = Cp437ToUtf8(line);
    return line;
}

const std::string& TPrintSettings::PageLineUtf8(int Ndx, std::string& Scratch) const {
    const std::string& line = TextPage->Ref(Ndx);
    if (IsUtf8Line(Ndx) || IsAscii(line)) return line;
    Scratch.clear();
    AppendCp437AsUtf8(Scratch, line);
    return Scratch;
}

std::string TPrintSettings::TextPageLine(int Ndx) const {
    std::string scratch;
    return PageLineUtf8(Ndx, scratch);
}

void TPrintSettings::ClearTextPage() {
    TextPage->Clear();
    Utf8Lines.clear();
    RowLines.Noting = RowLines.Valid = false;
}

void TPrintSettings::GetLineChrNdxs(bool FirstOnPage, TRegPlaneNdx Plane, TLDGridH& Row, TLDGridV& StartCol,
                                    TLDGridV& MidCol, TLDGridV& EndCol, bool HasRight, bool HasLeft) const {
    using H = TLDGridH;
    using V = TLDGridV;
    const bool titles = Plane == TRegPlaneNdx::plFirst;
    const int cur = CurColNdx, gb = FirstNonBlkColNdx;
    // A shared border between two blocks of rows is a separating line.
    if (Row == H::hldTop && BordersOn && FirstRow && !titles && !NoRowYet && ShareAdjBordersOn) Row = H::hldHLine;
    const bool joined = !titles && Row == H::hldHLine && BordersOn && FirstRow;

    if (HasLeft && BordersOn && (!ShareAdjBordersOn || FirstOnPage)) {
        StartCol = GrpBrkThisRow && cur < gb ? V::vldVLine : V::vldLeft;
    } else if (!FirstOnPage && (VertLinesOn || (HasLeft && ShareAdjBordersOn))) {
        if (HorizLinesOn || joined || (GrpBrkThisRow && cur > gb))
            StartCol = V::vldVHLine;
        else if (GrpBrkThisRow && cur == gb)
            StartCol = V::vldGBLine;
        else
            StartCol = V::vldVLine;
    } else {
        const bool hLine = HorizLinesOn || (GrpBrkThisRow && cur > gb) ||
                           (BordersOn && (Row == H::hldTop || Row == H::hldHLine) && FirstRow) || Row == H::hldBottom;
        StartCol = hLine ? V::vldHLine : V::vldBlank;
    }

    switch (Row) {
    case H::hldTop:
    case H::hldBottom: MidCol = BordersOn ? V::vldData : V::vldBlank; break;
    case H::hldHLine: MidCol = HorizLinesOn || (GrpBrkThisRow && cur >= gb) || joined ? V::vldData : V::vldBlank; break;
    case H::hldData: MidCol = V::vldBlank; break;
    }
    EndCol = HasRight && BordersOn ? V::vldRight : V::vldBlank;
}

void TPrintSettings::PrintCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LineNdx, bool HasLeft,
                                   bool HasRight, const TRect& CellRect, const TRect& LineWids) {
    using L = TRegLineNdx;
    if (!RptStyles || !RptStyles->IsLineNeeded(Plane, LineNdx)) return;

    if (TextQuality()) {
        PrintTextCellLine(FirstOnPage, Plane, LineNdx, HasLeft, HasRight, CellRect, LineWids);
        return;
    }

    if (!Canvas || !RptStyles->SetLine(true, Reg, LineNdx, true)) return;
    auto line = [&](int x1, int y1, int x2, int y2) {
        Canvas->MoveTo(x1, y1);
        Canvas->LineTo(x2, y2);
    };
    switch (LineNdx) {
    case L::liBorderLeft:
    case L::liLineVert: line(CellRect.Left, CellRect.Top, CellRect.Left, CellRect.Bottom); break;
    case L::liBorderRight: line(CellRect.Right, CellRect.Top, CellRect.Right, CellRect.Bottom); break;
    case L::liBorderTop:
    case L::liLineHoriz: line(CellRect.Left, CellRect.Top, CellRect.Right, CellRect.Top); break;
    case L::liBorderBottom: line(CellRect.Left, CellRect.Bottom, CellRect.Right, CellRect.Bottom); break;
    default: break;
    }
}

void TPrintSettings::PrintTextCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegLineNdx LineNdx, bool HasLeft,
                                       bool HasRight, const TRect& CellRect, const TRect& LineWids) {
    using L = TRegLineNdx;
    using H = TLDGridH;
    using V = TLDGridV;
    const TLineDraw set = ReportSettings->LineDraw;
    auto G = [&](H r, V c) { return ReportSettings->GridChr(set, r, c); };
    auto vertical = [&](char ch, int x) { PrintTextVertLine(ch, x, CellRect.Top + LineWids.Top, CellRect.Bottom); };
    auto horizontal = [&](H row, int y) {
        V startCol = V::vldBlank, midCol = V::vldBlank, endCol = V::vldBlank;
        GetLineChrNdxs(FirstOnPage, Plane, row, startCol, midCol, endCol, HasRight, HasLeft);
        PrintCellTextLine(TRegNdx::rgDflt, G(row, startCol), G(row, midCol), G(row, endCol), CellRect.Left, y,
                          CellRect.Right, y);
    };
    switch (LineNdx) {
    case L::liBorderLeft: vertical(G(H::hldData, V::vldLeft), CellRect.Left); break;
    case L::liBorderRight: vertical(G(H::hldData, V::vldRight), CellRect.Right); break;
    case L::liLineVert: {
        H row = H::hldData;
        V startCol = V::vldBlank, midCol = V::vldBlank, endCol = V::vldBlank;
        GetLineChrNdxs(FirstOnPage, Plane, row, startCol, midCol, endCol, HasRight, HasLeft);
        vertical(G(row, startCol), CellRect.Left);
        break;
    }
    case L::liBorderTop: horizontal(H::hldTop, CellRect.Top); break;
    case L::liLineHoriz: horizontal(H::hldHLine, CellRect.Top); break;
    case L::liBorderBottom: horizontal(H::hldBottom, CellRect.Bottom); break;
    default: break;
    }
}

void TPrintSettings::PrintCellLines(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LeftKind,
                                    TRegLineNdx RightKind, bool HasLeft, bool HasRight, const TRect& CellRect,
                                    const TRect& LineWids) {
    GrpBrkThisRow = Plane == TRegPlaneNdx::plMiddle && GrpBrkLinesOn && FirstNonBlkColNdx >= 0 &&
                    FirstNonBlkColNdx < PrevFirstNonBlkColNdx;
    if (RptStyles && TextQuality()) {
        // As below, with the quality asked once.
        TRegLineNdx kind = TRegLineNdx::liLineHoriz;
        if (RowNeedsLine(kind)) PrintTextCellLine(FirstOnPage, Plane, kind, HasLeft, HasRight, CellRect, LineWids);
        kind = LeftKind;
        if (RowNeedsLine(kind)) PrintTextCellLine(FirstOnPage, Plane, kind, false, false, CellRect, LineWids);
        kind = TRegLineNdx::liBorderRight;
        if (RightKind == kind && RowNeedsLine(kind))
            PrintTextCellLine(FirstOnPage, Plane, kind, false, false, CellRect, LineWids);
        return;
    }
    PrintCellLine(FirstOnPage, Plane, Reg, TRegLineNdx::liLineHoriz, HasLeft, HasRight, CellRect, LineWids);
    PrintCellLine(FirstOnPage, Plane, Reg, LeftKind, false, false, CellRect, LineWids);
    if (RightKind == TRegLineNdx::liBorderRight)
        PrintCellLine(FirstOnPage, Plane, Reg, TRegLineNdx::liBorderRight, false, false, CellRect, LineWids);
}

} // namespace trx
