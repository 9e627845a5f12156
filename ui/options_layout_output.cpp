// The Output page: margins, position, output options, export options, fast
// printer text and the printer.
#include "ui/options_layout_parts.h"

namespace trx {

namespace {

const char* const Page = "nbOptions.Output";

} // namespace

std::vector<TControlDesc> OutputPageControls() {
    std::vector<TControlDesc> c;

    // Margins: a row of page margins and a row of cell margins under the
    // column labels Top, Left, Right, Bottom.
    c.push_back(Ctl("TGroupBox", "gbMargins", Page, {4, 2, 250, 84}, "Margins"));
    const char* const sides[] = {"Top", "Left", "Right", "Bottom"};
    for (int i = 0; i < 4; ++i)
        c.push_back(Ctl("TLabel", std::string("lbMargin") + sides[i], "gbMargins", {50 + i * 48, 14, 44, 16}, sides[i],
                        "", {{"AutoSize", "False"}, {"Alignment", "taCenter"}}));
    const TPropList rowLabel{{"Font.Style", "[fsBold, fsUnderline]"}};
    c.push_back(Ctl("TLabel", "lbPageMargin", "gbMargins", {8, 35, 36, 16}, "Page", "", rowLabel));
    c.push_back(Ctl("TLabel", "lbCellMargin", "gbMargins", {8, 59, 36, 16}, "Cell", "", rowLabel));
    const char* const pageHints[] = {"Top of page margin|Height of the margin at top of the page", "Left page margin",
                                     "Right page margin", "Bottom of page margin"};
    const char* const cellHints[] = {"Margin above each cell|Top of cell margin is usually zero",
                                     "Left cell margin|Used to increase space in front of each cell.",
                                     "Cell Right margin|Used to increase space between cells.",
                                     "Bottom of cell margin|Bottom of cell margin is usually zero."};
    for (int i = 0; i < 4; ++i)
        c.push_back(Ctl("TEdit", std::string("edPageMargin") + sides[i], "gbMargins", {50 + i * 48, 32, 44, 21}, "",
                        pageHints[i], {}, NumericEvents()));
    for (int i = 0; i < 4; ++i)
        c.push_back(Ctl("TEdit", std::string("edCellMargin") + sides[i], "gbMargins", {50 + i * 48, 56, 44, 21}, "",
                        cellHints[i], {}, NumericEvents()));

    // Report Position.
    c.push_back(Ctl("TGroupBox", "gbPosition", Page, {4, 90, 250, 70}, "Report Position"));
    c.push_back(RightLabel("lbOrientation", "gbPosition", {4, 20, 80, 16}, "Orientatio&n:"));
    c.push_back(Ctl("TComboBox", "cbxOrientation", "gbPosition", {88, 16, 150, 21}, "", "",
                    {{"Style", "csDropDownList"}}, {{"OnChange", "cbxOrientationChange"}},
                    {"Portrait", "Landscape", "Printer Default"}));
    c.push_back(RightLabel("lbReportAlignment", "gbPosition", {4, 44, 80, 16}, "&Alignment:"));
    c.push_back(Ctl("TComboBox", "cbxReportAlignment", "gbPosition", {88, 40, 150, 21}, "",
                    "Report Justification On Page", {},
                    {{"OnChange", "cbxReportAlignmentChange"},
                     {"OnExit", "cbxReportAlignmentExit"},
                     {"OnDblClick", "cbxOutputDestDblClick"}},
                    {"Left Justify", "Right Justify", "Center Justify"}));

    // Output Options; the printer set-up writes the point size into the caption.
    c.push_back(Ctl("TGroupBox", "gbOutputOptions", Page, {4, 164, 250, 116}, "Output Options"));
    const TPropList fontSizeEvents{
        {"OnKeyPress", "edNumericOnlyKeyPress"}, {"OnExit", "edNumericOnlyExit"}, {"OnClick", "edNumericOnlyExit"}};
    c.push_back(RightLabel("lbSmallestFontSize", "gbOutputOptions", {0, 20, 84, 16}, "&Smallest Font:"));
    c.push_back(Ctl("TEdit", "edSmallestFontSize", "gbOutputOptions", {86, 16, 50, 21}, "", "", {}, fontSizeEvents));
    c.push_back(RightLabel("lbLargestFontSize", "gbOutputOptions", {0, 44, 84, 16}, "&Largest Font:"));
    c.push_back(Ctl("TEdit", "edLargestFontSize", "gbOutputOptions", {86, 40, 50, 21}, "", "", {}, fontSizeEvents));
    c.push_back(RightLabel("lbLinesPerPage", "gbOutputOptions", {0, 68, 84, 16}, "&Lines per Page:"));
    c.push_back(Ctl("TEdit", "edLinesPerPage", "gbOutputOptions", {86, 64, 50, 21}, "", "", {}, NumericEvents()));
    c.push_back(RightLabel("lbTxtCharsPageWid", "gbOutputOptions", {0, 92, 84, 16}, "Page &Width:"));
    c.push_back(Ctl("TEdit", "edTxtCharsPageWid", "gbOutputOptions", {86, 88, 50, 21}, "", "", {}, NumericEvents()));
    c.push_back(Ctl("TCheckBox", "cbShrinkToPage", "gbOutputOptions", {138, 18, 111, 17}, "&Shrink to Page", "", {},
                    {{"OnClick", "cbShrinkToPageClick"}}));
    c.push_back(Ctl("TCheckBox", "cbExpandToPage", "gbOutputOptions", {138, 42, 111, 17}, "&Expand to Page", "", {},
                    {{"OnClick", "cbShrinkToPageClick"}}));

    // Export Options.
    c.push_back(Ctl("TGroupBox", "gbExportOptions", Page, {258, 2, 206, 160}, "Export Options"));
    const TPropList exportEvents{{"OnChange", "cmbPrintersChange"}, {"OnExit", "cmbExportFieldDelimExit"}};
    c.push_back(RightLabel("lbExportFieldDelim", "gbExportOptions", {4, 20, 84, 16}, "F&ield Delimiter:"));
    c.push_back(Ctl("TComboBox", "cmbExportFieldDelim", "gbExportOptions", {92, 16, 108, 21}, "", "", {}, exportEvents,
                    {"Tab", "Comma"}));
    c.push_back(RightLabel("lbExportQuote", "gbExportOptions", {4, 44, 84, 16}, "Text &Quotes:"));
    c.push_back(Ctl("TComboBox", "cmbExportQuote", "gbExportOptions", {92, 40, 108, 21}, "", "", {}, exportEvents,
                    {"Double Quote", "Single Quote"}));
    c.push_back(Ctl("TLabel", "lbMaxExportLength", "gbExportOptions", {8, 68, 120, 16}, "Max Export Length"));
    c.push_back(RightLabel("lbExportMaxStrLng", "gbExportOptions", {4, 90, 84, 16}, "St&ring:"));
    c.push_back(Ctl("TEdit", "edExportMaxStrLng", "gbExportOptions", {92, 86, 60, 21}));
    c.push_back(RightLabel("lbExportMaxMemoLng", "gbExportOptions", {4, 114, 84, 16}, "M&emo:"));
    c.push_back(Ctl("TEdit", "edExportMaxMemoLng", "gbExportOptions", {92, 110, 60, 21}));
    c.push_back(Ctl("TCheckBox", "cbExportOnlyPrintableChrs", "gbExportOptions", {8, 136, 180, 17}, "Printable Only",
                    "Only printable characters are exported|Turn on to exclude Carriage Return/Line Feeds in data.", {},
                    {{"OnClick", "cbMarkModifiedClick"}}));

    // Fast Printer Text Initialization Strings.
    c.push_back(
        Ctl("TGroupBox", "gbFastPrinterText", Page, {258, 166, 370, 90}, "Fast Printer Text Initialization Strings"));
    c.push_back(Ctl("TCheckBox", "cbFastPrinterText", "gbFastPrinterText", {8, 16, 140, 17}, "Fast Printer Text", "",
                    {}, {{"OnClick", "cbFastPrinterTextClick"}}));
    c.push_back(RightLabel("lbFastTextPrinterInit", "gbFastPrinterText", {4, 42, 56, 16}, "Initialize:"));
    c.push_back(Ctl("TEdit", "edFastTextPrinterInit", "gbFastPrinterText", {64, 38, 298, 21}, "",
                    "Initialize Printer String|This string gets sent to printer before report prints"));
    c.push_back(RightLabel("lbFastTextPrinterFinish", "gbFastPrinterText", {4, 66, 56, 16}, "Finish:"));
    c.push_back(Ctl("TEdit", "edFastTextPrinterFinish", "gbFastPrinterText", {64, 62, 298, 21}, "",
                    "Close Printer String|This string gets sent to the printer after report finishes"));

    // The printer.
    c.push_back(
        Ctl("TComboBox", "cmbPrinters", Page, {468, 8, 160, 21}, "", "", {},
            {{"OnChange", "cmbPrintersChange"}, {"OnDropDown", "cmbPrintersDropDown"}, {"OnExit", "cmbPrintersExit"}}));
    c.push_back(Ctl("TCheckBox", "cbDefaultPrinter", Page, {468, 34, 140, 17}, "&Default Printer", "", {},
                    {{"OnClick", "cbDefaultPrinterClick"}}));
    c.push_back(Ctl("TCheckBox", "cbUseReportViewer", Page, {468, 58, 140, 17}, "Report Viewer", "",
                    {{"Visible", "False"}}, {{"OnClick", "cbMarkModifiedClick"}}));
    return c;
}

} // namespace trx
