// The General page: what to print, formatting, column auto-size and record counting.
#include "ui/options_layout_parts.h"

namespace trx {

namespace {

const char* const Page = "nbOptions.General";
const char* const Fmt = "gbFormattingOptions";

// One row of the formatting group: a right-aligned label and its edit.
void FormatRow(std::vector<TControlDesc>& C, int Row, const char* Label, const char* Edit, const char* Caption,
               const char* Hint, TPropList Events = NumericEvents(), bool Visible = true) {
    const int top = 16 + Row * 22;
    C.push_back(RightLabel(Label, Fmt, {4, top + 3, 150, 16}, Caption));
    TPropList props;
    if (!Visible) props.emplace_back("Visible", "False");
    C.push_back(Ctl("TEdit", Edit, Fmt, {158, top, 50, 21}, "", Hint, std::move(props), std::move(Events)));
    if (!Visible) C[C.size() - 2].Props.emplace_back("Visible", "False");
}

} // namespace

std::vector<TControlDesc> GeneralPageControls() {
    std::vector<TControlDesc> c;

    // Print What? The tags are the print choices.
    c.push_back(Ctl("TGroupBox", "gbPrintWhat", Page, {4, 2, 196, 226}, "Print What?"));
    struct TRadio {
        const char* Name;
        const char* Caption;
        const char* Hint;
    };
    const TRadio radios[] = {
        {"rbPrintWhatAll", "&Entire Tree/Grid", "Print everything"},
        {"rbPrintWhatCurrentPage", "Current &Page",
         "Print page that is displayed|Print 1 page starting at the current record"},
        {"rbPrintWhatCurrentBranchAll", "Current &Branch (All)", ""},
        {"rbPrintWhatCurrentBranchDown", "Current Branch (&Down)", ""},
        {"rbPrintWhatTestPage", "&Test Page",
         "Print 1 test page|Prints 1 page and then asks user if they want to continue"},
        {"rbPrintWhatWindowSnapshot", "&Window Snapshot:",
         "Prints Image of Window Graphically|Entire window is printed graphically (non-text) to the printer"},
        {"rbPrintWhatPageRange", "Page Range",
         "Print pages within a page range|Page range Example: From: 1 to 10 or From: 1-3 to 1-5"},
    };
    for (int i = 0; i < 7; ++i)
        c.push_back(Ctl("TRadioButton", radios[i].Name, "gbPrintWhat", {8, 16 + i * 20, 180, 17}, radios[i].Caption,
                        radios[i].Hint, {{"Tag", std::to_string(i)}}, {{"OnClick", "rbPrintWhatAllClick"}}));
    c.push_back(Ctl("TLabel", "lbPageRangeFrom", "gbPrintWhat", {24, 163, 30, 16}, "From:"));
    c.push_back(Ctl("TEdit", "edPageRangeFrom", "gbPrintWhat", {56, 159, 44, 21}, "",
                    "Starting page#|First page to start printing "));
    c.push_back(Ctl("TLabel", "lbPageRangeTo", "gbPrintWhat", {106, 163, 20, 16}, "To:"));
    c.push_back(
        Ctl("TEdit", "edPageRangeTo", "gbPrintWhat", {128, 159, 44, 21}, "", "Ending page#|Last page# to print"));
    c.push_back(Ctl("TComboBox", "cmbSnapshotSize", "gbPrintWhat", {8, 190, 180, 21}, "",
                    "Printed window size|Determines size of the snapshot window on the printed page", {},
                    {{"OnChange", "cmbSnapshotSizeChange"}, {"OnExit", "cbxGenericExit"}},
                    {"Current Window Size with Proportional Scale", "Current Window Size with Print To Fit",
                     "Current Window Size with Same Scale", "Maximize Window with Proportional Scale",
                     "Maximize Window with Print To Fit", "Maximize Window with Same Scale"}));

    // Formatting Options.
    c.push_back(Ctl("TGroupBox", Fmt, Page, {204, 2, 236, 270}, "Formatting Options"));
    FormatRow(c, 0, "lbPanelsAcrossPage", "edPanelsAcrossPage",
              "Panels Across Page:", "Newspaper panels across page|Narrow grids can print up to 10 across the page");
    FormatRow(c, 1, "lbInterPanelGap", "edInterPanelGap", "Inter-Panel Gap:", "Space between panels");
    FormatRow(c, 2, "lbNodeIndentation", "edNodeIndentation", "Node Indentation:", "");
    FormatRow(c, 3, "lbHorizLineFreq", "edHorizLineFreq", "Horiz. Line Frequency:", "", NumericEvents(), false);
    FormatRow(c, 4, "lbVertHtAdjPer", "edVertHtAdjPer", "Vert. Height Adj.:", "", NumericEvents(), false);
    c.push_back(Ctl("TLabel", "lbVertHtAdjPerPercentSymbol", Fmt, {212, 107, 12, 16}, "%", "", {{"Visible", "False"}}));
    const TPropList widthExit{{"OnKeyPress", "edNumericOnlyKeyPress"}, {"OnExit", "edMaxMemoColWidExit"}};
    FormatRow(c, 5, "lbMaxStringColWid", "edMaxStringColWid",
              "Max String Column Width:", "Maximum String column width in characters", widthExit);
    FormatRow(c, 6, "lbMaxMemoColWid", "edMaxMemoColWid",
              "Max Memo Column Width:", "Max Memo column width in characters", widthExit);
    FormatRow(c, 7, "lbMaxStringLines", "edMaxStringLines",
              "Max # of String Lines:", "Max # of wordwrapped lines for string cell");
    FormatRow(c, 8, "lbMaxMemoLines", "edMaxMemoLines", "Max # of Memo Lines",
              "Max # of wordwrapped lines for memo cell");
    FormatRow(c, 9, "lbStartingReportLineId", "edStartingReportLineId", "Starting Line# Id:",
              "Line# column starts at this value|Line# is an optional incrementing column that starts at this value. "
              "See Include on Styles Page",
              {{"OnChange", "edStartingReportLineIdChange"}});
    c[c.size() - 2].Hint = "First Line# Id for the report (Default=1)";
    c.push_back(RightLabel("lbColTitlesAlignment", Fmt, {4, 245, 88, 16}, "Col&umn Titles:"));
    c.push_back(Ctl("TComboBox", "cbxColTitleAlignment", Fmt, {96, 242, 132, 21}, "",
                    "Column Title Justification|Column titles can be Left, Right, Center justified within column width",
                    {}, ItemComboEvents("cbxColTitleAlignmentChange"),
                    {"Left Justify", "Right Justify", "Center Justify"}));

    // Snugfitting(TM).
    c.push_back(Ctl("TGroupBox", "gbSnugfitting", Page, {444, 2, 184, 76}, "Snugfitting(TM)"));
    c.push_back(Ctl("TComboBox", "cbxSnugfit", "gbSnugfitting", {6, 18, 174, 21}, "", "Method to calc column widths|",
                    {}, ItemComboEvents("cbxSnugfitChange"),
                    {"AutoSize All Rows", "Limit Rows to AutoSize", "Use Current Column Sizes"}));
    c.push_back(Ctl("TLabel", "lbMaxRowsToSnugfit", "gbSnugfitting", {8, 50, 96, 16}, "Snugfit Row Limit"));
    c.push_back(Ctl("TEdit", "edMaxRowsToSnugfit", "gbSnugfitting", {110, 46, 66, 21}, "",
                    "# of records to read for Snugfitting|200 rows should be sufficient to autosize the columns", {},
                    NumericEvents()));

    // Dataset Record Counting.
    c.push_back(Ctl("TGroupBox", "gbDatasetRowCounting", Page, {444, 82, 184, 96}, "Dataset Record Counting"));
    c.push_back(Ctl("TRadioButton", "rbCountNumRcds", "gbDatasetRowCounting", {8, 16, 170, 17},
                    "Physically Count Records",
                    "Count the # of records|Can be quite slow for TQuery so use \"Estimate\" instead", {},
                    {{"OnClick", "rbCountNumRcdsClick"}}));
    c.push_back(Ctl("TRadioButton", "rbEstimateNumRcds", "gbDatasetRowCounting", {8, 36, 170, 17},
                    "Estimate # of Records", "Use estimate to speed up large TQuery datasets", {},
                    {{"OnClick", "rbCountNumRcdsClick"}}));
    c.push_back(Ctl("TLabel", "lbRcdEstimate", "gbDatasetRowCounting", {8, 64, 96, 16}, "&Record Estimate:"));
    c.push_back(Ctl("TEdit", "edRcdEstimate", "gbDatasetRowCounting", {106, 60, 70, 21}, "",
                    "# of records to print|Estimate how many records are there to print", {},
                    {{"OnExit", "edNumericOnlyExit"}}));

    // Carries the shared handlers of the numeric edits.
    c.push_back(Ctl("TEdit", "edNumericOnly", Page, {444, 184, 90, 21}, "DO NOT DELETE", "",
                    {{"Visible", "False"}, {"Enabled", "False"}}, NumericEvents()));
    return c;
}

} // namespace trx
