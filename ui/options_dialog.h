// The "Report Options" dialog: the run of one report. Print creates it and
// shows it modally; its first show loads the settings, fills the controls
// and decides whether to print at once, preview first or open the options
// window. Its five notebook pages (General, Output, Style, Titles, Setup)
// edit the run's ReportSettings.
//
// The class is spread over several files, each about one concern:
//   options_dialog.cpp    the run: creation, first show, print, save, close
//   options_layout*.cpp   the form's layout and the binding of its controls
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
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/graphics.h"

namespace trx {

class TButton;
class TCheckBox;
class TComboBox;
class TDataSet;
class TDBGrid;
class TEdit;
class TFontDialog;
struct TFormDesc;
enum class TFontDialogOption : uint8_t;
class TGroupBox;
class TLabel;
class TListBox;
class TMainMenu;
class TMemo;
class TMenuItem;
class TNotebook;
class TPanel;
class TPrinterSetupDialog;
class TRadioButton;
class TRunProgressScope;
class TRunScope;
class TSaveDialog;
class TSaveOrig;
class TSpeedButton;
class TTabSetControl;
class TTimer;
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
    TPanel* paTop = nullptr;
    TSpeedButton* sbClose = nullptr;
    TSpeedButton* sbSaveOpts = nullptr;
    TSpeedButton* sbPrint = nullptr;
    TSpeedButton* sbPreview = nullptr;
    TComboBox* cbxOutputDest = nullptr;
    TSpeedButton* sbPrinterSetup = nullptr;
    TEdit* edOutputFileName = nullptr;
    TButton* buBrowseFile = nullptr;
    TComboBox* cbxIfOutputFileExists = nullptr;
    // Middle and bottom.
    TPanel* paMiddle = nullptr;
    TNotebook* nbOptions = nullptr;
    TPanel* paBottom = nullptr;
    TPanel* paRptStatus = nullptr;
    TPanel* paPageDimensions = nullptr;
    TPanel* paDestination = nullptr;
    TPanel* paMsg = nullptr;
    TPanel* paPagesAcross = nullptr;
    // Non-visual.
    TTimer* Timer1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;
    // Main menu.
    TMainMenu* mmRptOpts = nullptr;
    TMenuItem* mnFile = nullptr;
    TMenuItem* itmPreview = nullptr;
    TMenuItem* itmOutputDestination = nullptr;
    TMenuItem* itmPrint = nullptr;
    TMenuItem* itmOutputSetup = nullptr;
    TMenuItem* itmSave = nullptr;
    TMenuItem* itmCalcColSIze = nullptr;
    TMenuItem* itmExit = nullptr;
    TMenuItem* mnView = nullptr;
    TMenuItem* itmGeneralTab = nullptr;
    TMenuItem* itmOutputTab = nullptr;
    TMenuItem* itmStylesTab = nullptr;
    TMenuItem* itmTitlesTab = nullptr;
    TMenuItem* itmSetupTab = nullptr;
    TMenuItem* itmTogglePages = nullptr;

    // General page: Print What?
    TGroupBox* gbPrintWhat = nullptr;
    TRadioButton* rbPrintWhatAll = nullptr;
    TRadioButton* rbPrintWhatCurrentPage = nullptr;
    TRadioButton* rbPrintWhatCurrentBranchAll = nullptr;
    TRadioButton* rbPrintWhatCurrentBranchDown = nullptr;
    TRadioButton* rbPrintWhatTestPage = nullptr;
    TRadioButton* rbPrintWhatWindowSnapshot = nullptr;
    TRadioButton* rbPrintWhatPageRange = nullptr;
    TLabel* lbPageRangeFrom = nullptr;
    TEdit* edPageRangeFrom = nullptr;
    TLabel* lbPageRangeTo = nullptr;
    TEdit* edPageRangeTo = nullptr;
    TComboBox* cmbSnapshotSize = nullptr;
    // General page: Formatting Options.
    TGroupBox* gbFormattingOptions = nullptr;
    TLabel* lbPanelsAcrossPage = nullptr;
    TEdit* edPanelsAcrossPage = nullptr;
    TLabel* lbInterPanelGap = nullptr;
    TEdit* edInterPanelGap = nullptr;
    TLabel* lbNodeIndentation = nullptr;
    TEdit* edNodeIndentation = nullptr;
    TLabel* lbHorizLineFreq = nullptr;
    TEdit* edHorizLineFreq = nullptr;
    TLabel* lbVertHtAdjPer = nullptr;
    TEdit* edVertHtAdjPer = nullptr;
    TLabel* lbVertHtAdjPerPercentSymbol = nullptr;
    TLabel* lbMaxStringColWid = nullptr;
    TEdit* edMaxStringColWid = nullptr;
    TLabel* lbMaxMemoColWid = nullptr;
    TEdit* edMaxMemoColWid = nullptr;
    TLabel* lbMaxStringLines = nullptr;
    TEdit* edMaxStringLines = nullptr;
    TLabel* lbMaxMemoLines = nullptr;
    TEdit* edMaxMemoLines = nullptr;
    TLabel* lbStartingReportLineId = nullptr;
    TEdit* edStartingReportLineId = nullptr;
    TLabel* lbColTitlesAlignment = nullptr;
    TComboBox* cbxColTitleAlignment = nullptr;
    // General page: Snugfitting and record counting.
    TGroupBox* gbSnugfitting = nullptr;
    TComboBox* cbxSnugfit = nullptr;
    TLabel* lbMaxRowsToSnugfit = nullptr;
    TEdit* edMaxRowsToSnugfit = nullptr;
    TGroupBox* gbDatasetRowCounting = nullptr;
    TRadioButton* rbCountNumRcds = nullptr;
    TRadioButton* rbEstimateNumRcds = nullptr;
    TLabel* lbRcdEstimate = nullptr;
    TEdit* edRcdEstimate = nullptr;
    TEdit* edNumericOnly = nullptr;

    // Output page: Margins.
    TGroupBox* gbMargins = nullptr;
    TLabel* lbMarginTop = nullptr;
    TLabel* lbMarginLeft = nullptr;
    TLabel* lbMarginRight = nullptr;
    TLabel* lbMarginBottom = nullptr;
    TLabel* lbPageMargin = nullptr;
    TLabel* lbCellMargin = nullptr;
    TEdit* edPageMarginTop = nullptr;
    TEdit* edPageMarginLeft = nullptr;
    TEdit* edPageMarginRight = nullptr;
    TEdit* edPageMarginBottom = nullptr;
    TEdit* edCellMarginTop = nullptr;
    TEdit* edCellMarginLeft = nullptr;
    TEdit* edCellMarginRight = nullptr;
    TEdit* edCellMarginBottom = nullptr;
    // Output page: Report Position.
    TGroupBox* gbPosition = nullptr;
    TLabel* lbOrientation = nullptr;
    TComboBox* cbxOrientation = nullptr;
    TLabel* lbReportAlignment = nullptr;
    TComboBox* cbxReportAlignment = nullptr;
    // Output page: Output Options.
    TGroupBox* gbOutputOptions = nullptr;
    TLabel* lbSmallestFontSize = nullptr;
    TEdit* edSmallestFontSize = nullptr;
    TLabel* lbLargestFontSize = nullptr;
    TEdit* edLargestFontSize = nullptr;
    TLabel* lbLinesPerPage = nullptr;
    TEdit* edLinesPerPage = nullptr;
    TLabel* lbTxtCharsPageWid = nullptr;
    TEdit* edTxtCharsPageWid = nullptr;
    TCheckBox* cbShrinkToPage = nullptr;
    TCheckBox* cbExpandToPage = nullptr;
    // Output page: Export Options.
    TGroupBox* gbExportOptions = nullptr;
    TLabel* lbExportFieldDelim = nullptr;
    TComboBox* cmbExportFieldDelim = nullptr;
    TLabel* lbExportQuote = nullptr;
    TComboBox* cmbExportQuote = nullptr;
    TLabel* lbMaxExportLength = nullptr;
    TLabel* lbExportMaxStrLng = nullptr;
    TEdit* edExportMaxStrLng = nullptr;
    TLabel* lbExportMaxMemoLng = nullptr;
    TEdit* edExportMaxMemoLng = nullptr;
    TCheckBox* cbExportOnlyPrintableChrs = nullptr;
    // Output page: Fast Printer Text and the printer.
    TGroupBox* gbFastPrinterText = nullptr;
    TCheckBox* cbFastPrinterText = nullptr;
    TLabel* lbFastTextPrinterInit = nullptr;
    TEdit* edFastTextPrinterInit = nullptr;
    TLabel* lbFastTextPrinterFinish = nullptr;
    TEdit* edFastTextPrinterFinish = nullptr;
    TComboBox* cmbPrinters = nullptr;
    TCheckBox* cbDefaultPrinter = nullptr;
    TCheckBox* cbUseReportViewer = nullptr;

    // Style page.
    TPanel* paStylesLeft = nullptr;
    TPanel* paStyleOpts = nullptr;
    TPanel* paStyleOptsInclude = nullptr;
    TListBox* lbxStyleOpts = nullptr;
    TPanel* paOutputQuality = nullptr;
    TComboBox* cbxOutputQuality = nullptr;
    TPanel* paStyle = nullptr;
    TNotebook* nbStyles = nullptr;
    TPanel* paStyles = nullptr;
    TDBGrid* dbgStyles = nullptr;
    TEdit* edStylesLocator = nullptr;
    TEdit* edTextFontName = nullptr;
    TButton* buTextFontName = nullptr;
    TEdit* edTextFontSize = nullptr;
    TEdit* edReplFontName = nullptr;
    TButton* buReplFontName = nullptr;
    TEdit* edReplFontSize = nullptr;

    // Titles page.
    TPanel* paRptMemoOptions = nullptr;
    TPanel* paMemoTitlesTop = nullptr;
    TListBox* lbxMemoLocation = nullptr;
    TLabel* lbMemoXPosPer = nullptr;
    TEdit* edMemoXPosPer = nullptr;
    TLabel* lbMemoWidPer = nullptr;
    TEdit* edMemoWidPer = nullptr;
    TLabel* lbMemoSpacesAbove = nullptr;
    TEdit* edMemoSpacesAbove = nullptr;
    TLabel* lbMemoSpacesBelow = nullptr;
    TEdit* edMemoSpacesBelow = nullptr;
    TRadioButton* rbRptMemoLeftJustify = nullptr;
    TRadioButton* rbRptMemoCenterJustify = nullptr;
    TRadioButton* rbRptMemoRightJustify = nullptr;
    TCheckBox* cbMemoVisible = nullptr;
    TButton* buMemoFont = nullptr;
    TPanel* paMemoTitlesBottom = nullptr;
    TLabel* lbRptMemoLeftMargin = nullptr;
    TMemo* memRptMemo = nullptr;
    TLabel* lbRptMemoRightMargin = nullptr;

    // Setup page.
    TGroupBox* gbDisplayPages = nullptr;
    TCheckBox* cbShowGeneralPage = nullptr;
    TCheckBox* cbShowOutputPage = nullptr;
    TCheckBox* cbShowStylePage = nullptr;
    TCheckBox* cbShowTitlesPage = nullptr;
    TCheckBox* cbShowSetupPage = nullptr;
    TGroupBox* gbDisplayReportOptions = nullptr;
    TCheckBox* cbPauseAfterPrinting = nullptr;
    TCheckBox* cbShowHint = nullptr;
    TCheckBox* cbDisplayReportOptionsWin = nullptr;
    TCheckBox* cbCloseWinAfterPrinting = nullptr;
    TCheckBox* cbAllowFastPrinterText = nullptr;
    TCheckBox* cbDisplayProgressWindow = nullptr;
    TCheckBox* cbSettingsReadOnly = nullptr;
    TCheckBox* cbPreviewFirst = nullptr;
    TGroupBox* gbPasswords = nullptr;
    TCheckBox* cbRptPW = nullptr;
    TCheckBox* cbRptOptPW = nullptr;
    TCheckBox* cbRptSetupPW = nullptr;
    TGroupBox* gbMemoFormats = nullptr;
    TLabel* lbMemoTimeFormatStr = nullptr;
    TEdit* edMemoTimeFormatStr = nullptr;
    TLabel* lbMemoDateFormatStr = nullptr;
    TEdit* edMemoDateFormatStr = nullptr;
    TLabel* lbMemoPageFormatStr = nullptr;
    TEdit* edMemoPageFormatStr = nullptr;

private:
    // Builds the form from its layout and binds the control pointers above
    // (options_layout.cpp).
    void BuildLayout();
    void BindControls();
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
