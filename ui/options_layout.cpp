// The options dialog's form: frame, menus and pages, and the binding of its
// events to the handlers.
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/menus.h"
#include "framework/grids/db_grid.h"
#include "ui/options_dialog.h"
#include "ui/options_layout_parts.h"

namespace trx {

namespace {

std::vector<TControlDesc> FrameControls() {
    std::vector<TControlDesc> c;

    // Top bar.
    c.push_back(Ctl("TPanel", "paTop", "", {0, 0, 632, 32}, "", "", {{"Align", "alTop"}}));
    c.push_back(Ctl("TSpeedButton", "sbClose", "paTop", {10, 1, 30, 30}, "", "Exit|Exit without printing the report",
                    {{"Glyph", "Exit"}}, {{"OnClick", "bbCloseClick"}}));
    c.push_back(Ctl("TSpeedButton", "sbSaveOpts", "paTop", {46, 1, 30, 30}, "",
                    "Save Report Options|Save current report options (Disabled when Report Options are ReadOnly)",
                    {{"Glyph", "Save"}}, {{"OnClick", "sbSaveOptsClick"}}));
    c.push_back(Ctl("TSpeedButton", "sbPrint", "paTop", {82, 1, 60, 30}, "Print",
                    "Print Report|Print the report to the Output Destination", {}, {{"OnClick", "sbPrintClick"}}));
    c.push_back(Ctl("TSpeedButton", "sbPreview", "paTop", {142, 1, 30, 30}, "",
                    "Preview Report|Preview the report one page at a time on the screen (Disabled when not using "
                    "Printer or File output)",
                    {{"Glyph", "Preview"}}, {{"OnClick", "sbPreviewClick"}}));
    c.push_back(Ctl(
        "TComboBox", "cbxOutputDest", "paTop", {176, 5, 97, 21}, "",
        "Output Destination|Output Destination determines where output will be sent", {{"DropDownCount", "4"}},
        {{"OnChange", "cbxOutputDestChange"}, {"OnDblClick", "cbxOutputDestDblClick"}, {"OnExit", "cbxGenericExit"}},
        {"Printer", "Text File", "Export Data"}));
    c.push_back(Ctl("TSpeedButton", "sbPrinterSetup", "paTop", {277, 1, 30, 30}, "",
                    "Printer Setup (Ctrl-U)|Printer Setup changes printer settings", {{"Glyph", "PrinterSetup"}},
                    {{"OnClick", "sbPrinterSetupClick"}}));
    c.push_back(Ctl("TEdit", "edOutputFileName", "paTop", {312, 5, 161, 21}, "",
                    "Output File|The text file where the report will be sent", {},
                    {{"OnExit", "edOutputFileNameExit"}}));
    c.push_back(Ctl("TButton", "buBrowseFile", "paTop", {472, 5, 25, 21}, "...",
                    "Browse|Browse directory for output file", {{"Font.Style", "[fsBold]"}},
                    {{"OnClick", "sbPrinterSetupClick"}}));
    c.push_back(Ctl("TComboBox", "cbxIfOutputFileExists", "paTop", {498, 5, 86, 21}, "",
                    "When Output File Exists?|Determines what to do if Output file already exists", {},
                    {{"OnChange", "cbxIfOutputFileExistsChange"}, {"OnExit", "cbxGenericExit"}},
                    {"Overwrite", "Append", "Ask User"}));

    // Bottom bar: the report width, the page size and the destination over
    // the status panel, which holds the pages-across panel at its right.
    c.push_back(
        Ctl("TPanel", "paBottom", "", {0, 389, 632, 44}, "", "", {{"Align", "alBottom"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TPanel", "paMsg", "paBottom", {0, 22, 632, 22}, "", "",
                    {{"Align", "alBottom"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}));
    c.push_back(Ctl("TPanel", "paPagesAcross", "paMsg", {531, 1, 100, 20}, "",
                    "# of Pages Across|Wide reports may print on several pages horizontally. Use Shrink To Page or "
                    "Landscape",
                    {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}, {{"OnClick", "paPagesAcrossClick"}}));
    c.push_back(Ctl("TPanel", "paPageDimensions", "paBottom", {582, 0, 50, 22}, "",
                    "Printable Area|Printable area on the page", {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}));
    c.push_back(Ctl("TPanel", "paDestination", "paBottom", {432, 0, 150, 22}, "", "Output Destination",
                    {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}));
    c.push_back(Ctl("TPanel", "paRptStatus", "paBottom", {0, 0, 432, 22}, "",
                    "Width of report including all horizontal pages",
                    {{"Align", "alClient"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}));

    // The middle: the tab strip (made with the form) over the notebook.
    c.push_back(
        Ctl("TPanel", "paMiddle", "", {0, 32, 632, 357}, "", "", {{"Align", "alClient"}, {"BevelOuter", "bvNone"}}));
    c.push_back(Ctl("TNotebook", "nbOptions", "paMiddle", {0, 26, 632, 331}, "", "", {{"Align", "alClient"}}, {},
                    OptionsPageNames()));

    // Non-visual.
    c.push_back(
        {.Kind = "TTimer", .Name = "Timer1", .Props = {{"Enabled", "False"}}, .Events = {{"OnTimer", "Timer1Timer"}}});
    c.push_back({.Kind = "TSaveDialog", .Name = "SaveDialog1"});
    c.push_back({.Kind = "TFontDialog", .Name = "FontDialog1"});
    c.push_back({.Kind = "TPrinterSetupDialog", .Name = "PrinterSetupDialog1"});
    return c;
}

TControlDesc Item(const char* Name, const char* Parent, const char* Caption, const char* ShortCut = "",
                  const char* OnClick = "") {
    TControlDesc d{.Kind = "TMenuItem", .Name = Name, .Parent = Parent, .Caption = Caption};
    if (*ShortCut) d.Props.emplace_back("ShortCut", ShortCut);
    if (*OnClick) d.Events.emplace_back("OnClick", OnClick);
    return d;
}

std::vector<TControlDesc> MenuControls() {
    std::vector<TControlDesc> c;
    c.push_back({.Kind = "TMainMenu", .Name = "mmRptOpts"});
    c.push_back(Item("mnFile", "mmRptOpts", "&File", "", "mnFileClick"));
    c.push_back(Item("itmPreview", "mnFile", "Pre&view", "Ctrl+W", "itmPreviewClick"));
    c.push_back(Item("itmOutputDestination", "mnFile", "Output Destination", "Ctrl+O", "itmOutputDestinationClick"));
    c.push_back(Item("itmPrint", "mnFile", "&Print", "Ctrl+P", "itmPrintClick"));
    c.push_back(Item("itmOutputSetup", "mnFile", "Printer Set&up", "Ctrl+U", "sbPrinterSetupClick"));
    c.push_back(Item("N1", "mnFile", "-"));
    c.push_back(Item("itmSave", "mnFile", "&Save Options", "Ctrl+S", "itmSaveClick"));
    c.push_back(Item("itmCalcColSIze", "mnFile", "Size Column Widths", "", "itmCalcColSIzeClick"));
    c.back().Props.emplace_back("Visible", "False");
    c.push_back(Item("N2", "mnFile", "-"));
    c.push_back(Item("itmExit", "mnFile", "E&xit", "Ctrl+Q", "bbCloseClick"));
    c.push_back(Item("mnView", "mmRptOpts", "&View", "", "mnViewClick"));
    c.push_back(Item("itmGeneralTab", "mnView", "&General", "", "itmViewPage"));
    c.push_back(Item("itmOutputTab", "mnView", "O&utput"));
    c.push_back(Item("itmStylesTab", "mnView", "&Styles"));
    c.push_back(Item("itmTitlesTab", "mnView", "&Titles"));
    c.push_back(Item("itmSetupTab", "mnView", "Set&up"));
    c.push_back(Item("N3", "mnView", "-"));
    c.push_back(Item("itmTogglePages", "mnView", "Toggle Pages Visibility", "Ctrl+F10", "itmTogglePagesClick"));
    return c;
}

} // namespace

const TFormDesc& OptionsLayout() {
    static const TFormDesc d = [] {
        TFormDesc f{.Name = "fmTBXMain",
                    .Caption = "Report Options",
                    .ClientWidth = 632,
                    .ClientHeight = 433,
                    .Props = {{"BorderStyle", "bsNone"},
                              {"Font.Name", "Arial"},
                              {"KeyPreview", "True"},
                              {"ShowHint", "True"},
                              {"HelpContext", "200"},
                              {"Menu", "mmRptOpts"}},
                    .Events = {{"OnCreate", "FormCreate"},
                               {"OnDestroy", "FormDestroy"},
                               {"OnShow", "FormShow"},
                               {"OnCloseQuery", "FormCloseQuery"},
                               {"OnKeyDown", "FormKeyDown"},
                               {"OnResize", "FormResize"}}};
        for (auto part : {MenuControls, FrameControls, GeneralPageControls, OutputPageControls, StylePageControls,
                          TitlesPageControls, SetupPageControls})
            for (TControlDesc& c : part()) f.Controls.push_back(std::move(c));
        return f;
    }();
    return d;
}

void TfmTBXMain::BuildLayout() {
    RegisterDBGridLayoutKind();
    using M = TfmTBXMain;
    THandlerTable h;
    h.Add("FormCreate", this, &M::FormCreate)
        .Add("FormDestroy", this, &M::FormDestroy)
        .Add("FormShow", this, &M::FormShow)
        .Add("FormCloseQuery", this, &M::FormCloseQuery)
        .Add("FormKeyDown", this, &M::FormKeyDown)
        .Add("FormResize", this, &M::FormResize)
        // The run.
        .Add("bbCloseClick", this, &M::bbCloseClick)
        .Add("sbSaveOptsClick", this, &M::sbSaveOptsClick)
        .Add("sbPrintClick", this, &M::sbPrintClick)
        .Add("sbPreviewClick", this, &M::sbPreviewClick)
        .Add("itmPreviewClick", this, &M::itmPreviewClick)
        .Add("itmPrintClick", this, &M::itmPrintClick)
        .Add("itmSaveClick", this, &M::itmSaveClick)
        .Add("itmCalcColSIzeClick", this, &M::itmCalcColSIzeClick)
        .Add("mnFileClick", this, &M::mnFileClick)
        // Tabs, menus, hints.
        .Add("cbShowHintClick", this, &M::cbShowHintClick)
        .Add("Timer1Timer", this, &M::Timer1Timer)
        .Add("itmOutputDestinationClick", this, &M::itmOutputDestinationClick)
        .Add("paPagesAcrossClick", this, &M::paPagesAcrossClick)
        .Add("cbDisplayPagesClick", this, &M::cbDisplayPagesClick)
        .Add("mnViewClick", this, &M::mnViewClick)
        .Add("itmTogglePagesClick", this, &M::itmTogglePagesClick)
        .Add("itmViewPage", this, &M::itmViewPage)
        // Handlers that mark the settings modified or store one value.
        .Add("rbPrintWhatAllClick", this, &M::rbPrintWhatAllClick)
        .Add("cmbSnapshotSizeChange", this, &M::cmbSnapshotSizeChange)
        .Add("edOutputFileNameExit", this, &M::edOutputFileNameExit)
        .Add("cbFastPrinterTextClick", this, &M::cbFastPrinterTextClick)
        .Add("cbxIfOutputFileExistsChange", this, &M::cbxIfOutputFileExistsChange)
        .Add("cbxReportAlignmentExit", this, &M::cbxReportAlignmentExit)
        .Add("cbxReportAlignmentChange", this, &M::cbxReportAlignmentChange)
        .Add("cbCloseWinAfterPrintingClick", this, &M::cbCloseWinAfterPrintingClick)
        .Add("cbDisplayReportOptionsWinClick", this, &M::cbDisplayReportOptionsWinClick)
        .Add("cbAllowFastPrinterTextClick", this, &M::cbAllowFastPrinterTextClick)
        .Add("cmbExportFieldDelimExit", this, &M::cmbExportFieldDelimExit)
        .Add("cbPreviewFirstClick", this, &M::cbPreviewFirstClick)
        .Add("edStylesLocatorChange", this, &M::edStylesLocatorChange)
        .Add("cbMarkModifiedClick", this, &M::cbMarkModifiedClick)
        .Add("cbRptPWClick", this, &M::cbRptPWClick)
        .Add("cbRptOptPWClick", this, &M::cbRptOptPWClick)
        .Add("cbRptSetupPWClick", this, &M::cbRptSetupPWClick)
        .Add("cbSettingsReadOnlyClick", this, &M::cbSettingsReadOnlyClick)
        // Dependent controls, checks, printer, styles and memos.
        .Add("cbxOutputDestChange", this, &M::cbxOutputDestChange)
        .Add("cbxOutputDestDblClick", this, &M::cbxOutputDestDblClick)
        .Add("cbxGenericExit", this, &M::cbxGenericExit)
        .Add("edNumericOnlyKeyPress", this, &M::edNumericOnlyKeyPress)
        .Add("edNumericOnlyExit", this, &M::edNumericOnlyExit)
        .Add("sbPrinterSetupClick", this, &M::sbPrinterSetupClick)
        .Add("buTextFontNameClick", this, &M::buTextFontNameClick)
        .Add("buReplFontNameClick", this, &M::buReplFontNameClick)
        .Add("cbxOrientationChange", this, &M::cbxOrientationChange)
        .Add("edTextFontNameChange", this, &M::edTextFontNameChange)
        .Add("edTextFontSizeKeyPress", this, &M::edTextFontSizeKeyPress)
        .Add("cmbPrintersDropDown", this, &M::cmbPrintersDropDown)
        .Add("cmbPrintersExit", this, &M::cmbPrintersExit)
        .Add("cbDefaultPrinterClick", this, &M::cbDefaultPrinterClick)
        .Add("cmbPrintersChange", this, &M::cmbPrintersChange)
        .Add("cbShrinkToPageClick", this, &M::cbShrinkToPageClick)
        .Add("edStartingReportLineIdChange", this, &M::edStartingReportLineIdChange)
        .Add("lbxStyleOptsDblClick", this, &M::lbxStyleOptsDblClick)
        .Add("lbxStyleOptsKeyPress", this, &M::lbxStyleOptsKeyPress)
        .Add("lbxStyleOptsDrawItem", this, &M::lbxStyleOptsDrawItem)
        .Add("dbgStylesKeyDown", this, &M::dbgStylesKeyDown)
        .Add("cbxOutputQualityChange", this, &M::cbxOutputQualityChange)
        .Add("cbxOutputQualityDropDown", this, &M::cbxOutputQualityDropDown)
        .Add("cbxSnugfitChange", this, &M::cbxSnugfitChange)
        .Add("lbxMemoLocationClick", this, &M::lbxMemoLocationClick)
        .Add("memRptMemoExit", this, &M::memRptMemoExit)
        .Add("edMemoXPosPerExit", this, &M::edMemoXPosPerExit)
        .Add("buMemoFontClick", this, &M::buMemoFontClick)
        .Add("cbxColTitleAlignmentChange", this, &M::cbxColTitleAlignmentChange)
        .Add("edMaxMemoColWidExit", this, &M::edMaxMemoColWidExit)
        .Add("edMemoTimeFormatStrChange", this, &M::edMemoTimeFormatStrChange)
        .Add("edMemoDateFormatStrChange", this, &M::edMemoDateFormatStrChange)
        .Add("edMemoPageFormatStrChange", this, &M::edMemoPageFormatStrChange)
        .Add("rbCountNumRcdsClick", this, &M::rbCountNumRcdsClick);
    BuildForm(*this, OptionsLayout(), h);
    SetMessageHandler(WM_TerminateWindow, [this](TMessage& m) { TerminateWindow(m); });
    SetMessageHandler(WM_RestoreWindowSize, [this](TMessage& m) { RestoreWindowSize(m); });
}

} // namespace trx
