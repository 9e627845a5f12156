#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/forms/dialogs.h"
#include "framework/forms/menus.h"
#include "framework/grids/db_grid.h"
#include "options_dialog_fixture.h"

namespace trx::test {
namespace {

// One control as the dialog's form shows it.
struct TExpected {
    const char* Name;
    const char* Kind;
    const char* Caption; // nullptr: not checked
    const char* Hint; // nullptr: not checked
    std::vector<std::string> Items{};
    std::vector<std::string> Events{};
};

bool IsKind(TComponent* C, const std::string& Kind) {
    static const std::map<std::string, std::function<bool(TComponent*)>> kinds{
        {"TPanel", [](TComponent* c) { return dynamic_cast<TPanel*>(c) != nullptr; }},
        {"TSpeedButton", [](TComponent* c) { return dynamic_cast<TSpeedButton*>(c) != nullptr; }},
        {"TButton", [](TComponent* c) { return dynamic_cast<TButton*>(c) != nullptr; }},
        {"TComboBox", [](TComponent* c) { return dynamic_cast<TComboBox*>(c) != nullptr; }},
        {"TEdit", [](TComponent* c) { return dynamic_cast<TEdit*>(c) != nullptr; }},
        {"TMemo", [](TComponent* c) { return dynamic_cast<TMemo*>(c) != nullptr; }},
        {"TLabel", [](TComponent* c) { return dynamic_cast<TLabel*>(c) != nullptr; }},
        {"TGroupBox", [](TComponent* c) { return dynamic_cast<TGroupBox*>(c) != nullptr; }},
        {"TRadioButton", [](TComponent* c) { return dynamic_cast<TRadioButton*>(c) != nullptr; }},
        {"TCheckBox", [](TComponent* c) { return dynamic_cast<TCheckBox*>(c) != nullptr; }},
        {"TListBox", [](TComponent* c) { return dynamic_cast<TListBox*>(c) != nullptr; }},
        {"TNotebook", [](TComponent* c) { return dynamic_cast<TNotebook*>(c) != nullptr; }},
        {"TDBGrid", [](TComponent* c) { return dynamic_cast<TDBGrid*>(c) != nullptr; }},
        {"TTimer", [](TComponent* c) { return dynamic_cast<TTimer*>(c) != nullptr; }},
        {"TSaveDialog", [](TComponent* c) { return dynamic_cast<TSaveDialog*>(c) != nullptr; }},
        {"TFontDialog", [](TComponent* c) { return dynamic_cast<TFontDialog*>(c) != nullptr; }},
        {"TPrinterSetupDialog", [](TComponent* c) { return dynamic_cast<TPrinterSetupDialog*>(c) != nullptr; }},
    };
    return kinds.at(Kind)(C);
}

bool IsBound(TComponent* C, const std::string& Event) {
    auto* w = dynamic_cast<TWinControl*>(C);
    auto* ctl = dynamic_cast<TControl*>(C);
    if (Event == "OnClick") return ctl && static_cast<bool>(ctl->OnClick);
    if (Event == "OnDblClick") return ctl && static_cast<bool>(ctl->OnDblClick);
    if (Event == "OnExit") return w && static_cast<bool>(w->OnExit);
    if (Event == "OnKeyPress") return w && static_cast<bool>(w->OnKeyPress);
    if (Event == "OnKeyDown") return w && static_cast<bool>(w->OnKeyDown);
    if (Event == "OnChange") {
        if (auto* e = dynamic_cast<TCustomEdit*>(C)) return static_cast<bool>(e->OnChange);
        if (auto* cb = dynamic_cast<TComboBox*>(C)) return static_cast<bool>(cb->OnChange);
        return false;
    }
    if (Event == "OnDropDown") {
        auto* cb = dynamic_cast<TComboBox*>(C);
        return cb && static_cast<bool>(cb->OnDropDown);
    }
    if (Event == "OnDrawItem") {
        auto* lb = dynamic_cast<TListBox*>(C);
        return lb && static_cast<bool>(lb->OnDrawItem);
    }
    if (Event == "OnTimer") {
        auto* t = dynamic_cast<TTimer*>(C);
        return t && static_cast<bool>(t->OnTimer);
    }
    ADD_FAILURE() << "no check for " << Event;
    return false;
}

std::vector<std::string> ItemsOf(TComponent* C) {
    TStrings* list = nullptr;
    if (auto* ctl = dynamic_cast<TControl*>(C)) list = ctl->LayoutItems();
    std::vector<std::string> items;
    if (list)
        for (int i = 0; i < list->Count(); ++i) items.push_back((*list)[i]);
    return items;
}

const std::vector<std::string> kNumeric{"OnKeyPress", "OnExit"};
const std::vector<std::string> kItemCombo{"OnChange", "OnExit", "OnDblClick"};

const std::vector<TExpected>& Expected() {
    static const std::vector<TExpected> e{
        // Top bar.
        {"paTop", "TPanel", nullptr, nullptr},
        {"sbClose", "TSpeedButton", nullptr, "Exit|Exit without printing the report", {}, {"OnClick"}},
        {"sbSaveOpts",
         "TSpeedButton",
         nullptr,
         "Save Report Options|Save current report options (Disabled when Report Options are ReadOnly)",
         {},
         {"OnClick"}},
        {"sbPrint",
         "TSpeedButton",
         "Print",
         "Print Report|Print the report to the Output Destination",
         {},
         {"OnClick"}},
        {"sbPreview",
         "TSpeedButton",
         nullptr,
         "Preview Report|Preview the report one page at a time on the screen (Disabled when not using Printer or File "
         "output)",
         {},
         {"OnClick"}},
        {"cbxOutputDest",
         "TComboBox",
         nullptr,
         "Output Destination|Output Destination determines where output will be sent",
         {"Printer", "Text File", "Export Data"},
         kItemCombo},
        {"sbPrinterSetup",
         "TSpeedButton",
         nullptr,
         "Printer Setup (Ctrl-U)|Printer Setup changes printer settings",
         {},
         {"OnClick"}},
        {"edOutputFileName",
         "TEdit",
         nullptr,
         "Output File|The text file where the report will be sent",
         {},
         {"OnExit"}},
        {"buBrowseFile", "TButton", "...", "Browse|Browse directory for output file", {}, {"OnClick"}},
        {"cbxIfOutputFileExists",
         "TComboBox",
         nullptr,
         "When Output File Exists?|Determines what to do if Output file already exists",
         {"Overwrite", "Append", "Ask User"},
         {"OnChange", "OnExit"}},
        // Middle and bottom.
        {"paMiddle", "TPanel", nullptr, nullptr},
        {"nbOptions", "TNotebook", nullptr, nullptr, {"General", "Output", "Style", "Titles", "Setup"}},
        {"paBottom", "TPanel", nullptr, nullptr},
        {"paRptStatus", "TPanel", nullptr, "Width of report including all horizontal pages"},
        {"paPageDimensions", "TPanel", nullptr, "Printable Area|Printable area on the page"},
        {"paDestination", "TPanel", nullptr, "Output Destination"},
        {"paMsg", "TPanel", nullptr, nullptr},
        {"paPagesAcross",
         "TPanel",
         nullptr,
         "# of Pages Across|Wide reports may print on several pages horizontally. Use Shrink To Page or Landscape",
         {},
         {"OnClick"}},
        {"Timer1", "TTimer", nullptr, nullptr, {}, {"OnTimer"}},
        {"SaveDialog1", "TSaveDialog", nullptr, nullptr},
        {"FontDialog1", "TFontDialog", nullptr, nullptr},
        {"PrinterSetupDialog1", "TPrinterSetupDialog", nullptr, nullptr},
        // General page.
        {"gbPrintWhat", "TGroupBox", "Print What?", nullptr},
        {"rbPrintWhatAll", "TRadioButton", "&Entire Tree/Grid", "Print everything", {}, {"OnClick"}},
        {"rbPrintWhatCurrentPage",
         "TRadioButton",
         "Current &Page",
         "Print page that is displayed|Print 1 page starting at the current record",
         {},
         {"OnClick"}},
        {"rbPrintWhatCurrentBranchAll", "TRadioButton", "Current &Branch (All)", nullptr, {}, {"OnClick"}},
        {"rbPrintWhatCurrentBranchDown", "TRadioButton", "Current Branch (&Down)", nullptr, {}, {"OnClick"}},
        {"rbPrintWhatTestPage",
         "TRadioButton",
         "&Test Page",
         "Print 1 test page|Prints 1 page and then asks user if they want to continue",
         {},
         {"OnClick"}},
        {"rbPrintWhatWindowSnapshot",
         "TRadioButton",
         "&Window Snapshot:",
         "Prints Image of Window Graphically|Entire window is printed graphically (non-text) to the printer",
         {},
         {"OnClick"}},
        {"rbPrintWhatPageRange",
         "TRadioButton",
         "Page Range",
         "Print pages within a page range|Page range Example: From: 1 to 10 or From: 1-3 to 1-5",
         {},
         {"OnClick"}},
        {"lbPageRangeFrom", "TLabel", "From:", nullptr},
        {"edPageRangeFrom", "TEdit", nullptr, "Starting page#|First page to start printing "},
        {"lbPageRangeTo", "TLabel", "To:", nullptr},
        {"edPageRangeTo", "TEdit", nullptr, "Ending page#|Last page# to print"},
        {"cmbSnapshotSize",
         "TComboBox",
         nullptr,
         "Printed window size|Determines size of the snapshot window on the printed page",
         {"Current Window Size with Proportional Scale", "Current Window Size with Print To Fit",
          "Current Window Size with Same Scale", "Maximize Window with Proportional Scale",
          "Maximize Window with Print To Fit", "Maximize Window with Same Scale"},
         {"OnChange", "OnExit"}},
        {"gbFormattingOptions", "TGroupBox", "Formatting Options", nullptr},
        {"lbPanelsAcrossPage", "TLabel", "Panels Across Page:", nullptr},
        {"edPanelsAcrossPage",
         "TEdit",
         nullptr,
         "Newspaper panels across page|Narrow grids can print up to 10 across the page",
         {},
         kNumeric},
        {"lbInterPanelGap", "TLabel", "Inter-Panel Gap:", nullptr},
        {"edInterPanelGap", "TEdit", nullptr, "Space between panels", {}, kNumeric},
        {"lbNodeIndentation", "TLabel", "Node Indentation:", nullptr},
        {"edNodeIndentation", "TEdit", nullptr, nullptr, {}, kNumeric},
        {"lbHorizLineFreq", "TLabel", "Horiz. Line Frequency:", nullptr},
        {"edHorizLineFreq", "TEdit", nullptr, nullptr, {}, kNumeric},
        {"lbVertHtAdjPer", "TLabel", "Vert. Height Adj.:", nullptr},
        {"edVertHtAdjPer", "TEdit", nullptr, nullptr, {}, kNumeric},
        {"lbVertHtAdjPerPercentSymbol", "TLabel", "%", nullptr},
        {"lbMaxStringColWid", "TLabel", "Max String Column Width:", nullptr},
        {"edMaxStringColWid",
         "TEdit",
         nullptr,
         "Maximum String column width in characters",
         {},
         {"OnKeyPress", "OnExit"}},
        {"lbMaxMemoColWid", "TLabel", "Max Memo Column Width:", nullptr},
        {"edMaxMemoColWid", "TEdit", nullptr, "Max Memo column width in characters", {}, {"OnKeyPress", "OnExit"}},
        {"lbMaxStringLines", "TLabel", "Max # of String Lines:", nullptr},
        {"edMaxStringLines", "TEdit", nullptr, "Max # of wordwrapped lines for string cell", {}, kNumeric},
        {"lbMaxMemoLines", "TLabel", "Max # of Memo Lines", nullptr},
        {"edMaxMemoLines", "TEdit", nullptr, "Max # of wordwrapped lines for memo cell", {}, kNumeric},
        {"lbStartingReportLineId", "TLabel", "Starting Line# Id:", "First Line# Id for the report (Default=1)"},
        {"edStartingReportLineId",
         "TEdit",
         nullptr,
         "Line# column starts at this value|Line# is an optional incrementing column that starts at this value. See "
         "Include on Styles Page",
         {},
         {"OnChange"}},
        {"lbColTitlesAlignment", "TLabel", "Col&umn Titles:", nullptr},
        {"cbxColTitleAlignment",
         "TComboBox",
         nullptr,
         "Column Title Justification|Column titles can be Left, Right, Center justified within column width",
         {"Left Justify", "Right Justify", "Center Justify"},
         kItemCombo},
        {"gbSnugfitting", "TGroupBox", "Snugfitting(TM)", nullptr},
        {"cbxSnugfit",
         "TComboBox",
         nullptr,
         "Method to calc column widths|",
         {"AutoSize All Rows", "Limit Rows to AutoSize", "Use Current Column Sizes"},
         kItemCombo},
        {"lbMaxRowsToSnugfit", "TLabel", "Snugfit Row Limit", nullptr},
        {"edMaxRowsToSnugfit",
         "TEdit",
         nullptr,
         "# of records to read for Snugfitting|200 rows should be sufficient to autosize the columns",
         {},
         kNumeric},
        {"gbDatasetRowCounting", "TGroupBox", "Dataset Record Counting", nullptr},
        {"rbCountNumRcds",
         "TRadioButton",
         "Physically Count Records",
         "Count the # of records|Can be quite slow for TQuery so use \"Estimate\" instead",
         {},
         {"OnClick"}},
        {"rbEstimateNumRcds",
         "TRadioButton",
         "Estimate # of Records",
         "Use estimate to speed up large TQuery datasets",
         {},
         {"OnClick"}},
        {"lbRcdEstimate", "TLabel", "&Record Estimate:", nullptr},
        {"edRcdEstimate",
         "TEdit",
         nullptr,
         "# of records to print|Estimate how many records are there to print",
         {},
         {"OnExit"}},
        {"edNumericOnly", "TEdit", "DO NOT DELETE", nullptr, {}, kNumeric},
        // Output page.
        {"gbMargins", "TGroupBox", "Margins", nullptr},
        {"lbMarginTop", "TLabel", "Top", nullptr},
        {"lbMarginLeft", "TLabel", "Left", nullptr},
        {"lbMarginRight", "TLabel", "Right", nullptr},
        {"lbMarginBottom", "TLabel", "Bottom", nullptr},
        {"lbPageMargin", "TLabel", "Page", nullptr},
        {"lbCellMargin", "TLabel", "Cell", nullptr},
        {"edPageMarginTop",
         "TEdit",
         nullptr,
         "Top of page margin|Height of the margin at top of the page",
         {},
         kNumeric},
        {"edPageMarginLeft", "TEdit", nullptr, "Left page margin", {}, kNumeric},
        {"edPageMarginRight", "TEdit", nullptr, "Right page margin", {}, kNumeric},
        {"edPageMarginBottom", "TEdit", nullptr, "Bottom of page margin", {}, kNumeric},
        {"edCellMarginTop",
         "TEdit",
         nullptr,
         "Margin above each cell|Top of cell margin is usually zero",
         {},
         kNumeric},
        {"edCellMarginLeft",
         "TEdit",
         nullptr,
         "Left cell margin|Used to increase space in front of each cell.",
         {},
         kNumeric},
        {"edCellMarginRight",
         "TEdit",
         nullptr,
         "Cell Right margin|Used to increase space between cells.",
         {},
         kNumeric},
        {"edCellMarginBottom",
         "TEdit",
         nullptr,
         "Bottom of cell margin|Bottom of cell margin is usually zero.",
         {},
         kNumeric},
        {"gbPosition", "TGroupBox", "Report Position", nullptr},
        {"lbOrientation", "TLabel", "Orientatio&n:", nullptr},
        {"cbxOrientation", "TComboBox", nullptr, nullptr, {"Portrait", "Landscape", "Printer Default"}, {"OnChange"}},
        {"lbReportAlignment", "TLabel", "&Alignment:", nullptr},
        {"cbxReportAlignment",
         "TComboBox",
         nullptr,
         "Report Justification On Page",
         {"Left Justify", "Right Justify", "Center Justify"},
         {"OnChange", "OnExit", "OnDblClick"}},
        {"gbOutputOptions", "TGroupBox", "Output Options", nullptr},
        {"lbSmallestFontSize", "TLabel", "&Smallest Font:", nullptr},
        {"edSmallestFontSize", "TEdit", nullptr, nullptr, {}, {"OnKeyPress", "OnExit", "OnClick"}},
        {"lbLargestFontSize", "TLabel", "&Largest Font:", nullptr},
        {"edLargestFontSize", "TEdit", nullptr, nullptr, {}, {"OnKeyPress", "OnExit", "OnClick"}},
        {"lbLinesPerPage", "TLabel", "&Lines per Page:", nullptr},
        {"edLinesPerPage", "TEdit", nullptr, nullptr, {}, kNumeric},
        {"lbTxtCharsPageWid", "TLabel", "Page &Width:", nullptr},
        {"edTxtCharsPageWid", "TEdit", nullptr, nullptr, {}, kNumeric},
        {"cbShrinkToPage", "TCheckBox", "&Shrink to Page", nullptr, {}, {"OnClick"}},
        {"cbExpandToPage", "TCheckBox", "&Expand to Page", nullptr, {}, {"OnClick"}},
        {"gbExportOptions", "TGroupBox", "Export Options", nullptr},
        {"lbExportFieldDelim", "TLabel", "F&ield Delimiter:", nullptr},
        {"cmbExportFieldDelim", "TComboBox", nullptr, nullptr, {"Tab", "Comma"}, {"OnChange", "OnExit"}},
        {"lbExportQuote", "TLabel", "Text &Quotes:", nullptr},
        {"cmbExportQuote", "TComboBox", nullptr, nullptr, {"Double Quote", "Single Quote"}, {"OnChange", "OnExit"}},
        {"lbMaxExportLength", "TLabel", "Max Export Length", nullptr},
        {"lbExportMaxStrLng", "TLabel", "St&ring:", nullptr},
        {"edExportMaxStrLng", "TEdit", nullptr, nullptr},
        {"lbExportMaxMemoLng", "TLabel", "M&emo:", nullptr},
        {"edExportMaxMemoLng", "TEdit", nullptr, nullptr},
        {"cbExportOnlyPrintableChrs",
         "TCheckBox",
         "Printable Only",
         "Only printable characters are exported|Turn on to exclude Carriage Return/Line Feeds in data.",
         {},
         {"OnClick"}},
        {"gbFastPrinterText", "TGroupBox", "Fast Printer Text Initialization Strings", nullptr},
        {"cbFastPrinterText", "TCheckBox", "Fast Printer Text", nullptr, {}, {"OnClick"}},
        {"lbFastTextPrinterInit", "TLabel", "Initialize:", nullptr},
        {"edFastTextPrinterInit", "TEdit", nullptr,
         "Initialize Printer String|This string gets sent to printer before report prints"},
        {"lbFastTextPrinterFinish", "TLabel", "Finish:", nullptr},
        {"edFastTextPrinterFinish", "TEdit", nullptr,
         "Close Printer String|This string gets sent to the printer after report finishes"},
        {"cmbPrinters", "TComboBox", nullptr, nullptr, {}, {"OnChange", "OnDropDown", "OnExit"}},
        {"cbDefaultPrinter", "TCheckBox", "&Default Printer", nullptr, {}, {"OnClick"}},
        {"cbUseReportViewer", "TCheckBox", "Report Viewer", nullptr, {}, {"OnClick"}},
        // Style page.
        {"paStyleOptsInclude", "TPanel", "Include", nullptr},
        {"lbxStyleOpts",
         "TListBox",
         nullptr,
         "|Use Space or Dbl-Click to toggle option",
         {},
         {"OnDblClick", "OnKeyPress", "OnDrawItem"}},
        {"cbxOutputQuality",
         "TComboBox",
         nullptr,
         "Output Quality",
         {},
         {"OnChange", "OnDropDown", "OnExit", "OnDblClick"}},
        {"nbStyles", "TNotebook", nullptr, nullptr, {"Styles", "Text", "Original"}},
        {"dbgStyles", "TDBGrid", nullptr, nullptr, {}, {"OnKeyDown"}},
        {"edStylesLocator", "TEdit", nullptr, "Style Locator|Type first few letters of a style", {}, {"OnChange"}},
        {"edTextFontName", "TEdit", nullptr, "Fixed Spaced Font for the report", {}, {"OnChange"}},
        {"buTextFontName", "TButton", "...", "Choose Font", {}, {"OnClick"}},
        {"edTextFontSize", "TEdit", "10", nullptr, {}, {"OnKeyPress", "OnExit"}},
        {"edReplFontName", "TEdit", nullptr, nullptr},
        {"buReplFontName", "TButton", "...", nullptr, {}, {"OnClick"}},
        {"edReplFontSize", "TEdit", "10", nullptr, {}, {"OnExit"}},
        // Titles page.
        {"lbxMemoLocation",
         "TListBox",
         nullptr,
         "Choose title or memo|Select a report title or memo then enter text in the memo field.",
         {"Report Title", "Report Header Memo", "Page Title", "Page Header Memo", "Page Footer Memo",
          "Page Number Memo", "Report Footer Memo"},
         {"OnClick"}},
        {"lbMemoXPosPer", "TLabel", "Left Mar&gin:", nullptr},
        {"edMemoXPosPer",
         "TEdit",
         nullptr,
         "0=Left Edge, 50=On Center Line, 80=Right Side, 100=Unprintable!!",
         {},
         {"OnKeyPress", "OnExit"}},
        {"lbMemoWidPer", "TLabel", "Memo W&idth:", nullptr},
        {"edMemoWidPer", "TEdit", nullptr, "Memo Width relative to page width", {}, {"OnKeyPress", "OnExit"}},
        {"lbMemoSpacesAbove", "TLabel", "Space Above Memo:", nullptr},
        {"edMemoSpacesAbove",
         "TEdit",
         nullptr,
         "Blank Lines Above|# of blank lines to insert above memo or title.",
         {},
         {"OnExit"}},
        {"lbMemoSpacesBelow", "TLabel", "Space Below Memo:", nullptr},
        {"edMemoSpacesBelow",
         "TEdit",
         nullptr,
         "Blank Lines|# of blank lines to insert below memo or title",
         {},
         {"OnExit"}},
        {"rbRptMemoLeftJustify", "TRadioButton", "&Left", "Left Justify Title or Memo on Page", {}, {"OnClick"}},
        {"rbRptMemoCenterJustify", "TRadioButton", "&Center", nullptr, {}, {"OnClick"}},
        {"rbRptMemoRightJustify", "TRadioButton", "&Right", nullptr, {}, {"OnClick"}},
        {"cbMemoVisible",
         "TCheckBox",
         "&Visible",
         "|True=Title/memo gets printed. False=Don't print Title/memo",
         {},
         {"OnClick"}},
        {"buMemoFont", "TButton", "&Font", nullptr, {}, {"OnClick"}},
        {"memRptMemo",
         "TMemo",
         nullptr,
         "|Enter text for title, memo. |Ctrl-Up && Ctrl-Down Arrows scrolls thorugh memos (Auto-Saves)",
         {},
         {"OnExit"}},
        {"lbRptMemoLeftMargin", "TLabel", "Left Margin 30%", nullptr},
        {"lbRptMemoRightMargin", "TLabel", "Right Margin 30%", nullptr},
        // Setup page.
        {"gbDisplayPages", "TGroupBox", "Display Pages",
         "Press Ctrl-F10 to toggle|Uncheck Report Options pages to make them invisible. Use Ctrl-F10 to test."},
        {"cbShowGeneralPage", "TCheckBox", "&General", nullptr, {}, {"OnClick"}},
        {"cbShowOutputPage", "TCheckBox", "&Output", nullptr, {}, {"OnClick"}},
        {"cbShowStylePage", "TCheckBox", "St&yle", nullptr, {}, {"OnClick"}},
        {"cbShowTitlesPage", "TCheckBox", "&Titles", nullptr, {}, {"OnClick"}},
        {"cbShowSetupPage", "TCheckBox", "S&etup", nullptr, {}, {"OnClick"}},
        {"gbDisplayReportOptions", "TGroupBox", "Report Options Window", nullptr},
        {"cbPauseAfterPrinting",
         "TCheckBox",
         "Pause &after printing",
         "Statistics Window after printing|Displays window with # of pages printed (default ON)",
         {},
         {"OnClick"}},
        {"cbShowHint", "TCheckBox", "Show &Bubble Hint", "Display bubble help box|(Default ON)", {}, {"OnClick"}},
        {"cbDisplayReportOptionsWin",
         "TCheckBox",
         "D&isplay Report Options Window at runtime",
         "Make this window visible at runtime|This report options window will appear at runtime (default ON)",
         {},
         {"OnClick"}},
        {"cbCloseWinAfterPrinting",
         "TCheckBox",
         "&Close Window After Printing",
         "Auto-Close Report Options Window|Don't leave Report Options window open after printing (default OFF)",
         {},
         {"OnClick"}},
        {"cbAllowFastPrinterText",
         "TCheckBox",
         "Allow &Fast Printer Text",
         "Make \"Fast Printer Text\" checkbox visible|Allow Fast Printer Text checkbox to be visible on Output page",
         {},
         {"OnClick"}},
        {"cbDisplayProgressWindow",
         "TCheckBox",
         "&Display Progress Window",
         "Progress Window will appear|By default Show Progress Window is On",
         {},
         {"OnClick"}},
        {"cbSettingsReadOnly",
         "TCheckBox",
         "&ReadOnly",
         "Prevent Report Settings from being saved|Report Settings can't be saved when ReadOnly is true",
         {},
         {"OnClick"}},
        {"cbPreviewFirst",
         "TCheckBox",
         "Previe&w First",
         "See Report Previewer First.|Report Previewer appears before Report Options Window",
         {},
         {"OnClick"}},
        {"gbPasswords", "TGroupBox", "Security", nullptr},
        {"cbRptPW",
         "TCheckBox",
         "Report P&assword",
         "Password needed to print this report|Report Password must be entered before this report can be printed or "
         "viewed",
         {},
         {"OnClick"}},
        {"cbRptOptPW",
         "TCheckBox",
         "Report Optio&ns Password",
         "Password to see this window|Password needed to display this Report Options window",
         {},
         {"OnClick"}},
        {"cbRptSetupPW",
         "TCheckBox",
         "Report Set&up Password",
         "Password for Setup page|Password needed to display this Setup page",
         {},
         {"OnClick"}},
        {"gbMemoFormats", "TGroupBox", "Memo Format Strings", nullptr},
        {"lbMemoTimeFormatStr", "TLabel", "&Ti&me (^T):", nullptr},
        {"edMemoTimeFormatStr",
         "TEdit",
         nullptr,
         "Time Format String for ^T in memo|Current Time Format: ^T",
         {},
         {"OnChange"}},
        {"lbMemoDateFormatStr", "TLabel", "&Date (^D):", nullptr},
        {"edMemoDateFormatStr",
         "TEdit",
         nullptr,
         "Date Format String for ^D in memo|Current Date Format: ^D",
         {},
         {"OnChange"}},
        {"lbMemoPageFormatStr", "TLabel", "&Page (^P):", nullptr},
        {"edMemoPageFormatStr",
         "TEdit",
         nullptr,
         "Page# prefix for P^ in memo|This string gets prefixed in front of the page#. Example \"Page\" formats output "
         "to \"Page 1\" ",
         {},
         {"OnChange"}},
    };
    return e;
}

TEST_F(OptionsDialogTest, EveryControlHasItsKindCaptionHintItemsAndHandlers) {
    for (const TExpected& x : Expected()) {
        SCOPED_TRACE(x.Name);
        TComponent* c = dlg->FindComponent(x.Name);
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(IsKind(c, x.Kind)) << "not a " << x.Kind;
        auto* ctl = dynamic_cast<TControl*>(c);
        if (x.Caption) {
            EXPECT_EQ(ctl->Caption(), x.Caption);
        }
        if (x.Hint) {
            EXPECT_EQ(ctl->Hint(), x.Hint);
        }
        if (!x.Items.empty()) {
            EXPECT_EQ(ItemsOf(c), x.Items);
        }
        for (const std::string& ev : x.Events) EXPECT_TRUE(IsBound(c, ev)) << ev;
    }
}

TEST_F(OptionsDialogTest, ControlsStandOnTheirPages) {
    const std::pair<const char*, const char*> on[] = {
        {"rbPrintWhatAll", "General"},    {"edNumericOnly", "General"}, {"edPageMarginTop", "Output"},
        {"cbUseReportViewer", "Output"},  {"dbgStyles", "Style"},       {"edTextFontSize", "Style"},
        {"lbxMemoLocation", "Titles"},    {"memRptMemo", "Titles"},     {"cbShowSetupPage", "Setup"},
        {"edMemoPageFormatStr", "Setup"},
    };
    for (const auto& [name, page] : on) {
        SCOPED_TRACE(name);
        TControl* c = dynamic_cast<TControl*>(dlg->FindComponent(name));
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(dlg->nbOptions->FindPage(page)->ContainsControl(c));
    }
    for (const char* top : {"sbClose", "cbxOutputDest", "edOutputFileName", "cbxIfOutputFileExists"})
        EXPECT_TRUE(dlg->paTop->ContainsControl(dynamic_cast<TControl*>(dlg->FindComponent(top)))) << top;
    EXPECT_TRUE(dlg->paMsg->ContainsControl(dlg->paPagesAcross));
}

TEST_F(OptionsDialogTest, TheFormIsTheDesignedFrame) {
    EXPECT_EQ(dlg->Name(), "fmTBXMain");
    EXPECT_EQ(dlg->Caption(), "Report Options");
    EXPECT_EQ(dlg->BorderStyle(), TFormBorderStyle::bsNone);
    EXPECT_TRUE(dlg->KeyPreview);
    EXPECT_EQ(dlg->Menu(), dlg->mmRptOpts);
    EXPECT_EQ(dlg->Font().Name(), "Arial");
    EXPECT_EQ(dlg->HelpContext, 200);
    EXPECT_EQ(dlg->paTop->Height(), 32);
    EXPECT_EQ(dlg->paBottom->Height(), 44);
    EXPECT_EQ(dlg->paPagesAcross->Width(), 100);
    EXPECT_EQ(dlg->paDestination->Width(), 150);
    EXPECT_EQ(dlg->paPageDimensions->Width(), 50);
    EXPECT_FALSE(dlg->Timer1->Enabled());
    // Hidden in the form until the rules of the destination show them.
    EXPECT_FALSE(dlg->edHorizLineFreq->Visible());
    EXPECT_FALSE(dlg->edVertHtAdjPer->Visible());
    EXPECT_FALSE(dlg->cbUseReportViewer->Visible());
    EXPECT_FALSE(dlg->edNumericOnly->Visible());
    EXPECT_FALSE(dlg->edNumericOnly->Enabled());
    EXPECT_FALSE(dlg->buMemoFont->Visible());
    EXPECT_FALSE(dlg->itmCalcColSIze->Visible());
    EXPECT_TRUE(static_cast<TDBGrid*>(dlg->dbgStyles)->ReadOnly);
    // The tags of the print choices are their ordinals.
    const TRadioButton* radios[] = {dlg->rbPrintWhatAll,
                                    dlg->rbPrintWhatCurrentPage,
                                    dlg->rbPrintWhatCurrentBranchAll,
                                    dlg->rbPrintWhatCurrentBranchDown,
                                    dlg->rbPrintWhatTestPage,
                                    dlg->rbPrintWhatWindowSnapshot,
                                    dlg->rbPrintWhatPageRange};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(radios[i]->Tag, i);
    // The tab strip over the notebook, 26 pixels high, with no tabs yet.
    ASSERT_NE(dlg->TabSet, nullptr);
    EXPECT_EQ(dlg->TabSet->Height(), 26);
    EXPECT_EQ(dlg->TabSet->Parent(), dlg->paMiddle);
    EXPECT_EQ(dlg->TabSet->NoteBook, dlg->nbOptions);
    EXPECT_EQ(dlg->TabSet->Tabs().Count(), 0);
}

TEST_F(OptionsDialogTest, TheMenusHaveTheirCaptionsShortCutsAndSeparators) {
    struct TItem {
        TMenuItem* Item;
        const char* Caption;
        const char* ShortCut;
    };
    const TItem items[] = {
        {dlg->mnFile, "&File", ""},
        {dlg->itmPreview, "Pre&view", "Ctrl+W"},
        {dlg->itmOutputDestination, "Output Destination", "Ctrl+O"},
        {dlg->itmPrint, "&Print", "Ctrl+P"},
        {dlg->itmOutputSetup, "Printer Set&up", "Ctrl+U"},
        {dlg->itmSave, "&Save Options", "Ctrl+S"},
        {dlg->itmCalcColSIze, "Size Column Widths", ""},
        {dlg->itmExit, "E&xit", "Ctrl+Q"},
        {dlg->mnView, "&View", ""},
        {dlg->itmGeneralTab, "&General", ""},
        {dlg->itmOutputTab, "O&utput", ""},
        {dlg->itmStylesTab, "&Styles", ""},
        {dlg->itmTitlesTab, "&Titles", ""},
        {dlg->itmSetupTab, "Set&up", ""},
        {dlg->itmTogglePages, "Toggle Pages Visibility", "Ctrl+F10"},
    };
    for (const TItem& i : items) {
        SCOPED_TRACE(i.Caption);
        EXPECT_EQ(i.Item->Caption(), i.Caption);
        EXPECT_EQ(i.Item->ShortCut(), *i.ShortCut ? TextToShortCut(i.ShortCut) : TShortCut{0});
    }
    // Separators stand before "&Save Options", "E&xit" and "Toggle Pages Visibility".
    for (TMenuItem* item : {dlg->itmSave, dlg->itmExit, dlg->itmTogglePages}) {
        TMenuItem* menu = item->Parent();
        EXPECT_TRUE(menu->Items(menu->IndexOf(item) - 1)->IsLine()) << item->Caption();
    }
    EXPECT_EQ(dlg->mnFile->Count(), 9);
    EXPECT_EQ(dlg->mnView->Count(), 7);
}

} // namespace
} // namespace trx::test
