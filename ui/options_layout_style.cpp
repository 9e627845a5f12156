// The Style page (the style option list, the output quality and the style,
// text-font and replacement-font pages) and the Titles page (the memo editor).
#include "ui/options_layout_parts.h"

namespace trx {

std::vector<TControlDesc> StylePageControls() {
    const char* const page = "nbOptions.Style";
    const TPropList bold{{"Font.Style", "[fsBold]"}};
    std::vector<TControlDesc> c;

    // At the left the style options.
    c.push_back(
        Ctl("TPanel", "paStylesLeft", page, {0, 0, 200, -1}, "", "", {{"Align", "alLeft"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TPanel", "paStyleOpts", "paStylesLeft", {0, 0, 200, 300}, "", "",
                    {{"Align", "alTop"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TPanel", "paStyleOptsInclude", "paStyleOpts", {0, 0, 200, 20}, "Include", "",
                    {{"Align", "alTop"}, {"BevelOuter", "bvNone"}, {"Font.Style", "[fsBold]"}}));
    c.push_back(Ctl("TListBox", "lbxStyleOpts", "paStyleOpts", {0, 20, 200, 280}, "",
                    "|Use Space or Dbl-Click to toggle option",
                    {{"Align", "alClient"}, {"Style", "lbOwnerDrawFixed"}, {"ItemHeight", "13"}},
                    {{"OnDblClick", "lbxStyleOptsDblClick"},
                     {"OnKeyPress", "lbxStyleOptsKeyPress"},
                     {"OnDrawItem", "lbxStyleOptsDrawItem"}}));

    // At the right the output quality over the inner notebook.
    c.push_back(Ctl("TPanel", "paOutputQuality", page, {200, 0, -1, 30}, "", "",
                    {{"Align", "alTop"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TComboBox", "cbxOutputQuality", "paOutputQuality", {8, 4, 200, 21}, "", "Output Quality",
                    {{"DropDownCount", "12"}},
                    {{"OnChange", "cbxOutputQualityChange"},
                     {"OnDropDown", "cbxOutputQualityDropDown"},
                     {"OnExit", "cbxGenericExit"},
                     {"OnDblClick", "cbxOutputDestDblClick"}}));
    c.push_back(
        Ctl("TPanel", "paStyle", page, {200, 30, -1, -1}, "", "", {{"Align", "alClient"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TNotebook", "nbStyles", "paStyle", {0, 0, -1, -1}, "", "", {{"Align", "alClient"}}, {},
                    {"Styles", "Text", "Original"}));

    // The styles.
    c.push_back(Ctl("TPanel", "paStyles", "nbStyles.Styles", {0, 0, -1, -1}, "", "",
                    {{"Align", "alClient"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TLabel", "lbStylesHeading", "paStyles", {8, 4, 60, 16}, "Styles", "", bold));
    c.push_back(Ctl("TDBGrid", "dbgStyles", "paStyles", {8, 22, 400, 200}, "", "", {{"ReadOnly", "True"}},
                    {{"OnKeyDown", "dbgStylesKeyDown"}}));
    c.push_back(Ctl("TEdit", "edStylesLocator", "paStyles", {8, 228, 200, 21}, "",
                    "Style Locator|Type first few letters of a style", {}, {{"OnChange", "edStylesLocatorChange"}}));

    // The fixed text font.
    const char* const text = "nbStyles.Text";
    c.push_back(Ctl("TLabel", "lbTextFontHeading", text, {8, 8, 120, 16}, "Fixed Text Font", "", bold));
    c.push_back(Ctl("TEdit", "edTextFontName", text, {8, 28, 200, 21}, "", "Fixed Spaced Font for the report", {},
                    {{"OnChange", "edTextFontNameChange"}}));
    c.push_back(Ctl("TButton", "buTextFontName", text, {212, 28, 25, 21}, "...", "Choose Font", {},
                    {{"OnClick", "buTextFontNameClick"}}));
    c.push_back(Ctl("TLabel", "lbTextFontSize", text, {8, 60, 60, 16}, "Font Si&ze:"));
    c.push_back(Ctl("TEdit", "edTextFontSize", text, {72, 56, 40, 21}, "10", "", {},
                    {{"OnKeyPress", "edTextFontSizeKeyPress"}, {"OnExit", "edNumericOnlyExit"}}));

    // The replacement font.
    const char* const original = "nbStyles.Original";
    c.push_back(Ctl("TLabel", "lbReplFontHeading", original, {8, 8, 120, 16}, "Replacement Font"));
    c.push_back(Ctl("TEdit", "edReplFontName", original, {8, 28, 200, 21}));
    c.push_back(Ctl("TButton", "buReplFontName", original, {212, 28, 25, 21}, "...", "", {},
                    {{"OnClick", "buReplFontNameClick"}}));
    c.push_back(Ctl("TLabel", "lbReplFontSize", original, {8, 60, 60, 16}, "Font Si&ze:"));
    c.push_back(
        Ctl("TEdit", "edReplFontSize", original, {72, 56, 40, 21}, "10", "", {}, {{"OnExit", "edNumericOnlyExit"}}));
    return c;
}

std::vector<TControlDesc> TitlesPageControls() {
    const char* const page = "nbOptions.Titles";
    const char* const top = "paMemoTitlesTop";
    std::vector<TControlDesc> c;

    c.push_back(Ctl("TPanel", "paRptMemoOptions", page, {0, 0, -1, 130}, "", "",
                    {{"Align", "alTop"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TLabel", "lbRptTitlesMemos", "paRptMemoOptions", {8, 4, 160, 16}, "Report Titles && Memos", "",
                    {{"Font.Style", "[fsBold, fsUnderline]"}}));
    c.push_back(Ctl("TListBox", "lbxMemoLocation", "paRptMemoOptions", {8, 22, 170, 104}, "",
                    "Choose title or memo|Select a report title or memo then enter text in the memo field.", {},
                    {{"OnClick", "lbxMemoLocationClick"}},
                    {"Report Title", "Report Header Memo", "Page Title", "Page Header Memo", "Page Footer Memo",
                     "Page Number Memo", "Report Footer Memo"}));

    // The chosen memo's position, alignment and visibility.
    c.push_back(Ctl("TPanel", top, "paRptMemoOptions", {184, 0, 440, 130}, "", "", {{"BevelOuter", "bvNone"}}));
    const TPropList memoExit{{"OnKeyPress", "edNumericOnlyKeyPress"}, {"OnExit", "edMemoXPosPerExit"}};
    c.push_back(RightLabel("lbMemoXPosPer", top, {0, 12, 116, 16}, "Left Mar&gin:"));
    c.push_back(Ctl("TEdit", "edMemoXPosPer", top, {118, 8, 40, 21}, "",
                    "0=Left Edge, 50=On Center Line, 80=Right Side, 100=Unprintable!!", {}, memoExit));
    c.push_back(Ctl("TLabel", "lbMemoXPosPerPercent", top, {162, 12, 12, 16}, "%"));
    c.push_back(RightLabel("lbMemoWidPer", top, {0, 36, 116, 16}, "Memo W&idth:"));
    c.push_back(
        Ctl("TEdit", "edMemoWidPer", top, {118, 32, 40, 21}, "", "Memo Width relative to page width", {}, memoExit));
    c.push_back(Ctl("TLabel", "lbMemoWidPerPercent", top, {162, 36, 12, 16}, "%"));
    c.push_back(RightLabel("lbMemoSpacesAbove", top, {0, 60, 116, 16}, "Space Above Memo:"));
    c.push_back(Ctl("TEdit", "edMemoSpacesAbove", top, {118, 56, 40, 21}, "",
                    "Blank Lines Above|# of blank lines to insert above memo or title.", {},
                    {{"OnExit", "edMemoXPosPerExit"}}));
    c.push_back(RightLabel("lbMemoSpacesBelow", top, {0, 84, 116, 16}, "Space Below Memo:"));
    c.push_back(Ctl("TEdit", "edMemoSpacesBelow", top, {118, 80, 40, 21}, "",
                    "Blank Lines|# of blank lines to insert below memo or title", {},
                    {{"OnExit", "edMemoXPosPerExit"}}));
    const TPropList memoClick{{"OnClick", "edMemoXPosPerExit"}};
    c.push_back(Ctl("TRadioButton", "rbRptMemoLeftJustify", top, {200, 8, 80, 17}, "&Left",
                    "Left Justify Title or Memo on Page", {}, memoClick));
    c.push_back(Ctl("TRadioButton", "rbRptMemoCenterJustify", top, {200, 28, 80, 17}, "&Center",
                    "Center Title or Memo on Page", {}, memoClick));
    c.push_back(Ctl("TRadioButton", "rbRptMemoRightJustify", top, {200, 48, 80, 17}, "&Right",
                    "Right Justify Title or Memo on Page", {}, memoClick));
    c.push_back(Ctl("TCheckBox", "cbMemoVisible", top, {200, 76, 80, 17}, "&Visible",
                    "|True=Title/memo gets printed. False=Don't print Title/memo", {}, memoClick));
    c.push_back(Ctl("TButton", "buMemoFont", top, {300, 8, 60, 25}, "&Font", "",
                    {{"Visible", "False"}, {"Enabled", "False"}}, {{"OnClick", "buMemoFontClick"}}));

    // The memo text between its margin labels.
    const char* const bottom = "paMemoTitlesBottom";
    c.push_back(
        Ctl("TPanel", bottom, page, {0, 130, -1, -1}, "", "", {{"Align", "alClient"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TLabel", "lbRptMemoLeftMargin", bottom, {0, 0, 180, 16}, "Left Margin 30%", "",
                    {{"AutoSize", "False"}, {"Alignment", "taCenter"}, {"WordWrap", "True"}}));
    c.push_back(Ctl("TMemo", "memRptMemo", bottom, {190, 0, 250, 190}, "",
                    "|Enter text for title, memo. |Ctrl-Up && Ctrl-Down Arrows scrolls thorugh memos (Auto-Saves)",
                    {{"ScrollBars", "ssVertical"}}, {{"OnExit", "memRptMemoExit"}}));
    c.push_back(Ctl("TLabel", "lbRptMemoRightMargin", bottom, {450, 0, 180, 16}, "Right Margin 30%", "",
                    {{"AutoSize", "False"}, {"Alignment", "taCenter"}, {"WordWrap", "True"}}));
    return c;
}

} // namespace trx
