// Settings to the options dialog's controls and back, the combo, number and
// path conversions, and the handlers that only mark the settings modified
// or store one value.
#include <algorithm>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "framework/core/date_time.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "ui/options_dialog.h"
#include "ui/password_changes.h"
#include "ui/screen_fields.h"

namespace trx {

namespace {

using M = TfmTBXMain;
using R = TtrxReportSettings;
using TTransfer = std::function<void(M&, R&)>;

int StrToIntOr0(const std::string& S) {
    bool error = false;
    const int v = CnvtStrToInt(S, error);
    return error ? 0 : v;
}

// The unit-dependent members the controls show: the text member in a text
// quality, else the thousandths; the pixel members are derived, never edited.
TUnitsOfMeasure ScreenUnitsOf(const R& Settings) {
    return Settings.OutputQualityIsText() ? TUnitsOfMeasure::umTxt : TUnitsOfMeasure::umThous;
}

// ---- Rows: one control beside one setting -----------------------------------
#define TRX_CTL(Member) #Member, &M::Member

TScreenField Check(const char* Name, TCheckBox* M::*Box, bool R::*Field) {
    return {Name, [=](M& f, R& s) { (f.*Box)->SetChecked(s.*Field); },
            [=](M& f, R& s) { s.*Field = (f.*Box)->Checked(); }};
}

template <class C>
TScreenField Text(const char* Name, C* M::*Control, std::string R::*Field) {
    return {Name, [=](M& f, R& s) { (f.*Control)->SetText(s.*Field); },
            [=](M& f, R& s) { s.*Field = (f.*Control)->Text(); }};
}

TScreenField Int(const char* Name, TEdit* M::*Edit, int32_t R::*Field) {
    return {Name, [=](M& f, R& s) { (f.*Edit)->SetText(std::to_string(s.*Field)); },
            [=](M& f, R& s) { s.*Field = StrToIntOr0((f.*Edit)->Text()); }};
}

TScreenField UnitInt(const char* Name, TEdit* M::*Edit, TUnitsArray<int32_t> R::*Field) {
    return {Name, [=](M& f, R& s) { (f.*Edit)->SetText(std::to_string((s.*Field)[f.ScreenUnits])); },
            [=](M& f, R& s) { (s.*Field)[f.ScreenUnits] = StrToIntOr0((f.*Edit)->Text()); }};
}

TScreenField Side(const char* Name, TEdit* M::*Edit, TUnitsArray<TRect> R::*Field, int TRect::*Member) {
    return {Name, [=](M& f, R& s) { (f.*Edit)->SetText(std::to_string((s.*Field)[f.ScreenUnits].*Member)); },
            [=](M& f, R& s) { (s.*Field)[f.ScreenUnits].*Member = StrToIntOr0((f.*Edit)->Text()); }};
}

// A combo box whose item index is the setting's ordinal.
template <class E>
TScreenField Item(const char* Name, TComboBox* M::*Combo, E R::*Field, int Default = 0, bool SelectDefault = false) {
    return {Name, [=](M& f, R& s) { (f.*Combo)->SetItemIndex(static_cast<int>(s.*Field)); },
            [=](M& f, R& s) { s.*Field = static_cast<E>(GetComboItemNdx(f.*Combo, Default, SelectDefault)); }};
}

// A combo box of named values that also takes a value typed as it is.
TScreenField Value(const char* Name, TComboBox* M::*Combo, ShortString<3> R::*Field, std::vector<std::string> Names,
                   std::vector<std::string> Values) {
    return {Name, [=](M& f, R& s) { SetComboFromValue(s.*Field, f.*Combo, Values); },
            [=](M& f, R& s) { s.*Field = GetComboValue(f.*Combo, Names, Values); }};
}

TScreenField FillOnly(TScreenField Row) {
    Row.Store = nullptr;
    return Row;
}

TScreenField StoreOnly(TScreenField Row) {
    Row.Fill = nullptr;
    return Row;
}

// A step between the controls, or a control with a conversion of its own.
TScreenField Step(const char* What, TTransfer Fill, TTransfer Store) {
    return {What, std::move(Fill), std::move(Store)};
}

// ---- Conversions of their own -------------------------------------------------

std::vector<TRadioButton*> PrintWhatRadios(M& f) {
    return {f.rbPrintWhatAll,
            f.rbPrintWhatCurrentPage,
            f.rbPrintWhatCurrentBranchAll,
            f.rbPrintWhatCurrentBranchDown,
            f.rbPrintWhatTestPage,
            f.rbPrintWhatWindowSnapshot,
            f.rbPrintWhatPageRange};
}

void FillPrintWhat(M& f, R& s) {
    for (TRadioButton* rb : PrintWhatRadios(f))
        if (rb->Tag == static_cast<int>(s.PrintWhat)) {
            rb->SetChecked(true);
            break;
        }
}

void StorePrintWhat(M& f, R& s) {
    s.PrintWhat = TPrintWhat::pwAll;
    for (TRadioButton* rb : PrintWhatRadios(f))
        if (rb->Checked()) {
            s.PrintWhat = static_cast<TPrintWhat>(rb->Tag);
            break;
        }
}

void FillOutputQuality(M& f, R& s) {
    f.cbxOutputQualityDropDown(f.cbxOutputQuality);
    const char* letter = s.OutputQuality == 0 ? "A" : s.OutputQuality == 1 ? "I" : "";
    f.SetComboBoxText(f.cbxOutputQuality, letter, "A");
}

void FillUnits(M& f, R& s) {
    if (PrintSettings) PrintSettings->SetUnits();
    f.ScreenUnits = ScreenUnitsOf(s);
}

bool HasDataSet() { return ObjInfo && ObjInfo->DataSet; }

void StoreRcdEstimate(M& f, R& s) {
    if (!HasDataSet()) return;
    bool error = false;
    const int estimate = CnvtStrToInt(f.edRcdEstimate->Text(), error);
    s.RcdEstimate = error ? 0 : estimate;
    if (!error && f.rbEstimateNumRcds->Checked()) ObjInfo->Rows = estimate;
}

int Digits(int Value) { return static_cast<int>(std::to_string(std::max(0, Value)).size()); }

// The object's formatted output and the width of its line numbers follow
// the starting line number and the style options.
void UpdateObjInfo(M&, R& s) {
    if (!ObjInfo) return;
    if (RptStyles) ObjInfo->Formatted = RptStyles->Opt(TStyleOptNdx::soFieldFormat);
    ObjInfo->Digits = std::max(Digits(s.StartingReportLineId), Digits(ObjInfo->Rows + s.StartingReportLineId - 1));
}

void UpdateRunUnits(M&, R&) {
    if (!PrintSettings) return;
    PrintSettings->SetUnits();
    if (RptStyles) PrintSettings->LineNumbersOn = RptStyles->Opt(TStyleOptNdx::soLineNumbers);
}

TPoint PageNum(const std::string& Text) {
    bool errX = false;
    bool errY = false;
    TPoint p;
    p.X = TPrintSettings::ExtractPageNum(Text, TXyDir::dX, errX);
    p.Y = TPrintSettings::ExtractPageNum(Text, TXyDir::dY, errY);
    return p;
}

TScreenField PageRange(const char* Name, TEdit* M::*Edit, TPoint R::*Field) {
    return {Name, [=](M& f, R& s) { (f.*Edit)->SetText(R::FormatNonZeroPageNum(s.*Field)); },
            [=](M& f, R& s) { s.*Field = PageNum((f.*Edit)->Text()); }};
}

TScreenField Password(const char* Name, TCheckBox* M::*Box, std::string R::*Field) {
    return FillOnly({Name, [=](M& f, R& s) { (f.*Box)->SetChecked(!(s.*Field).empty()); }, nullptr});
}

TScreenField ShowPage(const char* Name, TCheckBox* M::*Box, const char* Page) {
    return FillOnly(
        {Name, [=](M& f, R& s) { (f.*Box)->SetChecked(s.HiddenTabs.find(Page) == std::string::npos); }, nullptr});
}

// The memo chosen in the editor takes the editor's text, place and look.
void StoreMemo(M& f, R& s) {
    const int i = f.lbxMemoLocation->ItemIndex();
    if (i < 0 || i >= RptMemoCount) return;
    TRptMemo& memo = s.Memo(static_cast<TRptMemoNdx>(i));
    memo.SetText(f.memRptMemo->Text());
    memo.XPosPer = StrToIntOr0(f.edMemoXPosPer->Text());
    memo.WidPer = StrToIntOr0(f.edMemoWidPer->Text());
    memo.Alignment = f.rbRptMemoCenterJustify->Checked()  ? TAlignment::taCenter
                     : f.rbRptMemoRightJustify->Checked() ? TAlignment::taRightJustify
                                                          : TAlignment::taLeftJustify;
    memo.Visible = f.cbMemoVisible->Checked();
    TRect& margin = f.ScreenUnits == TUnitsOfMeasure::umTxt ? memo.MarginTxt : memo.MarginThous;
    margin.Top = StrToIntOr0(f.edMemoSpacesAbove->Text());
    margin.Bottom = StrToIntOr0(f.edMemoSpacesBelow->Text());
}

const std::vector<std::string> DelimNames{"Tab", "Comma"};
const std::vector<std::string> DelimValues{"\t", ","};
const std::vector<std::string> QuoteNames{"Double Quote", "Single Quote"};
const std::vector<std::string> QuoteValues{"\"", "'"};

} // namespace

const std::vector<TScreenField>& ScreenFields() {
    static const std::vector<TScreenField> rows{
        Step("Print What? radios", FillPrintWhat, StorePrintWhat),
        Step(
            "cmbSnapshotSize", [](M& f, R& s) { f.cmbSnapshotSize->SetText(R::CnvtSnapShotSizeAbrev(s.SnapShotSize)); },
            [](M& f, R& s) { s.SnapShotSize = R::CnvtSnapShotSizeText(f.cmbSnapshotSize->Text()).substr(0, 2); }),
        Item(TRX_CTL(cbxOutputDest), &R::OutputDest),
        Text(TRX_CTL(edMemoDateFormatStr), &R::MemoDateFormatStr),
        Text(TRX_CTL(edMemoTimeFormatStr), &R::MemoTimeFormatStr),
        Text(TRX_CTL(edMemoPageFormatStr), &R::MemoPageFormatStr),
        Step("cbxOutputQuality", FillOutputQuality,
             [](M& f, R& s) { s.OutputQuality = static_cast<uint8_t>(GetComboItemNdx(f.cbxOutputQuality, 0, false)); }),
        Check(TRX_CTL(cbFastPrinterText), &R::FastPrinterText),
        Check(TRX_CTL(cbAllowFastPrinterText), &R::AllowFastPrinterText),
        Text(TRX_CTL(edFastTextPrinterInit), &R::InitPrinterStr),
        Text(TRX_CTL(edFastTextPrinterFinish), &R::FinishPrinterStr),
        Check(TRX_CTL(cbUseReportViewer), &R::UseReportViewer),
        StoreOnly(Item(TRX_CTL(cbxIfOutputFileExists), &R::IfOutputFileExists)),
        Check(TRX_CTL(cbExportOnlyPrintableChrs), &R::ExportOnlyPrintableChrs),
        Check(TRX_CTL(cbShrinkToPage), &R::ShrinkToPage),
        Check(TRX_CTL(cbExpandToPage), &R::ExpandToPage),
        Check(TRX_CTL(cbDefaultPrinter), &R::DefaultPrinter),
        Text(TRX_CTL(cmbPrinters), &R::PrinterName),
        Step(
            "rbCountNumRcds",
            [](M& f, R& s) {
                f.rbCountNumRcds->SetChecked(s.CountNumRcds);
                f.rbEstimateNumRcds->SetChecked(!s.CountNumRcds);
            },
            [](M& f, R& s) {
                if (HasDataSet()) s.CountNumRcds = f.rbCountNumRcds->Checked();
            }),
        Step(
            "edRcdEstimate", [](M& f, R& s) { f.edRcdEstimate->SetText(std::to_string(s.RcdEstimate)); },
            StoreRcdEstimate),
        Int(TRX_CTL(edStartingReportLineId), &R::StartingReportLineId),
        StoreOnly(Step("the object's line numbers", nullptr, UpdateObjInfo)),
        Int(TRX_CTL(edPanelsAcrossPage), &R::PanelsAcrossPage),
        Step("the unit of the fields", FillUnits, nullptr),
        UnitInt(TRX_CTL(edInterPanelGap), &R::InterPanelGap),
        Int(TRX_CTL(edNodeIndentation), &R::NodeIndentation),
        Int(TRX_CTL(edHorizLineFreq), &R::HorizLineFreq),
        Int(TRX_CTL(edVertHtAdjPer), &R::VertHtAdjPer),
        Int(TRX_CTL(edLinesPerPage), &R::LinesPerpage),
        Int(TRX_CTL(edTxtCharsPageWid), &R::TxtCharsPageWid),
        StoreOnly(Step("the run's units and line numbers", nullptr, UpdateRunUnits)),
        PageRange(TRX_CTL(edPageRangeFrom), &R::PageRangeFrom),
        PageRange(TRX_CTL(edPageRangeTo), &R::PageRangeTo),
        Item(TRX_CTL(cbxReportAlignment), &R::ReportAlignment),
        Item(TRX_CTL(cbxColTitleAlignment), &R::ColTitleAlignment),
        Side(TRX_CTL(edPageMarginLeft), &R::PageMargin, &TRect::Left),
        Side(TRX_CTL(edPageMarginTop), &R::PageMargin, &TRect::Top),
        Side(TRX_CTL(edPageMarginRight), &R::PageMargin, &TRect::Right),
        Side(TRX_CTL(edPageMarginBottom), &R::PageMargin, &TRect::Bottom),
        Side(TRX_CTL(edCellMarginLeft), &R::CellMargin, &TRect::Left),
        Side(TRX_CTL(edCellMarginTop), &R::CellMargin, &TRect::Top),
        Side(TRX_CTL(edCellMarginRight), &R::CellMargin, &TRect::Right),
        Side(TRX_CTL(edCellMarginBottom), &R::CellMargin, &TRect::Bottom),
        UnitInt(TRX_CTL(edMaxStringColWid), &R::MaxStringColWid),
        UnitInt(TRX_CTL(edMaxMemoColWid), &R::MaxMemoColWid),
        StoreOnly(Step("the pixel measurements", nullptr, [](M&, R& s) { s.CalcPixMeasurements(); })),
        Int(TRX_CTL(edMaxStringLines), &R::MaxStringLines),
        Int(TRX_CTL(edMaxMemoLines), &R::MaxMemoLines),
        Int(TRX_CTL(edMaxRowsToSnugfit), &R::MaxRowsToSnugfit),
        Int(TRX_CTL(edLargestFontSize), &R::LargestFontSize),
        Int(TRX_CTL(edSmallestFontSize), &R::SmallestFontSize),
        // The orientation is stored by its own change handler.
        FillOnly(Item(TRX_CTL(cbxOrientation), &R::Orientation)),
        Item(TRX_CTL(cbxSnugfit), &R::Snugfit, 1, true),
        Text(TRX_CTL(edTextFontName), &R::TextFontName),
        Int(TRX_CTL(edTextFontSize), &R::TextFontSize),
        Text(TRX_CTL(edReplFontName), &R::ReplFontName),
        Int(TRX_CTL(edReplFontSize), &R::ReplFontSize),
        Value(TRX_CTL(cmbExportFieldDelim), &R::ExportFieldDelim, DelimNames, DelimValues),
        Value(TRX_CTL(cmbExportQuote), &R::ExportQuote, QuoteNames, QuoteValues),
        Int(TRX_CTL(edExportMaxStrLng), &R::ExportMaxStrLng),
        Int(TRX_CTL(edExportMaxMemoLng), &R::ExportMaxMemoLng),
        Text(TRX_CTL(edOutputFileName), &R::OutputFileName),
        Check(TRX_CTL(cbPauseAfterPrinting), &R::PauseAfterPrinting),
        Check(TRX_CTL(cbDisplayProgressWindow), &R::DisplayProgressWindow),
        Check(TRX_CTL(cbDisplayReportOptionsWin), &R::DisplayReportOptionsWin),
        Check(TRX_CTL(cbCloseWinAfterPrinting), &R::CloseWinAfterPrinting),
        Check(TRX_CTL(cbShowHint), &R::ShowHint),
        Check(TRX_CTL(cbSettingsReadOnly), &R::SettingsReadOnly),
        Check(TRX_CTL(cbPreviewFirst), &R::PreviewFirst),
        // Passwords change only through their own prompts.
        Password(TRX_CTL(cbRptPW), &R::RptPW),
        Password(TRX_CTL(cbRptSetupPW), &R::RptSetUpPW),
        Password(TRX_CTL(cbRptOptPW), &R::RptOptPW),
        // The page boxes rebuild HiddenTabs when clicked.
        ShowPage(TRX_CTL(cbShowGeneralPage), "General"),
        ShowPage(TRX_CTL(cbShowOutputPage), "Output"),
        ShowPage(TRX_CTL(cbShowStylePage), "Style"),
        ShowPage(TRX_CTL(cbShowTitlesPage), "Titles"),
        ShowPage(TRX_CTL(cbShowSetupPage), "Setup"),
        StoreOnly(Step("memo editor", nullptr, StoreMemo)),
    };
    return rows;
}

#undef TRX_CTL

// ---- The two transfers ----------------------------------------------------------

void TfmTBXMain::AssignScreenFields() {
    struct TRestore {
        TfmTBXMain& F;
        ~TRestore() { F.SuppressChkOptions = F.SuppressSetOptions = F.Assigning = false; }
    } restore{*this};
    SuppressChkOptions = SuppressSetOptions = Assigning = true;
    if (!ReportSettings) return;
    TtrxReportSettings& s = *ReportSettings;
    for (const TScreenField& row : ScreenFields())
        if (row.Fill) row.Fill(*this, s);
    lbxStyleOpts->Repaint();
    if (PrintSettings) {
        PrintSettings->TimeText = FormatDateTime(edMemoTimeFormatStr->Text(), Now());
        PrintSettings->DateText = FormatDateTime(edMemoDateFormatStr->Text(), Now());
    }
    SetTabsVisibility(false);
    lbxMemoLocation->SetItemIndex(-1);
}

void TfmTBXMain::SaveScreenFields() {
    struct TRestore {
        TfmTBXMain& F;
        bool Was;
        ~TRestore() { F.Assigning = Was; }
    } restore{*this, Assigning};
    Assigning = true;
    if (!ReportSettings) return;
    for (const TScreenField& row : ScreenFields())
        if (row.Store) row.Store(*this, *ReportSettings);
}

void TfmTBXMain::SetComboBoxText(TComboBox* Combo, const std::string& Letter, const std::string& Default) {
    const TStrings& items = Combo->Items();
    auto startsWith = [](const std::string& Item, char C) { return !Item.empty() && UpCase(Item[0]) == C; };
    if (Letter.size() == 1)
        for (int i = 0; i < items.Count(); ++i)
            if (startsWith(items[i], Letter[0])) {
                Combo->SetItemIndex(i);
                return;
            }
    int found = -1;
    if (!Default.empty())
        for (int i = 0; i < items.Count(); ++i)
            if (startsWith(items[i], UpCase(Default[0]))) found = i;
    Combo->SetItemIndex(found);
}

// ---- Conversions ------------------------------------------------------------------

int GetComboItemNdx(TComboBox* Combo, int Default, bool SelectDefault) {
    const int i = Combo->Items().IndexOf(Combo->Text());
    if (i >= 0) return i;
    if (SelectDefault) Combo->SetItemIndex(Default);
    return Default;
}

void SetComboFromValue(const std::string& Value, TComboBox* Combo, const std::vector<std::string>& Values) {
    const int last = std::min(Combo->Items().Count(), static_cast<int>(Values.size()));
    for (int i = 0; i < last; ++i)
        if (Values[i] == Value) {
            Combo->SetItemIndex(i);
            return;
        }
    Combo->SetText(Value);
}

std::string GetComboValue(TComboBox* Combo, const std::vector<std::string>& Names,
                          const std::vector<std::string>& Values) {
    const std::string text = Combo->Text();
    for (std::size_t i = 0; i < Names.size() && i < Values.size(); ++i)
        if (CompareText(Names[i], text) == 0) return Values[i];
    return text;
}

int TrimStrToInt(const std::string& S) { return StrToIntOr0(Trim(S)); }

std::string FitPathToWid(const std::string& Path, TCanvas& Canvas, int Width) {
    if (Canvas.TextWidth(Path) <= Width) return Path;
    const std::string dir = ExtractFilePath(Path);
    const std::string name = ExtractFileName(Path);
    std::string prefix = "...";
    int delims = 0;
    for (std::size_t i = 0; i < dir.size(); ++i) {
        if (dir[i] != PathDelim) continue;
        ++delims;
        if (delims == 2) {
            // The first directory level stays.
            prefix = dir.substr(0, i + 1) + "...";
        } else if (delims > 2) {
            const std::string attempt = prefix + dir.substr(i) + name;
            if (Canvas.TextWidth(attempt) <= Width) return attempt.size() < Path.size() ? attempt : Path;
        }
    }
    const std::string last = prefix + PathDelim + name;
    // A short path gains nothing from the dots: it stays whole.
    return last.size() < Path.size() ? last : Path;
}

// ---- Handlers ---------------------------------------------------------------------

void TfmTBXMain::rbPrintWhatAllClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (auto* rb = dynamic_cast<TRadioButton*>(Sender)) {
        ReportSettings->PrintWhat = static_cast<TPrintWhat>(rb->Tag);
        SetOptions(Sender, false);
        SetupPrinter(false);
    }
}

void TfmTBXMain::cmbSnapshotSizeChange(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

void TfmTBXMain::edOutputFileNameExit(TObject* Sender) {
    auto* edit = dynamic_cast<TCustomEdit*>(Sender);
    if (!edit || !edit->Modified() || !ReportSettings) return;
    edit->SetModified(false);
    ReportSettings->Modified = true;
    ReportSettings->OutputFileName = edOutputFileName->Text();
    SetOptions(Sender, false);
    ChkOptions(Sender, false, true);
}

void TfmTBXMain::cbFastPrinterTextClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    // The close question must see the change.
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
    if (ChkOptions(Sender, false, true)) SetupPrinter(true);
}

void TfmTBXMain::cbxIfOutputFileExistsChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ChkOptions(Sender, false, true);
    ReportSettings->Modified = true;
}

void TfmTBXMain::cbxReportAlignmentExit(TObject* Sender) {
    if (!Assigning) ChkOptions(Sender, false, false);
}

void TfmTBXMain::cbxReportAlignmentChange(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

void TfmTBXMain::cbCloseWinAfterPrintingClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    ChkOptions(Sender, false, true);
}

void TfmTBXMain::cbDisplayReportOptionsWinClick(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

void TfmTBXMain::cbAllowFastPrinterTextClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    if (!ChkOptions(Sender, false, true)) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

void TfmTBXMain::cmbExportFieldDelimExit(TObject* Sender) { ChkOptions(Sender, false, true); }

void TfmTBXMain::cbPreviewFirstClick(TObject*) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    ReportSettings->PreviewFirst = cbPreviewFirst->Checked();
}

void TfmTBXMain::edStylesLocatorChange(TObject*) {}

void TfmTBXMain::cbMarkModifiedClick(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

void TfmTBXMain::cbRptPWClick(TObject*) { PasswordCheckBoxClick(cbRptPW, TPasswordKind::pkReport, Assigning); }

void TfmTBXMain::cbRptOptPWClick(TObject*) {
    PasswordCheckBoxClick(cbRptOptPW, TPasswordKind::pkReportOptions, Assigning);
}

void TfmTBXMain::cbRptSetupPWClick(TObject*) {
    PasswordCheckBoxClick(cbRptSetupPW, TPasswordKind::pkSetupPage, Assigning);
}

void TfmTBXMain::cbSettingsReadOnlyClick(TObject*) {
    SettingsReadOnlyClick(cbSettingsReadOnly, Assigning, paMsg, Timer1,
                          [this](TObject* Sender) { SetOptions(Sender, false); });
}

} // namespace trx
