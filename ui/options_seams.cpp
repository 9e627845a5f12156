// The dialog's printer set-up, style list and memo editor, kept to what the
// rest of the dialog needs of them. Each routine says in one line what it
// does now; the full rules replace them.
#include <initializer_list>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_printer_setup.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/date_time.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/printing/printer.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/tab_set_control.h"

namespace trx {

namespace {

bool EditModified(TObject* Sender) {
    auto* edit = dynamic_cast<TCustomEdit*>(Sender);
    return edit && edit->Modified();
}

} // namespace

// ---- Printer set-up --------------------------------------------------------

// The engine's run set-up from the settings; the dialog's panels, captions and warnings are not written yet.
void TfmTBXMain::SetupPrinter(bool) {
    if (PrintSettings && ReportSettings) SetupRunPrinter();
}

// Runs the destination's change handler as after the printer or file dialog.
void TfmTBXMain::sbPrinterSetupClick(TObject*) { cbxOutputDestChange(cbxOutputDest); }

// The font dialogs come with the printer set-up; the button does nothing yet.
void TfmTBXMain::buTextFontNameClick(TObject*) {}

// The font dialogs come with the printer set-up; the button does nothing yet.
void TfmTBXMain::buReplFontNameClick(TObject*) {}

// Stores the orientation and sets up the printer.
void TfmTBXMain::cbxOrientationChange(TObject*) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    ReportSettings->Orientation = static_cast<TPrinterOrient>(GetComboItemNdx(cbxOrientation, 0, true));
    if (PrintSettings) PrintSettings->RecalcPixPerInch = true;
    SetupPrinter(true);
}

// Marks the settings modified and sets up the printer when the field passes.
void TfmTBXMain::edTextFontNameChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (ChkOptions(Sender, false, true)) SetupPrinter(false);
}

// Enter sets up the printer when the field passes.
void TfmTBXMain::edTextFontSizeKeyPress(TObject* Sender, char& Key) {
    if (Key == '\r' && ChkOptions(Sender, false, true)) SetupPrinter(false);
}

// The list of the installed printers.
void TfmTBXMain::cmbPrintersDropDown(TObject*) { cmbPrinters->Items().Assign(Printer()->Printers()); }

// Takes nothing yet; the printer name is stored with the other fields.
void TfmTBXMain::cmbPrintersExit(TObject*) {}

// Marks the settings modified, derives the options and sets up the printer.
void TfmTBXMain::cbDefaultPrinterClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
    if (ChkOptions(Sender, false, true)) {
        if (PrintSettings) PrintSettings->RecalcPixPerInch = true;
        SetupPrinter(false);
    }
}

// Marks the settings modified and asks for the printer to be measured again.
void TfmTBXMain::cmbPrintersChange(TObject*) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (PrintSettings) PrintSettings->RecalcPixPerInch = true;
}

// Marks the settings modified and sets up the printer when the box passes.
void TfmTBXMain::cbShrinkToPageClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (ChkOptions(Sender, false, true)) SetupPrinter(false);
}

// A typed starting line number marks the settings modified and sets up the printer when it passes.
void TfmTBXMain::edStartingReportLineIdChange(TObject* Sender) {
    if (!EditModified(Sender) || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (ChkOptions(Sender, false, true)) SetupPrinter(false);
}

// ---- Style list ------------------------------------------------------------

// Lists no style options yet.
void TfmTBXMain::LoadlbxStyleOpts(bool) {}

// Leaves the style panels at their laid-out heights.
void TfmTBXMain::SetpaStyleOptsHeight() {}

// Toggles nothing yet.
void TfmTBXMain::lbxStyleOptsDblClick(TObject*) {}

// Toggles nothing yet.
void TfmTBXMain::lbxStyleOptsKeyPress(TObject*, char&) {}

// Draws nothing of its own yet.
void TfmTBXMain::lbxStyleOptsDrawItem(TWinControl*, int, TRect, TOwnerDrawState) {}

// Keeps the grid's own keys.
void TfmTBXMain::dbgStylesKeyDown(TObject*, uint16_t&, TShiftState) {}

// Stores a quality that is one of the combo's items and derives the options.
void TfmTBXMain::cbxOutputQualityChange(TObject*) {
    if (Assigning || !ReportSettings) return;
    if (cbxOutputQuality->Items().IndexOf(cbxOutputQuality->Text()) < 0) return;
    ReportSettings->Modified = true;
    ReportSettings->OutputQuality = static_cast<uint8_t>(GetComboItemNdx(cbxOutputQuality, 0, false));
    SetOptions(cbxOutputQuality, false);
}

// The two line-drawing qualities; opening the list counts as a change.
void TfmTBXMain::cbxOutputQualityDropDown(TObject*) {
    if (ReportSettings) ReportSettings->Modified = true;
    TStringList items;
    items.Add("ASCII LineDraw");
    items.Add("IBM LineDraw");
    cbxOutputQuality->Items().Assign(items);
}

// Stores the auto-size method (a text that is no item selects the limited one) and derives the options.
void TfmTBXMain::cbxSnugfitChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    ReportSettings->Snugfit = static_cast<TSnugfit>(GetComboItemNdx(cbxSnugfit, 1, true));
    SetOptions(Sender, false);
}

// ---- Memo editor -----------------------------------------------------------

// Enables the editor's controls exactly when a memo is chosen (so that the
// checks pass over an editor without a memo); its look stays as laid out.
void TfmTBXMain::SetRptMemo() {
    const bool chosen = lbxMemoLocation->ItemIndex() >= 0;
    for (TControl* c : std::initializer_list<TControl*>{
             rbRptMemoLeftJustify, rbRptMemoCenterJustify, rbRptMemoRightJustify, lbMemoXPosPer, lbMemoWidPer,
             edMemoXPosPer, edMemoWidPer, cbMemoVisible, lbMemoSpacesAbove, lbMemoSpacesBelow, edMemoSpacesAbove,
             edMemoSpacesBelow, buMemoFont})
        c->SetEnabled(chosen);
}

// Leaves the editor where it was laid out.
void TfmTBXMain::SetRptMemoDim() {}

// Loads the chosen memo into the editor, its handlers detached meanwhile.
void TfmTBXMain::lbxMemoLocationClick(TObject*) {
    if (Assigning || !ReportSettings) return;
    const int i = lbxMemoLocation->ItemIndex();
    memRptMemo->SetEnabled(i >= 0);
    SetRptMemo();
    if (i < 0) return;
    const bool wasAssigning = Assigning;
    Assigning = true;
    try {
        const TRptMemo& memo = ReportSettings->Memo(static_cast<TRptMemoNdx>(i));
        memRptMemo->SetText(ReportSettings->RptMemoExists(static_cast<TRptMemoNdx>(i), false) ? memo.Text() : "");
        edMemoXPosPer->SetText(std::to_string(memo.XPosPer));
        edMemoWidPer->SetText(std::to_string(memo.WidPer));
        const TRect& margin = ScreenUnits == TUnitsOfMeasure::umTxt ? memo.MarginTxt : memo.MarginThous;
        edMemoSpacesAbove->SetText(std::to_string(margin.Top));
        edMemoSpacesBelow->SetText(std::to_string(margin.Bottom));
        rbRptMemoLeftJustify->SetChecked(memo.Alignment == TAlignment::taLeftJustify);
        rbRptMemoCenterJustify->SetChecked(memo.Alignment == TAlignment::taCenter);
        rbRptMemoRightJustify->SetChecked(memo.Alignment == TAlignment::taRightJustify);
        cbMemoVisible->SetChecked(memo.Visible);
    } catch (...) {
        Assigning = wasAssigning;
        throw;
    }
    Assigning = wasAssigning;
}

// An edited memo text marks the settings modified and is checked (which stores it).
void TfmTBXMain::memRptMemoExit(TObject* Sender) {
    if (!memRptMemo->Modified()) return;
    if (ReportSettings) ReportSettings->Modified = true;
    ChkOptions(Sender, false, true);
    memRptMemo->SetModified(false);
}

// A memo setting that passes its check marks the settings modified.
void TfmTBXMain::edMemoXPosPerExit(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    if (!ChkOptions(Sender, false, true)) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// The memo font dialog comes with the memo editor; without a memo chosen the button beeps.
void TfmTBXMain::buMemoFontClick(TObject*) {
    if (lbxMemoLocation->ItemIndex() < 0) MessageBeep(0);
}

// Marks the settings modified and derives the options.
void TfmTBXMain::cbxColTitleAlignmentChange(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// A modified width limit that passes marks the settings modified.
void TfmTBXMain::edMaxMemoColWidExit(TObject* Sender) {
    if (!EditModified(Sender) || !ChkOptions(Sender, false, true)) return;
    static_cast<TCustomEdit*>(Sender)->SetModified(false);
    if (ReportSettings) ReportSettings->Modified = true;
    SetupPrinter(false);
}

// The time format's sample becomes the run's time text and shows on the status panel.
void TfmTBXMain::edMemoTimeFormatStrChange(TObject*) {
    if (Assigning || !PrintSettings || !ReportSettings) return;
    ReportSettings->Modified = true;
    PrintSettings->TimeText = FormatDateTime(edMemoTimeFormatStr->Text(), Now());
    paMsg->SetCaption("Sample Time Format: " + PrintSettings->TimeText);
}

// The date format's sample becomes the run's date text and shows on the status panel.
void TfmTBXMain::edMemoDateFormatStrChange(TObject*) {
    if (Assigning || !PrintSettings || !ReportSettings) return;
    ReportSettings->Modified = true;
    PrintSettings->DateText = FormatDateTime(edMemoDateFormatStr->Text(), Now());
    paMsg->SetCaption("Sample Date Format: " + PrintSettings->DateText);
}

// Marks the settings modified.
void TfmTBXMain::edMemoPageFormatStrChange(TObject*) {
    if (!Assigning && ReportSettings) ReportSettings->Modified = true;
}

// Marks the settings modified and derives the options.
void TfmTBXMain::rbCountNumRcdsClick(TObject* Sender) {
    if (Assigning || !ReportSettings) return;
    ReportSettings->Modified = true;
    SetOptions(Sender, false);
}

// ---- Preview ---------------------------------------------------------------

// No preview window yet: a preview asks for no options window.
bool Preview() { return false; }

} // namespace trx
