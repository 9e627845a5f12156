// Settings to the options dialog's controls and back, the combo, number and
// path conversions, and the handlers that only mark the settings modified
// or store one value.
#include <algorithm>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_printer_setup.h"
#include "engine/shared_routines.h"
#include "framework/core/date_time.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "storage/settings_fields.h"
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

// ---- Rows: one control beside one setting of the settings table -----------------
// A row moves the setting's value through the table's own conversion, as the
// text the settings file holds; a text that does not convert stores 0 (or
// the combo's default item), as the dialog always has.
#define TRX_CTL(Member) #Member, &M::Member

const TrsfField& Setting(TrsfFld Fld) { return TrsfFields()[Ord(Fld)]; }

std::string Get(const R& S, TrsfFld Fld) {
    return Setting(Fld).Field.Get(S, TRptMemoNdx::rmRptTi, Setting(Fld).Default);
}

void Put(R& S, TrsfFld Fld, const std::string& Text, const std::string& Fallback) {
    Setting(Fld).Field.Set(S, TRptMemoNdx::rmRptTi, Text, Fallback);
}

TScreenField Check(const char* Name, TCheckBox* M::*Box, TrsfFld Fld) {
    return {Name,
            [=](M& f, R& s) { (f.*Box)->SetChecked(Get(s, Fld) == "1"); },
            [=](M& f, R& s) { Put(s, Fld, (f.*Box)->Checked() ? "1" : "0", "0"); },
            {Fld}};
}

template <class C>
TScreenField Text(const char* Name, C* M::*Control, TrsfFld Fld) {
    return {Name,
            [=](M& f, R& s) { (f.*Control)->SetText(Get(s, Fld)); },
            [=](M& f, R& s) { Put(s, Fld, (f.*Control)->Text(), ""); },
            {Fld}};
}

TScreenField Int(const char* Name, TEdit* M::*Edit, TrsfFld Fld) {
    return {Name,
            [=](M& f, R& s) { (f.*Edit)->SetText(Get(s, Fld)); },
            [=](M& f, R& s) { Put(s, Fld, (f.*Edit)->Text(), "0"); },
            {Fld}};
}

// A setting held per unit: the member of the unit the fields were filled in.
TScreenField UnitInt(const char* Name, TEdit* M::*Edit, TrsfFld Txt, TrsfFld Thous) {
    auto key = [=](const M& f) { return f.ScreenUnits == TUnitsOfMeasure::umTxt ? Txt : Thous; };
    return {Name,
            [=](M& f, R& s) { (f.*Edit)->SetText(Get(s, key(f))); },
            [=](M& f, R& s) { Put(s, key(f), (f.*Edit)->Text(), "0"); },
            {Txt, Thous}};
}

// One side of a rectangle held per unit.
TScreenField Side(const char* Name, TEdit* M::*Edit, TUnitsArray<TRect> R::*Field, int TRect::*Member, TrsfFld Txt,
                  TrsfFld Thous) {
    return {Name,
            [=](M& f, R& s) { (f.*Edit)->SetText(IntToStr((s.*Field)[f.ScreenUnits].*Member)); },
            [=](M& f, R& s) { (s.*Field)[f.ScreenUnits].*Member = StrToIntOr0((f.*Edit)->Text()); },
            {Txt, Thous}};
}

// A combo box whose item index is the setting's ordinal.
TScreenField Item(const char* Name, TComboBox* M::*Combo, TrsfFld Fld, int Default = 0, bool SelectDefault = false) {
    return {Name,
            [=](M& f, R& s) { (f.*Combo)->SetItemIndex(StrToIntDef(Get(s, Fld), -1)); },
            [=](M& f, R& s) {
                Put(s, Fld, IntToStr(GetComboItemNdx(f.*Combo, Default, SelectDefault)), IntToStr(Default));
            },
            {Fld}};
}

// A combo box of named values that also takes a value typed as it is.
TScreenField Value(const char* Name, TComboBox* M::*Combo, TrsfFld Fld, std::vector<std::string> Names,
                   std::vector<std::string> Values) {
    return {Name,
            [=](M& f, R& s) { SetComboFromValue(Get(s, Fld), f.*Combo, Values); },
            [=](M& f, R& s) { Put(s, Fld, GetComboValue(f.*Combo, Names, Values), ""); },
            {Fld}};
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
TScreenField Step(const char* What, TTransfer Fill, TTransfer Store, std::vector<TrsfFld> Settings = {}) {
    return {What, std::move(Fill), std::move(Store), std::move(Settings)};
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

TPoint PageNum(const std::string& Text) {
    bool errX = false;
    bool errY = false;
    TPoint p;
    p.X = TPrintSettings::ExtractPageNum(Text, TXyDir::dX, errX);
    p.Y = TPrintSettings::ExtractPageNum(Text, TXyDir::dY, errY);
    return p;
}

// A page shown as "Y", or "Y-X" for a page across.
TScreenField PageRange(const char* Name, TEdit* M::*Edit, TPoint R::*Field, TrsfFld Fld) {
    return {Name,
            [=](M& f, R& s) { (f.*Edit)->SetText(R::FormatNonZeroPageNum(s.*Field)); },
            [=](M& f, R& s) { s.*Field = PageNum((f.*Edit)->Text()); },
            {Fld}};
}

// Passwords change only through their own prompts.
TScreenField Password(const char* Name, TCheckBox* M::*Box, TrsfFld Fld) {
    return FillOnly({Name, [=](M& f, R& s) { (f.*Box)->SetChecked(!Get(s, Fld).empty()); }, nullptr, {Fld}});
}

// The page boxes rebuild HiddenTabs when clicked.
TScreenField ShowPage(const char* Name, TCheckBox* M::*Box, const char* Page) {
    return FillOnly({Name,
                     [=](M& f, R& s) { (f.*Box)->SetChecked(s.HiddenTabs.find(Page) == std::string::npos); },
                     nullptr,
                     {TrsfFld::rsfHiddenTabs}});
}

// The memo chosen in the editor takes the editor's text, place and look.
void StoreMemo(M& f, R& s) {
    const int i = f.EditedMemo;
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
    using F = TrsfFld;
    static const std::vector<TScreenField> rows{
        Step("Print What? radios", FillPrintWhat, StorePrintWhat, {F::rsfPrintWhat}),
        Step(
            "cmbSnapshotSize", [](M& f, R& s) { f.cmbSnapshotSize->SetText(R::CnvtSnapShotSizeAbrev(s.SnapShotSize)); },
            [](M& f, R& s) { s.SnapShotSize = R::CnvtSnapShotSizeText(f.cmbSnapshotSize->Text()).substr(0, 2); },
            {F::rsfSnapShotSize}),
        Item(TRX_CTL(cbxOutputDest), F::rsfOutputDest),
        Text(TRX_CTL(edMemoDateFormatStr), F::rsfMemoDateFormatStr),
        Text(TRX_CTL(edMemoTimeFormatStr), F::rsfMemoTimeFormatStr),
        Text(TRX_CTL(edMemoPageFormatStr), F::rsfMemoPageFormatStr),
        Step("cbxOutputQuality", FillOutputQuality,
             [](M& f, R& s) {
                 Put(s, F::rsfOutputQuality, IntToStr(GetComboItemNdx(f.cbxOutputQuality, 0, false)), "0");
             },
             {F::rsfOutputQuality}),
        Check(TRX_CTL(cbFastPrinterText), F::rsfFastPrinterText),
        Check(TRX_CTL(cbAllowFastPrinterText), F::rsfAllowFastPrinterText),
        Text(TRX_CTL(edFastTextPrinterInit), F::rsfInitPrinterStr),
        Text(TRX_CTL(edFastTextPrinterFinish), F::rsfFinishPrinterStr),
        Check(TRX_CTL(cbUseReportViewer), F::rsfUseReportViewer),
        // Shown by the dependent rules of the destination.
        StoreOnly(Item(TRX_CTL(cbxIfOutputFileExists), F::rsfIfOutputFileExists)),
        Check(TRX_CTL(cbExportOnlyPrintableChrs), F::rsfExportOnlyPrintableChrs),
        Check(TRX_CTL(cbShrinkToPage), F::rsfShrinkToPage),
        Check(TRX_CTL(cbExpandToPage), F::rsfExpandToPage),
        Check(TRX_CTL(cbDefaultPrinter), F::rsfDefaultPrinter),
        Text(TRX_CTL(cmbPrinters), F::rsfPrinterName),
        Step(
            "rbCountNumRcds",
            [](M& f, R& s) {
                f.rbCountNumRcds->SetChecked(s.CountNumRcds);
                f.rbEstimateNumRcds->SetChecked(!s.CountNumRcds);
            },
            [](M& f, R& s) {
                if (HasDataSet()) s.CountNumRcds = f.rbCountNumRcds->Checked();
            },
            {F::rsfCountNumRcds}),
        Step("edRcdEstimate", [](M& f, R& s) { f.edRcdEstimate->SetText(IntToStr(s.RcdEstimate)); }, StoreRcdEstimate,
             {F::rsfRcdEstimate}),
        Int(TRX_CTL(edStartingReportLineId), F::rsfStartingReportLineId),
        StoreOnly(Step("the object's line numbers", nullptr, [](M&, R&) { DeriveLineNumberDigits(); })),
        Int(TRX_CTL(edPanelsAcrossPage), F::rsfPanelsAcrossPage),
        Step("the unit of the fields", FillUnits, nullptr),
        UnitInt(TRX_CTL(edInterPanelGap), F::rsfInterPanelGapTxt, F::rsfInterPanelGapThous),
        Int(TRX_CTL(edNodeIndentation), F::rsfNodeIndentation),
        Int(TRX_CTL(edHorizLineFreq), F::rsfHorizLineFreq),
        Int(TRX_CTL(edVertHtAdjPer), F::rsfVertHtAdjPer),
        Int(TRX_CTL(edLinesPerPage), F::rsfLinesPerpage),
        Int(TRX_CTL(edTxtCharsPageWid), F::rsfTxtCharsPageWid),
        StoreOnly(Step("the run's units and line numbers", nullptr, [](M&, R&) { DeriveRunUnits(); })),
        PageRange(TRX_CTL(edPageRangeFrom), &R::PageRangeFrom, F::rsfPageRangeFrom),
        PageRange(TRX_CTL(edPageRangeTo), &R::PageRangeTo, F::rsfPageRangeTo),
        Item(TRX_CTL(cbxReportAlignment), F::rsfReportAlignment),
        Item(TRX_CTL(cbxColTitleAlignment), F::rsfColTitleAlignment),
        Side(TRX_CTL(edPageMarginLeft), &R::PageMargin, &TRect::Left, F::rsfPageMarginTxt, F::rsfPageMarginThous),
        Side(TRX_CTL(edPageMarginTop), &R::PageMargin, &TRect::Top, F::rsfPageMarginTxt, F::rsfPageMarginThous),
        Side(TRX_CTL(edPageMarginRight), &R::PageMargin, &TRect::Right, F::rsfPageMarginTxt, F::rsfPageMarginThous),
        Side(TRX_CTL(edPageMarginBottom), &R::PageMargin, &TRect::Bottom, F::rsfPageMarginTxt, F::rsfPageMarginThous),
        Side(TRX_CTL(edCellMarginLeft), &R::CellMargin, &TRect::Left, F::rsfCellMarginTxt, F::rsfCellMarginThous),
        Side(TRX_CTL(edCellMarginTop), &R::CellMargin, &TRect::Top, F::rsfCellMarginTxt, F::rsfCellMarginThous),
        Side(TRX_CTL(edCellMarginRight), &R::CellMargin, &TRect::Right, F::rsfCellMarginTxt, F::rsfCellMarginThous),
        Side(TRX_CTL(edCellMarginBottom), &R::CellMargin, &TRect::Bottom, F::rsfCellMarginTxt, F::rsfCellMarginThous),
        UnitInt(TRX_CTL(edMaxStringColWid), F::rsfMaxStringColWidTxt, F::rsfMaxStringColWidThous),
        UnitInt(TRX_CTL(edMaxMemoColWid), F::rsfMaxMemoColWidTxt, F::rsfMaxMemoColWidThous),
        StoreOnly(Step("the pixel measurements", nullptr, [](M&, R& s) { s.CalcPixMeasurements(); })),
        Int(TRX_CTL(edMaxStringLines), F::rsfMaxStringLines),
        Int(TRX_CTL(edMaxMemoLines), F::rsfMaxMemoLines),
        Int(TRX_CTL(edMaxRowsToSnugfit), F::rsfMaxRowsToSnugfit),
        Int(TRX_CTL(edLargestFontSize), F::rsfLargestFontSize),
        Int(TRX_CTL(edSmallestFontSize), F::rsfSmallestFontSize),
        // The orientation is stored by its own change handler.
        FillOnly(Item(TRX_CTL(cbxOrientation), F::rsfOrientation)),
        Item(TRX_CTL(cbxSnugfit), F::rsfSnugfit, 1, true),
        Text(TRX_CTL(edTextFontName), F::rsfTextFontName),
        Int(TRX_CTL(edTextFontSize), F::rsfTextFontSize),
        Text(TRX_CTL(edReplFontName), F::rsfReplFontName),
        Int(TRX_CTL(edReplFontSize), F::rsfReplFontSize),
        Value(TRX_CTL(cmbExportFieldDelim), F::rsfExportFieldDelim, DelimNames, DelimValues),
        Value(TRX_CTL(cmbExportQuote), F::rsfExportQuote, QuoteNames, QuoteValues),
        Int(TRX_CTL(edExportMaxStrLng), F::rsfExportMaxStrLng),
        Int(TRX_CTL(edExportMaxMemoLng), F::rsfExportMaxMemoLng),
        Text(TRX_CTL(edOutputFileName), F::rsfOutputFileName),
        Check(TRX_CTL(cbPauseAfterPrinting), F::rsfPauseAfterPrinting),
        Check(TRX_CTL(cbDisplayProgressWindow), F::rsfDisplayProgressWindow),
        Check(TRX_CTL(cbDisplayReportOptionsWin), F::rsfDisplayReportOptionsWin),
        Check(TRX_CTL(cbCloseWinAfterPrinting), F::rsfCloseWinAfterPrinting),
        Check(TRX_CTL(cbShowHint), F::rsfShowHint),
        Check(TRX_CTL(cbSettingsReadOnly), F::rsfSettingsReadOnly),
        Check(TRX_CTL(cbPreviewFirst), F::rsfPreviewFirst),
        Password(TRX_CTL(cbRptPW), F::rsfRptPW),
        Password(TRX_CTL(cbRptSetupPW), F::rsfRptSetUpPW),
        Password(TRX_CTL(cbRptOptPW), F::rsfRptOptPW),
        ShowPage(TRX_CTL(cbShowGeneralPage), "General"),
        ShowPage(TRX_CTL(cbShowOutputPage), "Output"),
        ShowPage(TRX_CTL(cbShowStylePage), "Style"),
        ShowPage(TRX_CTL(cbShowTitlesPage), "Titles"),
        ShowPage(TRX_CTL(cbShowSetupPage), "Setup"),
        StoreOnly(Step("memo editor", nullptr, StoreMemo,
                       {F::rsfMemoXPosPer, F::rsfMemoWidPer, F::rsfMemoMarginTxt, F::rsfMemoMarginThous,
                        F::rsfMemoAlignment, F::rsfMemoVisible})),
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
    EditedMemo = -1;
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

bool EditModified(TObject* Sender) {
    auto* edit = dynamic_cast<TCustomEdit*>(Sender);
    return edit && edit->Modified();
}

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
