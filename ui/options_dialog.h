// The "Report Options" dialog: the run of one report. Print creates it and
// shows it modally; its first show loads the settings, fills the controls
// and decides whether to print at once, preview first or open the options
// window. Its five notebook pages (General, Output, Style, Titles, Setup)
// edit the run's ReportSettings.
//
// The class is spread over several files, each about one concern:
//   options_dialog.cpp    the run: creation, first show, print, save, close
//   options_layout*.cpp   the form's layout and the handlers of its events
//   options_pages.cpp     tabs, hidden pages, menus, keys, hints, resizing
//   options_transfer.cpp  settings to controls and back, and the handlers
//                         that only mark the settings modified
//   options_destination.cpp  the controls that depend on the destination,
//                         the object kind, the print choice and the quality
//   options_checks.cpp    the field checks and how a failed field is shown
//   options_printer.cpp   the printer set-up, the scale and the fonts
//   options_styles.cpp    the style option list and the output quality
//   options_memos.cpp     the memo editor
//   preview_window.cpp    the preview entry
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/report_types.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/grids/db_grid.h"
#include "framework/printing/graphics.h"

namespace trx {

class TDataSet;
struct TFormDesc;
class TRunProgressScope;
class TRunScope;
class TSaveOrig;
class TTabSetControl;
class TWindowProgress;

// Private messages the dialog posts to itself for its deferred actions.
constexpr uint32_t WM_TerminateWindow = 1125; // closes the dialog
constexpr uint32_t WM_RestoreWindowSize = 1126; // opens the options window

class TfmTBXMain : public TForm {
public:
    // Builds the form from its layout (BuildLayout); create it through
    // NewForm or Application()->CreateForm so that OnCreate runs.
    explicit TfmTBXMain(TComponent* AOwner);
    ~TfmTBXMain() override;

    // ---- The run (options_dialog.cpp) --------------------------------------
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormShow(TObject* Sender);
    void InitVars();
    void TerminateWindow(TMessage& Message);
    void RestoreWindowSize(TMessage& Message);
    void TerminateWindowOnError();
    void sbPrintClick(TObject* Sender);
    void sbPreviewClick(TObject* Sender);
    void sbSaveOptsClick(TObject* Sender);
    void itmPrintClick(TObject* Sender);
    void itmPreviewClick(TObject* Sender);
    void itmSaveClick(TObject* Sender);
    void SaveRptSettings(bool Check);
    // The last print run's outcome where the user looks: the reason of a
    // run aborted by a failure, unless its result window showed it, and the
    // file a printer that writes files wrote. On Panel, a status line the
    // user sees, when there is one; else the failure in a message box.
    void TellRunOutcome(TPanel* Panel);
    void bbCloseClick(TObject* Sender);
    void itmCalcColSIzeClick(TObject* Sender);
    void mnFileClick(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    bool OkToCloseForm();
    bool WasEditCtrlModified(TControl* Control);
    void ResetModified();

    // What the run owns from FormCreate to FormDestroy: the run's global
    // objects, the state it changes in the application and the printer, and
    // the progress window installed as the run's progress.
    std::unique_ptr<TRunScope> RunScope;
    std::unique_ptr<TSaveOrig> SaveOrig;
    std::unique_ptr<TWindowProgress> Progress;
    std::unique_ptr<TRunProgressScope> ProgressScope;
    // The form id of ObjInfo's CallerForm (set by Print), so that the form
    // gets the focus back only while it still exists.
    uint64_t CallerFormId = 0;
    // The dataset whose controls this run disabled, until the dialog closes
    // and enables them again.
    TDataSet* ControlsDisabledOf = nullptr;

    // ---- Tabs, hidden pages, menus, keys, hints (options_pages.cpp) --------
    // Index of the first tab named Name (case-insensitive), -1 when none.
    int CnvtTabStrToNdx(const std::string& Name) const;
    // Name is not hidden by HiddenTabs, or all pages are shown.
    bool CanTabBeVisible(const std::string& Name) const;
    // Inserts the tab of a page in page order, or deletes it.
    void SetTabVisible(const std::string& Name, bool Visible);
    // Rebuilds the tabs from HiddenTabs; ShowAll (after both passwords)
    // offers every page and opens Setup.
    void SetTabsVisibility(bool ShowAll);
    void cbShowHintClick(TObject* Sender);
    void ShowStatusHint(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    // Where the dialog's status messages go: the preview's status panel
    // while a preview window exists (it hides the dialog), else the dialog's.
    TPanel* StatusPanel() const;
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormResize(TObject* Sender);
    void itmOutputDestinationClick(TObject* Sender);
    void paPagesAcrossClick(TObject* Sender);
    void cbDisplayPagesClick(TObject* Sender);
    void mnViewClick(TObject* Sender);
    void itmTogglePagesClick(TObject* Sender);
    void itmViewPage(TObject* Sender);

    // ---- Settings to controls and back (options_transfer.cpp) --------------
    void AssignScreenFields();
    void SaveScreenFields();
    // Selects the first item starting with Letter (upper-cased), else the
    // last starting with the first letter of Default, else none.
    void SetComboBoxText(TComboBox* Combo, const std::string& Letter, const std::string& Default);
    void rbPrintWhatAllClick(TObject* Sender);
    void cmbSnapshotSizeChange(TObject* Sender);
    void edOutputFileNameExit(TObject* Sender);
    void cbFastPrinterTextClick(TObject* Sender);
    void cbxIfOutputFileExistsChange(TObject* Sender);
    void cbxReportAlignmentExit(TObject* Sender);
    void cbxReportAlignmentChange(TObject* Sender);
    void cbCloseWinAfterPrintingClick(TObject* Sender);
    void cbDisplayReportOptionsWinClick(TObject* Sender);
    void cbAllowFastPrinterTextClick(TObject* Sender);
    void cmbExportFieldDelimExit(TObject* Sender);
    void cbPreviewFirstClick(TObject* Sender);
    void edStylesLocatorChange(TObject* Sender);
    // Boxes whose change only marks the settings modified.
    void cbMarkModifiedClick(TObject* Sender);
    // Password and read-only boxes of the Setup page.
    void cbRptPWClick(TObject* Sender);
    void cbRptOptPWClick(TObject* Sender);
    void cbRptSetupPWClick(TObject* Sender);
    void cbSettingsReadOnlyClick(TObject* Sender);

    // ---- Dependent controls and the destination (options_destination.cpp)
    // Derives the destination flags from the controls, then the rules of
    // the controls that Sender can affect (all of them with All).
    void SetOptions(TObject* Sender, bool All);
    void cbxOutputDestChange(TObject* Sender);
    void cbxOutputDestDblClick(TObject* Sender);

    // ---- Field checks (options_checks.cpp) -------------------------------
    // Runs the rules of Sender (all rules with All); the first that fails
    // shows its field and message, and nothing is stored. When all pass,
    // the controls are stored into the settings.
    bool ChkOptions(TObject* Sender, bool All, bool Focus);
    bool ChkFldIntRange(TWinControl* Control, int Min, int Max, const std::string& FieldName, const std::string& Units,
                        bool Focus);
    void SetCtrlFocus(TWinControl* Control, bool Focus, const std::string& Msg);
    std::string GetExportFldStr(const std::string& S) const;
    void cbxGenericExit(TObject* Sender);
    void edNumericOnlyKeyPress(TObject* Sender, char& Key);
    void edNumericOnlyExit(TObject* Sender);

    // ---- Printer, styles, memos (options_printer/styles/memos.cpp) -------
    void SetupPrinter(bool ShowMsg);
    void DisplayRptWid();
    bool ChooseFont(TFontDialogOption Offer, TEdit* NameEdit, TEdit* SizeEdit, std::string& Name, int32_t& Size,
                    int32_t& Style, int32_t& Color);
    void sbPrinterSetupClick(TObject* Sender);
    void buTextFontNameClick(TObject* Sender);
    void buReplFontNameClick(TObject* Sender);
    void cbxOrientationChange(TObject* Sender);
    void edTextFontNameChange(TObject* Sender);
    void edTextFontSizeKeyPress(TObject* Sender, char& Key);
    void cmbPrintersDropDown(TObject* Sender);
    void cmbPrintersExit(TObject* Sender);
    void cbDefaultPrinterClick(TObject* Sender);
    void cmbPrintersChange(TObject* Sender);
    void cbShrinkToPageClick(TObject* Sender);
    void edStartingReportLineIdChange(TObject* Sender);
    void LoadlbxStyleOpts(bool Force);
    void SetpaStyleOptsHeight();
    void lbxStyleOptsDblClick(TObject* Sender);
    void lbxStyleOptsKeyPress(TObject* Sender, char& Key);
    void lbxStyleOptsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void dbgStylesKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void cbxOutputQualityChange(TObject* Sender);
    void cbxOutputQualityDropDown(TObject* Sender);
    void cbxSnugfitChange(TObject* Sender);
    void SetRptMemo();
    void SetRptMemoDim();
    void lbxMemoLocationClick(TObject* Sender);
    void memRptMemoExit(TObject* Sender);
    void edMemoXPosPerExit(TObject* Sender);
    void buMemoFontClick(TObject* Sender);
    void cbxColTitleAlignmentChange(TObject* Sender);
    void edMaxMemoColWidExit(TObject* Sender);
    void edMemoTimeFormatStrChange(TObject* Sender);
    void edMemoDateFormatStrChange(TObject* Sender);
    void edMemoPageFormatStrChange(TObject* Sender);
    void rbCountNumRcdsClick(TObject* Sender);

    // ---- Own state ---------------------------------------------------------
    bool FirstShow = false;
    bool AllPagesShown = false;
    bool ReadOnlyAtStart = false;
    // Set while the controls are filled or a tab change runs: the change
    // handlers then neither react nor mark the settings modified.
    bool Assigning = false;
    bool SuppressSetOptions = false;
    bool SuppressChkOptions = false;
    // Set while SetCtrlFocus moves the focus to a failed field: the exit
    // checks that the move sets off do not move it again.
    bool FocusingField = false;
    // The memo the memo editor holds (-1: none); its text is stored there
    // whatever the memo list shows meanwhile.
    int EditedMemo = -1;
    uint8_t StyleListObjType = 0;
    uint8_t StyleListQuality = 0;
    int32_t SavedWidth = 0;
    int32_t SavedHeight = 0;
    TTabSetControl* TabSet = nullptr;
    // The unit the unit-dependent fields were filled in (text or thousandths,
    // never pixels); they are stored back in the same unit.
    TUnitsOfMeasure ScreenUnits = TUnitsOfMeasure::umTxt;

    // ---- Controls, bound once from the layout ------------------------------
    // Top bar.
    TRX_FIELD(TPanel, paTop);
    TRX_FIELD(TSpeedButton, sbClose);
    TRX_FIELD(TSpeedButton, sbSaveOpts);
    TRX_FIELD(TSpeedButton, sbPrint);
    TRX_FIELD(TSpeedButton, sbPreview);
    TRX_FIELD(TComboBox, cbxOutputDest);
    TRX_FIELD(TSpeedButton, sbPrinterSetup);
    TRX_FIELD(TEdit, edOutputFileName);
    TRX_FIELD(TButton, buBrowseFile);
    TRX_FIELD(TComboBox, cbxIfOutputFileExists);
    // Middle and bottom.
    TRX_FIELD(TPanel, paMiddle);
    TRX_FIELD(TNotebook, nbOptions);
    TRX_FIELD(TPanel, paBottom);
    TRX_FIELD(TPanel, paRptStatus);
    TRX_FIELD(TPanel, paPageDimensions);
    TRX_FIELD(TPanel, paDestination);
    TRX_FIELD(TPanel, paMsg);
    TRX_FIELD(TPanel, paPagesAcross);
    // Non-visual.
    TRX_FIELD(TTimer, Timer1);
    TRX_FIELD(TSaveDialog, SaveDialog1);
    TRX_FIELD(TFontDialog, FontDialog1);
    TRX_FIELD(TPrinterSetupDialog, PrinterSetupDialog1);
    // Main menu.
    TRX_FIELD(TMainMenu, mmRptOpts);
    TRX_FIELD(TMenuItem, mnFile);
    TRX_FIELD(TMenuItem, itmPreview);
    TRX_FIELD(TMenuItem, itmOutputDestination);
    TRX_FIELD(TMenuItem, itmPrint);
    TRX_FIELD(TMenuItem, itmOutputSetup);
    TRX_FIELD(TMenuItem, itmSave);
    TRX_FIELD(TMenuItem, itmCalcColSIze);
    TRX_FIELD(TMenuItem, itmExit);
    TRX_FIELD(TMenuItem, mnView);
    TRX_FIELD(TMenuItem, itmGeneralTab);
    TRX_FIELD(TMenuItem, itmOutputTab);
    TRX_FIELD(TMenuItem, itmStylesTab);
    TRX_FIELD(TMenuItem, itmTitlesTab);
    TRX_FIELD(TMenuItem, itmSetupTab);
    TRX_FIELD(TMenuItem, itmTogglePages);

    // General page: Print What?
    TRX_FIELD(TGroupBox, gbPrintWhat);
    TRX_FIELD(TRadioButton, rbPrintWhatAll);
    TRX_FIELD(TRadioButton, rbPrintWhatCurrentPage);
    TRX_FIELD(TRadioButton, rbPrintWhatCurrentBranchAll);
    TRX_FIELD(TRadioButton, rbPrintWhatCurrentBranchDown);
    TRX_FIELD(TRadioButton, rbPrintWhatTestPage);
    TRX_FIELD(TRadioButton, rbPrintWhatWindowSnapshot);
    TRX_FIELD(TRadioButton, rbPrintWhatPageRange);
    TRX_FIELD(TLabel, lbPageRangeFrom);
    TRX_FIELD(TEdit, edPageRangeFrom);
    TRX_FIELD(TLabel, lbPageRangeTo);
    TRX_FIELD(TEdit, edPageRangeTo);
    TRX_FIELD(TComboBox, cmbSnapshotSize);
    // General page: Formatting Options.
    TRX_FIELD(TGroupBox, gbFormattingOptions);
    TRX_FIELD(TLabel, lbPanelsAcrossPage);
    TRX_FIELD(TEdit, edPanelsAcrossPage);
    TRX_FIELD(TLabel, lbInterPanelGap);
    TRX_FIELD(TEdit, edInterPanelGap);
    TRX_FIELD(TLabel, lbNodeIndentation);
    TRX_FIELD(TEdit, edNodeIndentation);
    TRX_FIELD(TLabel, lbHorizLineFreq);
    TRX_FIELD(TEdit, edHorizLineFreq);
    TRX_FIELD(TLabel, lbVertHtAdjPer);
    TRX_FIELD(TEdit, edVertHtAdjPer);
    TRX_FIELD(TLabel, lbVertHtAdjPerPercentSymbol);
    TRX_FIELD(TLabel, lbMaxStringColWid);
    TRX_FIELD(TEdit, edMaxStringColWid);
    TRX_FIELD(TLabel, lbMaxMemoColWid);
    TRX_FIELD(TEdit, edMaxMemoColWid);
    TRX_FIELD(TLabel, lbMaxStringLines);
    TRX_FIELD(TEdit, edMaxStringLines);
    TRX_FIELD(TLabel, lbMaxMemoLines);
    TRX_FIELD(TEdit, edMaxMemoLines);
    TRX_FIELD(TLabel, lbStartingReportLineId);
    TRX_FIELD(TEdit, edStartingReportLineId);
    TRX_FIELD(TLabel, lbColTitlesAlignment);
    TRX_FIELD(TComboBox, cbxColTitleAlignment);
    // General page: Snugfitting and record counting.
    TRX_FIELD(TGroupBox, gbSnugfitting);
    TRX_FIELD(TComboBox, cbxSnugfit);
    TRX_FIELD(TLabel, lbMaxRowsToSnugfit);
    TRX_FIELD(TEdit, edMaxRowsToSnugfit);
    TRX_FIELD(TGroupBox, gbDatasetRowCounting);
    TRX_FIELD(TRadioButton, rbCountNumRcds);
    TRX_FIELD(TRadioButton, rbEstimateNumRcds);
    TRX_FIELD(TLabel, lbRcdEstimate);
    TRX_FIELD(TEdit, edRcdEstimate);
    TRX_FIELD(TEdit, edNumericOnly);

    // Output page: Margins.
    TRX_FIELD(TGroupBox, gbMargins);
    TRX_FIELD(TLabel, lbMarginTop);
    TRX_FIELD(TLabel, lbMarginLeft);
    TRX_FIELD(TLabel, lbMarginRight);
    TRX_FIELD(TLabel, lbMarginBottom);
    TRX_FIELD(TLabel, lbPageMargin);
    TRX_FIELD(TLabel, lbCellMargin);
    TRX_FIELD(TEdit, edPageMarginTop);
    TRX_FIELD(TEdit, edPageMarginLeft);
    TRX_FIELD(TEdit, edPageMarginRight);
    TRX_FIELD(TEdit, edPageMarginBottom);
    TRX_FIELD(TEdit, edCellMarginTop);
    TRX_FIELD(TEdit, edCellMarginLeft);
    TRX_FIELD(TEdit, edCellMarginRight);
    TRX_FIELD(TEdit, edCellMarginBottom);
    // Output page: Report Position.
    TRX_FIELD(TGroupBox, gbPosition);
    TRX_FIELD(TLabel, lbOrientation);
    TRX_FIELD(TComboBox, cbxOrientation);
    TRX_FIELD(TLabel, lbReportAlignment);
    TRX_FIELD(TComboBox, cbxReportAlignment);
    // Output page: Output Options.
    TRX_FIELD(TGroupBox, gbOutputOptions);
    TRX_FIELD(TLabel, lbSmallestFontSize);
    TRX_FIELD(TEdit, edSmallestFontSize);
    TRX_FIELD(TLabel, lbLargestFontSize);
    TRX_FIELD(TEdit, edLargestFontSize);
    TRX_FIELD(TLabel, lbLinesPerPage);
    TRX_FIELD(TEdit, edLinesPerPage);
    TRX_FIELD(TLabel, lbTxtCharsPageWid);
    TRX_FIELD(TEdit, edTxtCharsPageWid);
    TRX_FIELD(TCheckBox, cbShrinkToPage);
    TRX_FIELD(TCheckBox, cbExpandToPage);
    // Output page: Export Options.
    TRX_FIELD(TGroupBox, gbExportOptions);
    TRX_FIELD(TLabel, lbExportFieldDelim);
    TRX_FIELD(TComboBox, cmbExportFieldDelim);
    TRX_FIELD(TLabel, lbExportQuote);
    TRX_FIELD(TComboBox, cmbExportQuote);
    TRX_FIELD(TLabel, lbMaxExportLength);
    TRX_FIELD(TLabel, lbExportMaxStrLng);
    TRX_FIELD(TEdit, edExportMaxStrLng);
    TRX_FIELD(TLabel, lbExportMaxMemoLng);
    TRX_FIELD(TEdit, edExportMaxMemoLng);
    TRX_FIELD(TCheckBox, cbExportOnlyPrintableChrs);
    // Output page: Fast Printer Text and the printer.
    TRX_FIELD(TGroupBox, gbFastPrinterText);
    TRX_FIELD(TCheckBox, cbFastPrinterText);
    TRX_FIELD(TLabel, lbFastTextPrinterInit);
    TRX_FIELD(TEdit, edFastTextPrinterInit);
    TRX_FIELD(TLabel, lbFastTextPrinterFinish);
    TRX_FIELD(TEdit, edFastTextPrinterFinish);
    TRX_FIELD(TComboBox, cmbPrinters);
    TRX_FIELD(TCheckBox, cbDefaultPrinter);
    TRX_FIELD(TCheckBox, cbUseReportViewer);

    // Style page.
    TRX_FIELD(TPanel, paStylesLeft);
    TRX_FIELD(TPanel, paStyleOpts);
    TRX_FIELD(TPanel, paStyleOptsInclude);
    TRX_FIELD(TListBox, lbxStyleOpts);
    TRX_FIELD(TPanel, paOutputQuality);
    TRX_FIELD(TComboBox, cbxOutputQuality);
    TRX_FIELD(TPanel, paStyle);
    TRX_FIELD(TNotebook, nbStyles);
    TRX_FIELD(TPanel, paStyles);
    TRX_FIELD(TDBGrid, dbgStyles);
    TRX_FIELD(TEdit, edStylesLocator);
    TRX_FIELD(TEdit, edTextFontName);
    TRX_FIELD(TButton, buTextFontName);
    TRX_FIELD(TEdit, edTextFontSize);
    TRX_FIELD(TEdit, edReplFontName);
    TRX_FIELD(TButton, buReplFontName);
    TRX_FIELD(TEdit, edReplFontSize);

    // Titles page.
    TRX_FIELD(TPanel, paRptMemoOptions);
    TRX_FIELD(TPanel, paMemoTitlesTop);
    TRX_FIELD(TListBox, lbxMemoLocation);
    TRX_FIELD(TLabel, lbMemoXPosPer);
    TRX_FIELD(TEdit, edMemoXPosPer);
    TRX_FIELD(TLabel, lbMemoWidPer);
    TRX_FIELD(TEdit, edMemoWidPer);
    TRX_FIELD(TLabel, lbMemoSpacesAbove);
    TRX_FIELD(TEdit, edMemoSpacesAbove);
    TRX_FIELD(TLabel, lbMemoSpacesBelow);
    TRX_FIELD(TEdit, edMemoSpacesBelow);
    TRX_FIELD(TRadioButton, rbRptMemoLeftJustify);
    TRX_FIELD(TRadioButton, rbRptMemoCenterJustify);
    TRX_FIELD(TRadioButton, rbRptMemoRightJustify);
    TRX_FIELD(TCheckBox, cbMemoVisible);
    TRX_FIELD(TButton, buMemoFont);
    TRX_FIELD(TPanel, paMemoTitlesBottom);
    TRX_FIELD(TLabel, lbRptMemoLeftMargin);
    TRX_FIELD(TMemo, memRptMemo);
    TRX_FIELD(TLabel, lbRptMemoRightMargin);

    // Setup page.
    TRX_FIELD(TGroupBox, gbDisplayPages);
    TRX_FIELD(TCheckBox, cbShowGeneralPage);
    TRX_FIELD(TCheckBox, cbShowOutputPage);
    TRX_FIELD(TCheckBox, cbShowStylePage);
    TRX_FIELD(TCheckBox, cbShowTitlesPage);
    TRX_FIELD(TCheckBox, cbShowSetupPage);
    TRX_FIELD(TGroupBox, gbDisplayReportOptions);
    TRX_FIELD(TCheckBox, cbPauseAfterPrinting);
    TRX_FIELD(TCheckBox, cbShowHint);
    TRX_FIELD(TCheckBox, cbDisplayReportOptionsWin);
    TRX_FIELD(TCheckBox, cbCloseWinAfterPrinting);
    TRX_FIELD(TCheckBox, cbAllowFastPrinterText);
    TRX_FIELD(TCheckBox, cbDisplayProgressWindow);
    TRX_FIELD(TCheckBox, cbSettingsReadOnly);
    TRX_FIELD(TCheckBox, cbPreviewFirst);
    TRX_FIELD(TGroupBox, gbPasswords);
    TRX_FIELD(TCheckBox, cbRptPW);
    TRX_FIELD(TCheckBox, cbRptOptPW);
    TRX_FIELD(TCheckBox, cbRptSetupPW);
    TRX_FIELD(TGroupBox, gbMemoFormats);
    TRX_FIELD(TLabel, lbMemoTimeFormatStr);
    TRX_FIELD(TEdit, edMemoTimeFormatStr);
    TRX_FIELD(TLabel, lbMemoDateFormatStr);
    TRX_FIELD(TEdit, edMemoDateFormatStr);
    TRX_FIELD(TLabel, lbMemoPageFormatStr);
    TRX_FIELD(TEdit, edMemoPageFormatStr);

private:
    // Builds the form from its layout, which sets the fields of the
    // controls above (options_layout.cpp).
    void BuildLayout();
};

// The dialog while a report runs, else nullptr.
extern TfmTBXMain* fmTBXMain;
// The dialog's layout (options_layout*.cpp), which BuildLayout builds.
const TFormDesc& OptionsLayout();

// The five notebook pages, in page order.
inline const std::vector<std::string>& OptionsPageNames() {
    static const std::vector<std::string> names{"General", "Output", "Style", "Titles", "Setup"};
    return names;
}

// ---- Combo, number and path conversions (options_transfer.cpp) -------------
// The index of the combo's text among its items (case-insensitive); when
// none, Default, and with SelectDefault that item is selected too.
int GetComboItemNdx(TComboBox* Combo, int Default, bool SelectDefault);
// Selects the first item whose stored value (Values, parallel to the items)
// equals Value; when none, the combo shows Value itself.
void SetComboFromValue(const std::string& Value, TComboBox* Combo, const std::vector<std::string>& Values);
// The stored value of the item named by the combo's text (case-insensitive),
// else the text itself.
std::string GetComboValue(TComboBox* Combo, const std::vector<std::string>& Names,
                          const std::vector<std::string>& Values);
// The trimmed text read as a decimal integer; 0 when it is not one.
int TrimStrToInt(const std::string& S);
// Sender is an edit whose text the user changed.
bool EditModified(TObject* Sender);
// The path shortened with "..." to fit Width pixels on Canvas; never longer
// than Path.
std::string FitPathToWid(const std::string& Path, TCanvas& Canvas, int Width);

// Runs one preview; true when the options window is to follow.
bool Preview();

} // namespace trx
