// Column measurement: the widest and longest texts of each column per Y
// plane, their re-measuring in the current fonts and units, the placement of
// the columns on pages across between the page margins, and the text heights
// of the regions.
#include <algorithm>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/trx_errors.h"
#include "framework/core/display_width.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/string_grid.h"

namespace trx {

namespace {

using P = TRegPlaneNdx;
using U = TUnitsOfMeasure;
constexpr P YPlanes[] = {P::plFirst, P::plMiddle, P::plLast};

TCanvas* OutCanvas() { return PrintSettings ? PrintSettings->Canvas : nullptr; }

} // namespace

// ---- One row ---------------------------------------------------------------

void TObjInfo::CalcColWid(bool ScanData, TRegPlaneNdx Plane) {
    FreeMemoBuffer();
    if (Plane == P::plFirst) {
        for (int i = 0; i < ColCount(); ++i) {
            const TColsListData& col = Col(i);
            if (col.FldCalc != TFldCalc::fcLineNum) continue;
            CurXPlane = P::plAll;
            ChkForFontChange(CurXPlane, col.XPlane, P::plFirst);
            ChkFldStr(i, GetMaxLineNumStr(true), TFieldType::ftUnknown, P::plFirst);
            CurXPlane = P::plAll;
            ChkForFontChange(CurXPlane, col.XPlane, P::plMiddle);
            ChkFldStr(i, GetMaxLineNumStr(false), col.FieldType, P::plMiddle);
        }
    }

    // Without the data, a grid column is as wide as it shows on screen: a
    // sample of as many characters as fit in that width.
    auto onScreen = [&](int i, const std::string& Text, int ScreenWid, TCanvas& GridCanvas) {
        const int count = MulDiv(ScreenWid, DisplayWidth(Text), GridCanvas.TextWidth(Text));
        const std::string sample = count > 0 ? std::string(static_cast<std::size_t>(count), 'x') : std::string();
        const int wid = PrintSettings ? PrintSettings->CnvtScrPixToOutPix(ScreenWid, TXyDir::dX) : ScreenWid;
        ChkFldLng(sample, i, wid, Length(sample), Plane);
    };

    // The canvas font's fixed character width, asked once after each font
    // change: every text of a row is measured in the font of its plane.
    int charWid = -1;
    auto fontChange = [&](TRegPlaneNdx XPlane) {
        if (XPlane == CurXPlane) return;
        ChkForFontChange(CurXPlane, XPlane, Plane);
        charWid = -1;
    };
    auto askCharWid = [&] {
        if (charWid < 0) charWid = OutCanvas() ? OutCanvas()->FixedCharWidth() : 0;
    };
    auto chkFldStr = [&](int i, const std::string& Text, TFieldType FieldType) {
        askCharWid();
        ChkFldStr(i, Text, FieldType, Plane, charWid);
    };
    // A data field's text of Len bytes counts only when it is, capped as
    // ChkFldStr caps it, longer or wider than the column's longest and
    // widest yet (the bytes of a text are never fewer than its cells).
    auto withinMaxima = [&](const TColsListData& col, int Len) {
        askCharWid();
        if (charWid <= 0 || Len < 0) return false;
        int wid = Len * charWid;
        CapFldSize(col.FieldType, Plane, Len, wid);
        const TUnitsArray<TColStrWid>& maxima = col.StrWids[Plane];
        return Len <= maxima[U::umTxt].Wid && wid <= maxima[U::umPix].Wid;
    };
    // When the field knows the length of its text, the others need not be
    // written at all.
    const bool fieldTexts =
        ScanData && Plane == P::plMiddle && DataSet &&
        (ObjType == TObjType::IsTable || ObjType == TObjType::IsQuery || ObjType == TObjType::IsDataSet);
    auto noNewMaximum = [&](const TColsListData& col) {
        if (!fieldTexts || !IsRecordedCol(col)) return false;
        if (!withinMaxima(col, DataSet->Fields(col.FieldIndex)->TextLength(Formatted))) return false;
        if (MemoBuf || MemoSize != 0) FreeMemoBuffer(); // as reading the text would
        return true;
    };

    const bool recording = fieldTexts && ScannedRows.Recording();
    // Data rows one after the other keep the font the row before left: the
    // font is selected anew only where the X plane changes.
    CurXPlane = Plane == P::plMiddle ? DataRowFont : P::plAll;
    DataRowFont = P::plAll;
    for (int i = 0; i < ColCount(); ++i) {
        const TColsListData& col = Col(i);
        switch (ObjType) {
        case TObjType::IsDBGrid: {
            if (col.FldCalc == TFldCalc::fcLineNum) break;
            fontChange(col.XPlane);
            GetColData(Plane, i, true, ScanText);
            const std::string& text = ScanText;
            if (ScanData) {
                chkFldStr(i, text, col.FieldType);
            } else if (DBGrid && col.ColNdx >= 0 && col.ColNdx < DBGrid->Columns().Count()) {
                onScreen(i, text, DBGrid->Columns()[col.ColNdx]->Width(), DBGrid->Canvas());
            }
            break;
        }
        case TObjType::IsStringGrid: {
            if (!ScanData && col.FldCalc == TFldCalc::fcLineNum) break; // measured with its line numbers
            fontChange(col.XPlane);
            GetColData(Plane, i, ScanData, ScanText);
            const std::string& text = ScanText;
            if (ScanData) {
                chkFldStr(i, text, col.FieldType);
            } else if (StringGrid && col.ColNdx >= 0 && col.ColNdx < StringGrid->ColCount()) {
                onScreen(i, text, StringGrid->ColWidths(col.ColNdx), StringGrid->Canvas());
            }
            break;
        }
        case TObjType::IsTable:
        case TObjType::IsQuery:
        case TObjType::IsDataSet:
        case TObjType::IsDecGrid: {
            fontChange(col.XPlane);
            // A recorded text is read whether or not it is a new maximum.
            const bool record = recording && static_cast<std::size_t>(i) < RecordedCols.size() &&
                                RecordedCols[static_cast<std::size_t>(i)];
            if (!record && noNewMaximum(col)) break;
            GetColData(Plane, i, ScanData, ScanText);
            if (record) {
                ScannedRows.AddText(ScanText);
                if (withinMaxima(col, static_cast<int>(ScanText.size()))) break;
            }
            chkFldStr(i, ScanText, col.FieldType);
            break;
        }
        default: return;
        }
    }
    if (recording) ScannedRows.EndRow();
    if (Plane == P::plMiddle) DataRowFont = CurXPlane;
}

// ---- Caps and maxima -------------------------------------------------------

void TObjInfo::ChkFldStr(int ColNdx, const std::string& Text, TFieldType FieldType, TRegPlaneNdx Plane) {
    ChkFldStr(ColNdx, Text, FieldType, Plane, 0);
}

void TObjInfo::ChkFldStr(int ColNdx, const std::string& Text, TFieldType FieldType, TRegPlaneNdx Plane, int CharWid) {
    if (!PrintSettings || !ReportSettings) return;
    // A text's length is the cells it takes on the character grid.
    int len = DisplayWidth(Text);
    int wid = CharWid > 0 ? len * CharWid : (OutCanvas() ? OutCanvas()->TextWidth(Text) : 0);
    CapFldSize(FieldType, Plane, len, wid);
    ChkFldLng(Text, ColNdx, wid, len, Plane);
}

void TObjInfo::CapFldSize(TFieldType FieldType, TRegPlaneNdx Plane, int& Len, int& Wid) const {
    const TPrintSettings& ps = *PrintSettings;
    const TtrxReportSettings& rs = *ReportSettings;
    const TFieldType kind = Plane == P::plFirst ? TFieldType::ftString : FieldType;
    const U units = ps.CurUnits;
    const int cell = ps.CharCell[TXyDir::dX][U::umPix];
    if (kind == TFieldType::ftMemo) {
        if ((units == U::umPix && Wid > rs.MaxMemoColWid[U::umPix]) ||
            (units == U::umTxt && Len > rs.MaxMemoColWid[U::umTxt])) {
            Len = rs.MaxMemoColWid[U::umTxt];
            Wid = rs.MaxMemoColWid[U::umPix];
        }
    } else if (kind == TFieldType::ftString) {
        if (units == U::umPix && Wid > rs.MaxStringColWid[U::umPix]) {
            // Without a character cell the length cannot be derived; keep the text's.
            if (cell > 0) Len = rs.MaxStringColWid[U::umPix] / cell;
            Wid = rs.MaxStringColWid[U::umPix];
        } else if (units == U::umTxt && Len > rs.MaxStringColWid[U::umTxt]) {
            Len = rs.MaxStringColWid[U::umTxt];
            Wid = cell * Len;
        }
    }
}

void TObjInfo::ChkFldLng(const std::string& Text, int ColNdx, int Wid, int Len, TRegPlaneNdx Plane) {
    if (ColNdx < 0 || ColNdx >= ColCount()) return;
    TUnitsArray<TColStrWid>& maxima = Col(ColNdx).StrWids[Plane];
    if (Len > maxima[U::umTxt].Wid) maxima[U::umTxt] = TColStrWid{Len, Text};
    if (Wid > maxima[U::umPix].Wid) maxima[U::umPix] = TColStrWid{Wid, Text};
}

// ---- Re-measuring ----------------------------------------------------------

void TObjInfo::ResizeColWids(TPanel* PagesAcrossPanel) {
    ResetColsList(false);
    const U units = PrintSettings ? PrintSettings->CurUnits : U::umPix;
    for (P plane : YPlanes) {
        CurXPlane = P::plAll;
        for (int i = 0; i < ColCount(); ++i) {
            const TColsListData& col = Col(i);
            ChkForFontChange(CurXPlane, col.XPlane, plane);
            const std::string text = col.StrWids[plane][units].Str; // ChkFldStr may replace it
            ChkFldStr(i, text, col.FieldType, plane);
        }
    }
    for (int i = 0; i < ColCount(); ++i) {
        TColStrWids& w = Col(i).StrWids;
        w[P::plAll][units].Wid =
            std::max({w[P::plFirst][units].Wid, w[P::plMiddle][units].Wid, w[P::plLast][units].Wid});
    }
    CalcColPosns(PagesAcrossPanel);
}

// ---- Pages across ----------------------------------------------------------

void TObjInfo::CalcColPosns(TPanel* PagesAcrossPanel) {
    if (!PrintSettings || !ReportSettings || !RptStyles) return;
    TPrintSettings& ps = *PrintSettings;
    TtrxReportSettings& rs = *ReportSettings;
    TRptStyles& st = *RptStyles;
    const U units = ps.CurUnits;

    for (int i = 0; i < ColCount(); ++i) {
        TColStrWids& w = Col(i).StrWids;
        for (U u : {U::umTxt, U::umPix})
            w[P::plAll][u].Wid = std::max({w[P::plFirst][u].Wid, w[P::plMiddle][u].Wid, w[P::plLast][u].Wid});
    }

    ps.LeftMarginX = rs.PageMargin[units].Left;
    ps.RightLimitX = ps.PageWid - rs.PageMargin[units].Right;
    const int available = ps.RightLimitX - ps.LeftMarginX;
    ps.LastPage = LastPageUnknown;
    st.CalcMaxLineWids();

    const TRect& margin = rs.CellMargin[units];
    int x = 1; // position of the next column on its page
    int page = 1; // page across
    int onPage = 0; // columns on this page
    int titleWid = 0;
    int lineNumPage = -1;
    P prevPlane = P::plAll;
    ps.PagesAcross = 0;
    AddDelLineNumberCol(false, -1, ps.LineNumbersOn);

    // The line kinds of column I and their widths.
    auto getColLineWids = [&](int I, bool FirstOnPage, int& LeftWid, int& RightWid) {
        TColsListData& col = Col(I);
        st.GetVertLines(I, FirstOnPage, col.XPlane, col.LeftLine, col.RightLine);
        LeftWid = st.MaxLineWid(col.XPlane, col.LeftLine);
        RightWid = col.RightLine == TRegLineNdx::liBorderRight ? st.MaxLineWid(col.XPlane, col.RightLine) : 0;
    };

    for (int i = 0; i < ColCount();) {
        TColsListData& col = Col(i);
        col.FirstOnPage = col.LastOnPage = false;
        col.LastOfPlane = i == ColCount() - 1 || Col(i + 1).XPlane != col.XPlane;
        col.FirstOfPlane = col.XPlane != prevPlane;
        if (onPage == 0) titleWid = 0;

        int leftWid = 0, rightWid = 0;
        getColLineWids(i, onPage == 0, leftWid, rightWid);
        int content = col.StrWids[P::plAll][units].Wid;
        int total = margin.Left + leftWid + content + margin.Right + rightWid;

        const bool overflow = x + total > available;
        bool keep = false, tooWide = false;
        if (overflow) {
            // A page that holds no column yet, or only its line-number
            // column, keeps the column and narrows it.
            keep = onPage == 0 || (onPage == 1 && ps.LineNumbersOn && i > 0 &&
                                   Col(i - 1).FldCalc == TFldCalc::fcLineNum && Col(i - 1).PageAcross == page);
            tooWide = total > available + 1;
            if (!keep) {
                if (col.XPlane == P::plFirst && rs.RepeatRowTitles) {
                    const TModalResult answer = MessageDlg(
                        "Row Titles are too large to fit on a single page\r"
                        "Is it ok to print the row titles on more than 1 page?",
                        TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel}, 800);
                    if (answer != mrYes)
                        throw ETrxSUError(std::string(SetupErrorPrefix) +
                                          "Report PageSize Problem\rPage is too narrow for repeating row titles\r"
                                          "Turn off Repeating Row Titles in report options or use wider paper");
                    rs.RepeatRowTitles = false;
                }
                ++page;
                onPage = rs.RepeatRowTitles ? ps.RepeatedRowTiCols : 0;
                titleWid = 0;
                x = 1;
            }
        }

        if (col.FldCalc == TFldCalc::fcLineNum) lineNumPage = page;
        if (onPage == 0) {
            if (col.XPlane != P::plFirst && lineNumPage != page && ps.LineNumbersOn) {
                // Every page across that starts with data starts with line numbers.
                AddDelLineNumberCol(true, i, false);
                continue;
            }
            const int oldLeft = leftWid;
            getColLineWids(i, true, leftWid, rightWid);
            total += leftWid - oldLeft;
        }

        if (overflow) {
            // The column ends within the available width, a right border that
            // the page's last column gets later included.
            const int finalRight = ps.BordersOn ? st.MaxLineWid(col.XPlane, TRegLineNdx::liBorderRight) : 0;
            const int limit = available - x + 1 - std::max(0, finalRight - rightWid);
            int narrowed = keep ? available - x : total;
            if (tooWide) narrowed = available - titleWid;
            total = std::min(narrowed, limit);
            content = std::max(0, total - leftWid - margin.Left - margin.Right - rightWid);
            total = margin.Left + leftWid + content + margin.Right + rightWid;
        }

        const int spare = total - leftWid - rightWid - margin.Left - margin.Right -
                          std::max(col.StrWids[P::plMiddle][units].Wid, col.StrWids[P::plLast][units].Wid);
        col.XPos = col.LeftLineX = x;
        col.LeftLineWid = leftWid;
        col.ContentWid = content;
        col.SpareLeft = std::max(0, spare / 2);
        col.SpareRight = std::max(0, spare - col.SpareLeft);
        col.TotalWid = total;
        col.PageAcross = page;
        ps.PagesAcross = page;
        col.EndX = x + total;
        col.RightLineWid = rightWid;

        x += total + rightWid; // an unshared right border leaves a gap of its width
        prevPlane = col.XPlane;
        if (col.XPlane == P::plFirst || col.FldCalc == TFldCalc::fcLineNum) titleWid += total;
        ++onPage;
        ++i;
    }

    int prevPage = -1;
    for (int i = 0; i < ColCount(); ++i) {
        TColsListData& col = Col(i);
        if (i == ColCount() - 1 || Col(i + 1).PageAcross != col.PageAcross) {
            col.LastOnPage = true;
            col.TotalWid -= col.RightLineWid;
            col.RightLine = ps.BordersOn ? TRegLineNdx::liBorderRight : TRegLineNdx::liLineNone;
            col.RightLineWid = st.MaxLineWid(col.XPlane, col.RightLine);
            col.TotalWid += col.RightLineWid;
        }
        col.FirstOnPage = col.PageAcross != prevPage;
        prevPage = col.PageAcross;
    }

    CalcTextHts();

    if (PagesAcrossPanel) {
        if (ps.PagesAcross == 1) {
            PagesAcrossPanel->SetCaption("1 Page Across");
            PagesAcrossPanel->SetColor(clBtnFace);
        } else {
            PagesAcrossPanel->SetCaption(Format("%d Pages Across", {ps.PagesAcross}));
            PagesAcrossPanel->SetColor(ps.ToPrinter || ps.ToFile ? clYellow : clBtnFace);
        }
    }
}

// ---- Text heights ----------------------------------------------------------

void TObjInfo::CalcTextHts() {
    if (!RptStyles) return;
    TRptStyles& st = *RptStyles;
    st.RegTextHts.Fill(0);
    for (auto& rows : st.PlaneRows) rows.TextHt = 0;
    const bool text = TextQuality();
    TCanvas* canvas = OutCanvas();

    for (P plane : YPlanes) {
        CurXPlane = P::plAll; // another Y plane is another region: select its font anew
        for (int i = 0; i < ColCount(); ++i) {
            const TColsListData& col = Col(i);
            TRegNdx reg = TRegNdx::rgDflt;
            st.CnvtColNdxToRegNdx(i, plane, reg);
            ChkForFontChange(CurXPlane, col.XPlane, plane);
            const int h = text ? 1 : (canvas ? canvas->TextHeight(col.StrWids[plane][U::umPix].Str) : 0);
            st.RegTextHts[reg] = std::max(st.RegTextHts[reg], h);
            st.PlaneRows[plane].TextHt = std::max(st.PlaneRows[plane].TextHt, h);
        }
    }
    CurXPlane = P::plAll;
    for (int r = 0; r < RegNdxCount; ++r) {
        const auto reg = static_cast<TRegNdx>(r);
        if (PrimaryRegs.Contains(reg)) continue;
        st.SetFont(reg, 0, false, true);
        // A text line is one unit high in text quality.
        st.RegTextHts[reg] = text ? 1 : (canvas ? canvas->TextHeight("TygW") : 0);
    }
}

} // namespace trx
