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
    return {
        // Top bar.
        {.Kind = "TPanel", .Name = "paTop", .Width = 632, .Height = 32, .Props = {{"Align", "alTop"}}},
        {.Kind = "TSpeedButton",
         .Name = "sbClose",
         .Parent = "paTop",
         .Left = 10,
         .Top = 1,
         .Width = 30,
         .Height = 30,
         .Hint = "Exit|Exit without printing the report",
         .Props = {{"Glyph", "Exit"}},
         .Events = {{"OnClick", "bbCloseClick"}}},
        {.Kind = "TSpeedButton",
         .Name = "sbSaveOpts",
         .Parent = "paTop",
         .Left = 46,
         .Top = 1,
         .Width = 30,
         .Height = 30,
         .Hint = "Save Report Options|Save current report options (Disabled when Report Options are ReadOnly)",
         .Props = {{"Glyph", "Save"}},
         .Events = {{"OnClick", "sbSaveOptsClick"}}},
        {.Kind = "TSpeedButton",
         .Name = "sbPrint",
         .Parent = "paTop",
         .Left = 82,
         .Top = 1,
         .Width = 60,
         .Height = 30,
         .Caption = "Print",
         .Hint = "Print Report|Print the report to the Output Destination",
         .Events = {{"OnClick", "sbPrintClick"}}},
        {.Kind = "TSpeedButton",
         .Name = "sbPreview",
         .Parent = "paTop",
         .Left = 142,
         .Top = 1,
         .Width = 30,
         .Height = 30,
         .Hint = "Preview Report|Preview the report one page at a time on the screen (Disabled when not using Printer "
                 "or File output)",
         .Props = {{"Glyph", "Preview"}},
         .Events = {{"OnClick", "sbPreviewClick"}}},
        {.Kind = "TComboBox",
         .Name = "cbxOutputDest",
         .Parent = "paTop",
         .Left = 176,
         .Top = 5,
         .Width = 97,
         .Height = 21,
         .Hint = "Output Destination|Output Destination determines where output will be sent",
         .Items = {"Printer", "Text File", "Export Data"},
         .Props = {{"DropDownCount", "4"}},
         .Events = {{"OnChange", "cbxOutputDestChange"},
                    {"OnDblClick", "cbxOutputDestDblClick"},
                    {"OnExit", "cbxGenericExit"}}},
        {.Kind = "TSpeedButton",
         .Name = "sbPrinterSetup",
         .Parent = "paTop",
         .Left = 277,
         .Top = 1,
         .Width = 30,
         .Height = 30,
         .Hint = "Printer Setup (Ctrl-U)|Printer Setup changes printer settings",
         .Props = {{"Glyph", "PrinterSetup"}},
         .Events = {{"OnClick", "sbPrinterSetupClick"}}},
        {.Kind = "TEdit",
         .Name = "edOutputFileName",
         .Parent = "paTop",
         .Left = 312,
         .Top = 5,
         .Width = 161,
         .Height = 21,
         .Hint = "Output File|The text file where the report will be sent",
         .Events = {{"OnExit", "edOutputFileNameExit"}}},
        {.Kind = "TButton",
         .Name = "buBrowseFile",
         .Parent = "paTop",
         .Left = 472,
         .Top = 5,
         .Width = 25,
         .Height = 21,
         .Caption = "...",
         .Hint = "Browse|Browse directory for output file",
         .Props = {{"Font.Style", "[fsBold]"}},
         .Events = {{"OnClick", "sbPrinterSetupClick"}}},
        {.Kind = "TComboBox",
         .Name = "cbxIfOutputFileExists",
         .Parent = "paTop",
         .Left = 498,
         .Top = 5,
         .Width = 86,
         .Height = 21,
         .Hint = "When Output File Exists?|Determines what to do if Output file already exists",
         .Items = {"Overwrite", "Append", "Ask User"},
         .Events = {{"OnChange", "cbxIfOutputFileExistsChange"}, {"OnExit", "cbxGenericExit"}}},

        // Bottom bar: the report width, the page size and the destination over
        // the status panel, which holds the pages-across panel at its right.
        {.Kind = "TPanel",
         .Name = "paBottom",
         .Top = 389,
         .Width = 632,
         .Height = 44,
         .Props = {{"Align", "alBottom"}, {"BevelOuter", "bvNone"}}},
        {.Kind = "TPanel",
         .Name = "paMsg",
         .Parent = "paBottom",
         .Top = 22,
         .Width = 632,
         .Height = 22,
         .Props = {{"Align", "alBottom"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}},
        {.Kind = "TPanel",
         .Name = "paPagesAcross",
         .Parent = "paMsg",
         .Left = 531,
         .Top = 1,
         .Width = 100,
         .Height = 20,
         .Hint =
             "# of Pages Across|Wide reports may print on several pages horizontally. Use Shrink To Page or Landscape",
         .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}},
         .Events = {{"OnClick", "paPagesAcrossClick"}}},
        {.Kind = "TPanel",
         .Name = "paPageDimensions",
         .Parent = "paBottom",
         .Left = 582,
         .Width = 50,
         .Height = 22,
         .Hint = "Printable Area|Printable area on the page",
         .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}},
        {.Kind = "TPanel",
         .Name = "paDestination",
         .Parent = "paBottom",
         .Left = 432,
         .Width = 150,
         .Height = 22,
         .Hint = "Output Destination",
         .Props = {{"Align", "alRight"}, {"BevelOuter", "bvLowered"}}},
        {.Kind = "TPanel",
         .Name = "paRptStatus",
         .Parent = "paBottom",
         .Width = 432,
         .Height = 22,
         .Hint = "Width of report including all horizontal pages",
         .Props = {{"Align", "alClient"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}},

        // The middle: the tab strip (made with the form) over the notebook.
        {.Kind = "TPanel",
         .Name = "paMiddle",
         .Top = 32,
         .Width = 632,
         .Height = 357,
         .Props = {{"Align", "alClient"}, {"BevelOuter", "bvNone"}}},
        {.Kind = "TNotebook",
         .Name = "nbOptions",
         .Parent = "paMiddle",
         .Top = 26,
         .Width = 632,
         .Height = 331,
         .Items = OptionsPageNames(),
         .Props = {{"Align", "alClient"}}},

        // Non-visual.
        {.Kind = "TTimer", .Name = "Timer1", .Props = {{"Enabled", "False"}}, .Events = {{"OnTimer", "Timer1Timer"}}},
        {.Kind = "TSaveDialog", .Name = "SaveDialog1"},
        {.Kind = "TFontDialog", .Name = "FontDialog1"},
        {.Kind = "TPrinterSetupDialog", .Name = "PrinterSetupDialog1"},
    };
}

std::vector<TControlDesc> MenuControls() {
    return {
        {.Kind = "TMainMenu", .Name = "mmRptOpts"},

        // The File menu.
        {.Kind = "TMenuItem",
         .Name = "mnFile",
         .Parent = "mmRptOpts",
         .Caption = "&File",
         .Events = {{"OnClick", "mnFileClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmPreview",
         .Parent = "mnFile",
         .Caption = "Pre&view",
         .Props = {{"ShortCut", "Ctrl+W"}},
         .Events = {{"OnClick", "itmPreviewClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmOutputDestination",
         .Parent = "mnFile",
         .Caption = "Output Destination",
         .Props = {{"ShortCut", "Ctrl+O"}},
         .Events = {{"OnClick", "itmOutputDestinationClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmPrint",
         .Parent = "mnFile",
         .Caption = "&Print",
         .Props = {{"ShortCut", "Ctrl+P"}},
         .Events = {{"OnClick", "itmPrintClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmOutputSetup",
         .Parent = "mnFile",
         .Caption = "Printer Set&up",
         .Props = {{"ShortCut", "Ctrl+U"}},
         .Events = {{"OnClick", "sbPrinterSetupClick"}}},
        {.Kind = "TMenuItem", .Name = "N1", .Parent = "mnFile", .Caption = "-"},
        {.Kind = "TMenuItem",
         .Name = "itmSave",
         .Parent = "mnFile",
         .Caption = "&Save Options",
         .Props = {{"ShortCut", "Ctrl+S"}},
         .Events = {{"OnClick", "itmSaveClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmCalcColSIze",
         .Parent = "mnFile",
         .Caption = "Size Column Widths",
         .Props = {{"Visible", "False"}},
         .Events = {{"OnClick", "itmCalcColSIzeClick"}}},
        {.Kind = "TMenuItem", .Name = "N2", .Parent = "mnFile", .Caption = "-"},
        {.Kind = "TMenuItem",
         .Name = "itmExit",
         .Parent = "mnFile",
         .Caption = "E&xit",
         .Props = {{"ShortCut", "Ctrl+Q"}},
         .Events = {{"OnClick", "bbCloseClick"}}},

        // The View menu.
        {.Kind = "TMenuItem",
         .Name = "mnView",
         .Parent = "mmRptOpts",
         .Caption = "&View",
         .Events = {{"OnClick", "mnViewClick"}}},
        {.Kind = "TMenuItem",
         .Name = "itmGeneralTab",
         .Parent = "mnView",
         .Caption = "&General",
         .Events = {{"OnClick", "itmViewPage"}}},
        {.Kind = "TMenuItem", .Name = "itmOutputTab", .Parent = "mnView", .Caption = "O&utput"},
        {.Kind = "TMenuItem", .Name = "itmStylesTab", .Parent = "mnView", .Caption = "&Styles"},
        {.Kind = "TMenuItem", .Name = "itmTitlesTab", .Parent = "mnView", .Caption = "&Titles"},
        {.Kind = "TMenuItem", .Name = "itmSetupTab", .Parent = "mnView", .Caption = "Set&up"},
        {.Kind = "TMenuItem", .Name = "N3", .Parent = "mnView", .Caption = "-"},
        {.Kind = "TMenuItem",
         .Name = "itmTogglePages",
         .Parent = "mnView",
         .Caption = "Toggle Pages Visibility",
         .Props = {{"ShortCut", "Ctrl+F10"}},
         .Events = {{"OnClick", "itmTogglePagesClick"}}},
    };
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
