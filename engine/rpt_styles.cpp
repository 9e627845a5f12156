// The style model: its option table, the region style lists and the fonts,
// pens and brushes that they put on the output canvas.
#include "engine/rpt_styles.h"

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "framework/core/strings.h"

namespace trx {

TRptStyles* RptStyles = nullptr;

namespace {

template <class T>
T* FindStyle(const std::map<std::string, std::unique_ptr<T>>& List, const std::string& Key) {
    auto it = List.find(Key);
    return it == List.end() ? nullptr : it->second.get();
}

} // namespace

TRptStyles::TRptStyles() {
    using Q = TStyleOutputQuality;
    using K = TStyleObjType;
    const TStyleOutputQualitys G{Q::soqGraphical}, GL{Q::soqGraphical, Q::soqLinedraw}, L{Q::soqLinedraw}, none;
    const TStyleObjTypes grid{K::sotGrid}, both{K::sotGrid, K::sotTree}, tree{K::sotTree}, no;
    auto set = [this](TStyleOptNdx n, const char* caption, TStyleOutputQualitys q, TStyleObjTypes k) {
        StyleOpts[n] = TStyleOpt{false, caption, q, k};
    };
    using S = TStyleOptNdx;
    set(S::soFieldFormat, "Field Format", GL, grid);
    set(S::soFont, "Font", G, both);
    set(S::soFontSize, "Font Size", G, both);
    set(S::soFontColor, "Font Color", G, both);
    set(S::soFontStyle, "Font Style", G, both);
    set(S::soShading, "Shading", G, no);
    set(S::soHorizontalLines, "Horizontal Lines", GL, grid);
    set(S::soGrpBrkLines, "Group Break Lines", GL, grid);
    set(S::soVerticalLines, "Vertical Lines", GL, grid);
    set(S::soBorders, "Borders", GL, grid);
    set(S::soShareAdjBorders, "Share Adjacent Borders", L, grid);
    set(S::soColumnTitles, "Column Titles", GL, grid);
    set(S::soColumnTotals, "Column Totals", GL, no);
    set(S::soRowTitles, "", none, no);
    set(S::soLineNumbers, "Line Numbers", GL, both);
    set(S::soRowTotals, "", none, no);
    set(S::soEmptyRows, "Empty Rows", GL, no);
    set(S::soFormFeeds, "Form Feeds", L, both);
    set(S::soExpandAllNodes, "Expand all Nodes", GL, tree);
    set(S::so3D, "3D", G, no);
    for (auto& plane : MaxLineWids) plane.Fill(-1);
}

TRptStyles::~TRptStyles() { FreeAllRegStyles(true); }

void TRptStyles::FreeAllRegStyles(bool /*FreeLists*/) {
    // The lists are held by value and own their style objects; emptying them
    // frees every font, pen and brush. The lists themselves go with the object.
    FontList.clear();
    LineList.clear();
    FillList.clear();
}

std::string TRptStyles::MakeRegListKeyStr(TRegNdx Reg, TRegObjNdx ObjNdx, int ColNdx) {
    return IntToStr(Ord(Reg)) + "," + IntToStr(Ord(ObjNdx)) + "," + IntToStr(ColNdx);
}

bool TRptStyles::LoadStyle(std::string& StyleName) {
    FreeAllRegStyles(false);
    if (!ReportSettings) return false;
    if (ReportSettings->OutputQualityIsText() || ReportSettings->PrintWhat == TPrintWhat::pwWindowSnapShot) {
        StyleName.clear();
        return true;
    }
    return false;
}

// ---- Fonts -----------------------------------------------------------------

bool TRptStyles::GetFont(TRegNdx Reg, int ColNdx, bool Fallback, std::string& Name, int& Size, TFontStyles& Style,
                         TColor& Color) const {
    if (!ReportSettings) return false;
    if (TextQuality()) {
        Name = ReportSettings->TextFontName;
        Size = ReportSettings->TextFontSize;
        Style = CnvtIntToFontStyles(ReportSettings->TextFontStyle);
        Color = ReportSettings->TextFontColor;
        return true;
    }
    if (const TRegFontData* data = FindStyle(FontList, MakeRegListKeyStr(Reg, TRegObjNdx::roFont, ColNdx))) {
        ChkReplFont(data->Font, Name, Size, Style, Color);
        return true;
    }
    if (!Fallback) return false;
    bool found = false;
    if (ColNdx != 0) found = GetFont(Reg, 0, Fallback, Name, Size, Style, Color);
    if (!found && Reg != TRegNdx::rgDflt) found = GetFont(TRegNdx::rgDflt, ColNdx, Fallback, Name, Size, Style, Color);
    return found;
}

void TRptStyles::ChkReplFont(const TFont& Font, std::string& Name, int& Size, TFontStyles& Style, TColor& Color) const {
    const TtrxReportSettings* rs = ReportSettings;
    Name = Opt(TStyleOptNdx::soFont) || !rs ? Font.Name() : rs->ReplFontName;
    Size = Opt(TStyleOptNdx::soFontSize) || !rs ? Font.Size() : rs->ReplFontSize;
    Style = Opt(TStyleOptNdx::soFontStyle) || !rs ? Font.Style() : CnvtIntToFontStyles(rs->ReplFontStyle);
    Color = Opt(TStyleOptNdx::soFontColor) || !rs ? Font.Color() : rs->ReplFontColor;
}

void TRptStyles::GetFontAttrib(const TFont& Font, std::string& Name, int& Size, TColor& Color, TFontStyles& Style) {
    Name = Font.Name();
    Size = Font.Size();
    Color = Font.Color();
    Style = Font.Style();
}

bool TRptStyles::SetFont(TRegNdx Reg, int ColNdx, bool InvertIfSame, bool Fallback) {
    if (TextQuality()) {
        // Every region prints in the text font: compared where it stands.
        const TtrxReportSettings& rs = *ReportSettings;
        if (PrintSettings && PrintSettings->Canvas)
            ApplyFont(rs.TextFontName, rs.TextFontSize, CnvtIntToFontStyles(rs.TextFontStyle), rs.TextFontColor,
                      InvertIfSame);
        return true;
    }
    std::string name;
    int size = 0;
    TFontStyles style;
    TColor color = clBlack;
    if (!GetFont(Reg, ColNdx, Fallback, name, size, style, color)) return false;
    if (!PrintSettings || !PrintSettings->Canvas) return true;
    ApplyFont(name, size, style, color, InvertIfSame);
    return true;
}

void TRptStyles::ApplyFont(const std::string& Name, int Size, TFontStyles Style, TColor Color, bool InvertIfSame) {
    const int size = PrintSettings->ScaleFontSize(Size);
    TCanvas& canvas = *PrintSettings->Canvas;
    TFont& font = canvas.Font();
    if (font.Name() != Name) font.SetName(Name);
    if (font.Size() != size) font.SetSize(size);
    if (!(font.Style() == Style)) font.SetStyle(Style);
    if (font.Color() != Color) font.SetColor(Color);
    if (InvertIfSame && canvas.Brush().Color() == font.Color()) font.SetColor(font.Color() ^ 0xFFFFFF);
}

// ---- Lines and fills -------------------------------------------------------

bool TRptStyles::SetLine(bool UseStyle, TRegNdx Reg, TRegLineNdx LineNdx, bool /*Flag*/) {
    if (!PrintSettings || !PrintSettings->Canvas) return false;
    TPen& pen = PrintSettings->Canvas->Pen();
    const TRegLineData* data =
        UseStyle ? FindStyle(LineList, MakeRegListKeyStr(Reg, TRegObjNdx::roLine, Ord(LineNdx))) : nullptr;
    if (!data) {
        pen.SetColor(clNone);
        pen.SetStyle(TPenStyle::psClear);
        pen.SetWidth(0);
        return false;
    }
    pen.Assign(data->Pen);
    if (data->Pen.Style() != TPenStyle::psSolid && data->Pen.Width() <= 1) {
        const TXyDir dir = HorizontalLines.Contains(LineNdx) ? TXyDir::dY : TXyDir::dX;
        pen.SetWidth(PrintSettings->CnvtThousToUnits(data->WidThous, PrintSettings->CurUnits, dir, true));
    } else if (!data->Flag) {
        pen.SetWidth(0);
    }
    return true;
}

TBrush* TRptStyles::GetFill(bool UseStyle, TRegNdx Reg, int ColNdx, bool Fallback) {
    if (!UseStyle || FillList.empty()) return nullptr;
    if (TRegFillData* data = FindStyle(FillList, MakeRegListKeyStr(Reg, TRegObjNdx::roFill, ColNdx))) {
        if (!data->Flag) data->Brush.SetStyle(TBrushStyle::bsClear);
        return &data->Brush;
    }
    if (Fallback && ColNdx != 0) return GetFill(UseStyle, Reg, 0, false);
    return nullptr;
}

void TRptStyles::SetFill(bool UseStyle, TRegNdx Reg, int ColNdx, bool Fallback) {
    if (!PrintSettings || !PrintSettings->Canvas) return;
    TCanvas& canvas = *PrintSettings->Canvas;
    if (!UseStyle) {
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        return;
    }
    if (TBrush* brush = GetFill(UseStyle, Reg, ColNdx, Fallback)) canvas.Brush().Assign(*brush);
}

} // namespace trx
