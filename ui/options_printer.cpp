// The dialog's printer set-up: the run's set-up shown on the dialog's
// panels and Output Options caption, and the handlers of the printer,
// orientation, font, shrink and expand controls and of the printer set-up
// and browse buttons.
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_printer_setup.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "framework/core/exceptions.h"
#include "framework/core/format.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/printing/printer.h"
#include "ui/flag_set.h"
#include "ui/options_dialog.h"

namespace trx {

namespace {

// The set-up's results on the dialog's panels.
class TDialogSetupView : public TPrinterSetupView {
public:
    TDialogSetupView(TfmTBXMain& Form, bool ShowMsg) : f(Form), showMsg(ShowMsg) {}

    void PrinterFellBack(const std::string& Name) override { f.cmbPrinters->SetText(Name); }

    void ShowNoPage() override {
        f.paPageDimensions->SetCaption("");
        const bool snap = PrintSettings->IsSnapShot;
        f.paPagesAcross->SetCaption(snap ? "Snapshot" : "Export");
        f.paPagesAcross->SetColor(snap ? TColor(33023) : clWhite);
        f.DisplayRptWid();
    }

    void ShowPageSize() override {
        const TPrintSettings& ps = *PrintSettings;
        const std::string text = ps.GetUnitDisplayValue(ps.PageHt, TXyDir::dY) + ps.GetUnitDisplayText(TXyDir::dY) +
                                 " h x " + ps.GetUnitDisplayValue(ps.PageWid, TXyDir::dX) +
                                 ps.GetUnitDisplayText(TXyDir::dX) + " w";
        f.paPageDimensions->SetCaption(text);
        // The panel grows to show the whole text; it never shrinks here.
        const int wid = f.Canvas().TextWidth(text);
        if (wid > f.paPageDimensions->Width()) f.paPageDimensions->SetWidth(wid + 10);
    }

    TPanel* PagesAcrossPanel() override { return f.paPagesAcross; }

    void ShowRptWid() override { f.DisplayRptWid(); }

    void ColumnsNotScanned() override {
        if (showMsg)
            StatusMsg(f.StatusPanel(), "Report width unknown because columns were not scanned.", TMsgDlgType::mtWarning,
                      f.Timer1, 0);
    }

private:
    TfmTBXMain& f;
    bool showMsg;
};

} // namespace

// The run's set-up with panels and scale, shown on the dialog; the
// hourglass shows meanwhile.
void TfmTBXMain::SetupPrinter(bool ShowMsg) {
    if (!PrintSettings || !ReportSettings) return;
    const TCursor cursor = Screen()->Cursor();
    Screen()->SetCursor(crHourGlass);
    try {
        TDialogSetupView view(*this, ShowMsg);
        SetupPrinterAndScale(&view);
    } catch (...) {
        Screen()->SetCursor(cursor);
        throw;
    }
    Screen()->SetCursor(cursor);
    const TPrintSettings& ps = *PrintSettings;
    const int points = ps.ScaleFontSize(ReportSettings->TextFontSize);
    gbOutputOptions->SetCaption(ps.ScalePct == 100
                                    ? Format("Output Options (%d pts)", {points})
                                    : Format("Output Options (Scaled by: %d%% = %d pts)", {ps.ScalePct, points}));
}

// The report's width, and with panels their count and the whole table's width.
void TfmTBXMain::DisplayRptWid() {
    const TPrintSettings& ps = *PrintSettings;
    std::string text;
    if (!ps.ToExportFile && !ps.IsSnapShot) {
        text = "Total Report Width: " + ps.GetUnitDisplayValue(ps.PanelStep, TXyDir::dX) +
               ps.GetUnitDisplayText(TXyDir::dX);
        if (ReportSettings->PanelsAcrossPage > 1) {
            char buf[80];
            std::snprintf(buf, sizeof buf, " x %d Panel%s = %d chars", ps.PanelsAcross, ps.PanelsAcross > 1 ? "s" : "",
                          ps.TableWid);
            text += buf;
        }
    }
    StatusMsg(paRptStatus, text, TMsgDlgType::mtInformation, nullptr, 0);
}

// For the printer, its set-up dialog; for a file, the save dialog. The
// destination's change handler follows whatever the answer.
void TfmTBXMain::sbPrinterSetupClick(TObject*) {
    if (!PrintSettings || !ReportSettings) return;
    if (PrintSettings->ToPrinter) {
        Printer()->SetPrinterIndex(Printer()->PrinterIndex());
        if (PrinterSetupDialog1->Execute()) {
            PrintSettings->RecalcPixPerInch = true;
            ReportSettings->PrinterName = Printer()->PrinterName();
            cmbPrinters->SetText(ReportSettings->PrinterName);
            cbxOrientation->SetItemIndex(Printer()->Orientation() == TPrinterOrientation::poLandscape ? 1 : 0);
            if (ReportSettings->DefaultPrinter) {
                const bool was = Assigning;
                Assigning = true;
                cbDefaultPrinter->SetChecked(false);
                Assigning = was;
                ReportSettings->DefaultPrinter = false;
                StatusMsg(StatusPanel(), "Note: The report is no longer using the Default Printer.",
                          TMsgDlgType::mtWarning, Timer1, 5);
            }
        }
    } else {
        const TOutputDest dest = ReportSettings->OutputDest;
        SaveDialog1->FileName = edOutputFileName->Text();
        SaveDialog1->DefaultExt = "TXT";
        SaveDialog1->Title = dest == TOutputDest::odExportFile ? "Export Report As" : "Save Report As";
        SaveDialog1->Filter = dest == TOutputDest::odRTFFile      ? "Rich Text Files|*.RTF"
                              : dest == TOutputDest::odExportFile ? "ASCII Files|*.ASC"
                                                                  : "Text Files|*.TXT";
        if (SaveDialog1->Execute()) {
            ReportSettings->OutputFileName = SaveDialog1->FileName;
            // The edit shows the choice, so the next store of the fields keeps it.
            edOutputFileName->SetText(SaveDialog1->FileName);
        }
    }
    cbxOutputDestChange(cbxOutputDest);
}

// The font dialog started from a name and a size edit; a confirmed font
// goes into the four settings given and back into the edits.
bool TfmTBXMain::ChooseFont(TFontDialogOption Offer, TEdit* NameEdit, TEdit* SizeEdit, std::string& Name, int32_t& Size,
                            int32_t& Style, int32_t& Color) {
    TtrxReportSettings& rs = *ReportSettings;
    FontDialog1->Options = TFontDialogOptions{Offer};
    FontDialog1->Font.SetName(NameEdit->Text());
    FontDialog1->Font.SetSize(rs.ValidateFontSize(TrimStrToInt(SizeEdit->Text())));
    if (!FontDialog1->Execute()) return false;
    const TFont& font = FontDialog1->Font;
    Name = font.Name();
    Size = rs.ValidateFontSize(font.Size());
    Style = CnvtFontStylesToInt(font.Style());
    Color = font.Color();
    rs.Modified = true;
    // Both edits change before any handler stores them into the settings.
    TFlagSet quiet(Assigning);
    NameEdit->SetText(Name);
    SizeEdit->SetText(std::to_string(Size));
    return true;
}

// The text font from the font dialog, fixed-pitch fonts only.
void TfmTBXMain::buTextFontNameClick(TObject* Sender) {
    if (!ReportSettings) return;
    TtrxReportSettings& rs = *ReportSettings;
    if (ChooseFont(TFontDialogOption::fdFixedPitchOnly, edTextFontName, edTextFontSize, rs.TextFontName,
                   rs.TextFontSize, rs.TextFontStyle, rs.TextFontColor) &&
        ChkOptions(Sender, false, true))
        SetupPrinter(false);
}

// The replacement font from the font dialog, with its effects.
void TfmTBXMain::buReplFontNameClick(TObject*) {
    if (!ReportSettings) return;
    TtrxReportSettings& rs = *ReportSettings;
    ChooseFont(TFontDialogOption::fdEffects, edReplFontName, edReplFontSize, rs.ReplFontName, rs.ReplFontSize,
               rs.ReplFontStyle, rs.ReplFontColor);
}

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

// An emptied printer name means the default printer; a typed one is taken
// when the printer has changed since the last set-up.
void TfmTBXMain::cmbPrintersExit(TObject* Sender) {
    if (!ReportSettings || !PrintSettings) return;
    if (Trim(cmbPrinters->Text()).empty()) {
        if (Screen()->ActiveControl() != cbDefaultPrinter) cbDefaultPrinter->SetChecked(true);
        return;
    }
    if (!PrintSettings->RecalcPixPerInch) return;
    TPrintSettings::SetPrinterName(cmbPrinters->Text());
    SetOptions(Sender, false);
    if (ChkOptions(Sender, false, true)) SetupPrinter(false);
}

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

// A typed starting line number re-measures the columns and sets up the printer when it passes.
void TfmTBXMain::edStartingReportLineIdChange(TObject* Sender) {
    if (!EditModified(Sender) || !ReportSettings) return;
    ReportSettings->Modified = true;
    if (ChkOptions(Sender, false, true)) {
        if (ObjInfo) ObjInfo->ResizeColWids(paPagesAcross);
        SetupPrinter(false);
    }
}

} // namespace trx
