// Construction of the style model and its option table.
#include "engine/rpt_styles.h"

namespace trx {

TRptStyles* RptStyles = nullptr;

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
    FontList.clear();
    LineList.clear();
    FillList.clear();
}

} // namespace trx
