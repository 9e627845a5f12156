// The Setup page: the pages offered, the options window's behaviour, the
// passwords and the memo format strings.
#include "ui/options_layout_parts.h"

namespace trx {

std::vector<TControlDesc> SetupPageControls() {
    const char* const page = "nbOptions.Setup";
    std::vector<TControlDesc> c;

    c.push_back(Ctl("TGroupBox", "gbDisplayPages", page, {4, 2, 120, 128}, "Display Pages",
                    "Press Ctrl-F10 to toggle|Uncheck Report Options pages to make them invisible. Use Ctrl-F10 to "
                    "test."));
    const char* const pages[][2] = {{"cbShowGeneralPage", "&General"},
                                    {"cbShowOutputPage", "&Output"},
                                    {"cbShowStylePage", "St&yle"},
                                    {"cbShowTitlesPage", "&Titles"},
                                    {"cbShowSetupPage", "S&etup"}};
    for (int i = 0; i < 5; ++i)
        c.push_back(Ctl("TCheckBox", pages[i][0], "gbDisplayPages", {8, 18 + i * 21, 100, 17}, pages[i][1], "", {},
                        {{"OnClick", "cbDisplayPagesClick"}}));

    c.push_back(Ctl("TGroupBox", "gbDisplayReportOptions", page, {128, 2, 272, 190}, "Report Options Window"));
    struct TBox {
        const char* Name;
        const char* Caption;
        const char* Hint;
        const char* OnClick;
    };
    const TBox boxes[] = {
        {"cbPauseAfterPrinting", "Pause &after printing",
         "Statistics Window after printing|Displays window with # of pages printed (default ON)",
         "cbDisplayReportOptionsWinClick"},
        {"cbShowHint", "Show &Bubble Hint", "Display bubble help box|(Default ON)", "cbShowHintClick"},
        {"cbDisplayReportOptionsWin", "D&isplay Report Options Window at runtime",
         "Make this window visible at runtime|This report options window will appear at runtime (default ON)",
         "cbDisplayReportOptionsWinClick"},
        {"cbCloseWinAfterPrinting", "&Close Window After Printing",
         "Auto-Close Report Options Window|Don't leave Report Options window open after printing (default OFF)",
         "cbCloseWinAfterPrintingClick"},
        {"cbAllowFastPrinterText", "Allow &Fast Printer Text",
         "Make \"Fast Printer Text\" checkbox visible|Allow Fast Printer Text checkbox to be visible on Output page",
         "cbAllowFastPrinterTextClick"},
        {"cbDisplayProgressWindow", "&Display Progress Window",
         "Progress Window will appear|By default Show Progress Window is On", "cbDisplayReportOptionsWinClick"},
        {"cbSettingsReadOnly", "&ReadOnly",
         "Prevent Report Settings from being saved|Report Settings can't be saved when ReadOnly is true",
         "cbSettingsReadOnlyClick"},
        {"cbPreviewFirst", "Previe&w First",
         "See Report Previewer First.|Report Previewer appears before Report Options Window", "cbPreviewFirstClick"},
    };
    for (int i = 0; i < 8; ++i)
        c.push_back(Ctl("TCheckBox", boxes[i].Name, "gbDisplayReportOptions", {8, 18 + i * 21, 262, 17},
                        boxes[i].Caption, boxes[i].Hint, {}, {{"OnClick", boxes[i].OnClick}}));

    c.push_back(Ctl("TGroupBox", "gbPasswords", page, {404, 2, 224, 86}, "Security"));
    const TBox passwords[] = {
        {"cbRptPW", "Report P&assword",
         "Password needed to print this report|Report Password must be entered before this report can be printed or "
         "viewed",
         "cbRptPWClick"},
        {"cbRptOptPW", "Report Optio&ns Password",
         "Password to see this window|Password needed to display this Report Options window", "cbRptOptPWClick"},
        {"cbRptSetupPW", "Report Set&up Password", "Password for Setup page|Password needed to display this Setup page",
         "cbRptSetupPWClick"},
    };
    for (int i = 0; i < 3; ++i)
        c.push_back(Ctl("TCheckBox", passwords[i].Name, "gbPasswords", {8, 18 + i * 21, 208, 17}, passwords[i].Caption,
                        passwords[i].Hint, {}, {{"OnClick", passwords[i].OnClick}}));

    c.push_back(Ctl("TGroupBox", "gbMemoFormats", page, {404, 92, 224, 100}, "Memo Format Strings"));
    const TBox formats[] = {
        {"MemoTimeFormatStr", "&Ti&me (^T):", "Time Format String for ^T in memo|Current Time Format: ^T",
         "edMemoTimeFormatStrChange"},
        {"MemoDateFormatStr", "&Date (^D):", "Date Format String for ^D in memo|Current Date Format: ^D",
         "edMemoDateFormatStrChange"},
        {"MemoPageFormatStr", "&Page (^P):",
         "Page# prefix for P^ in memo|This string gets prefixed in front of the page#. Example \"Page\" formats "
         "output to \"Page 1\" ",
         "edMemoPageFormatStrChange"},
    };
    for (int i = 0; i < 3; ++i) {
        const std::string name = formats[i].Name;
        c.push_back(RightLabel("lb" + name, "gbMemoFormats", {4, 22 + i * 24, 70, 16}, formats[i].Caption));
        c.push_back(Ctl("TEdit", "ed" + name, "gbMemoFormats", {78, 18 + i * 24, 138, 21}, "", formats[i].Hint, {},
                        {{"OnChange", formats[i].OnClick}}));
    }
    return c;
}

} // namespace trx
