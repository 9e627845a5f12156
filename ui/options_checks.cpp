// The options dialog's field checks: every rule a value must pass before the
// settings take it, how a failed field is brought to the user, and the key
// filter and exit checks of the numeric edits and the combo boxes.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/preview_window.h"
#include "ui/tab_set_control.h"

namespace trx {

namespace {

using M = TfmTBXMain;
using U = TUnitsOfMeasure;

bool Among(const TObject* Sender, std::initializer_list<const TObject*> Controls) {
    return std::find(Controls.begin(), Controls.end(), Sender) != Controls.end();
}

// One check: which rules it runs, how a range failure is shown, and whether
// every rule so far has passed (a failed rule stops the ones after it).
struct TCheckRun {
    M& F;
    const TObject* Sender;
    bool All;
    bool Focus;
    bool Passed = true;

    // The rule is for every check, or for a change of one of these controls.
    bool By(std::initializer_list<const TObject*> Controls) const { return All || Among(Sender, Controls); }
    template <class TCheck>
    void Rule(bool ForThisCheck, TCheck&& Check) {
        if (Passed && ForThisCheck) Passed = Check();
    }
    bool Range(TWinControl* Control, int Min, int Max, const std::string& Name, const std::string& Units) const {
        return F.ChkFldIntRange(Control, Min, Max, Name, Units, Focus);
    }
};

// The page margins as stored by the last check that passed leave 5 lines
// (one inch in a graphic quality) of the page height the printer set-up
// measured. Each margin's own range is checked at its exit; the two together
// are judged here, at the next full check, once both are stored.
bool StoredPageMarginsFit(const TtrxReportSettings& rs, bool Text, const TPrintSettings& ps) {
    const TRect& margin = rs.PageMargin[Text ? U::umTxt : U::umPix];
    const int spare = Text ? 5 : ps.CnvtThousToUnits(1000, U::umPix, TXyDir::dY, false);
    return margin.Top + margin.Bottom <= ps.PageHt - spare;
}

// A warning that stays until the next check clears it; the field keeps the focus it has.
bool Warn(M& f, const std::string& Msg) {
    StatusMsg(f.StatusPanel(), Msg, TMsgDlgType::mtWarning, f.Timer1, 0);
    return false;
}

std::string Quoted(const std::string& S) { return "\"" + S + "\""; }

void ExportRules(TCheckRun& r) {
    M& f = r.F;
    auto code = [&](TComboBox* Combo, const char* Name) {
        return !IsNumeric(Combo->Text()) || r.Range(Combo, 0, 255, Name, "(Ascii Code)");
    };
    r.Rule(r.By({f.cmbExportFieldDelim}),
           [&] { return code(f.cmbExportFieldDelim, "Export Field Delimiter Character"); });
    r.Rule(r.By({f.cmbExportQuote}), [&] { return code(f.cmbExportQuote, "Export Quote Character"); });
    // What the two stand for in the file (a name, a character code or the
    // text itself) must make a file that can be read: the run itself
    // refuses what this refuses.
    r.Rule(true, [&] {
        auto chr = [&](TComboBox* Combo) { return DecodeExportChr(f.GetExportFldStr(Combo->Text())); };
        const std::string fault = ExportChrsFault(chr(f.cmbExportFieldDelim), chr(f.cmbExportQuote));
        if (fault.empty()) return true;
        f.SetCtrlFocus(f.cmbExportFieldDelim, true, fault);
        return false;
    });
}

void PrinterAndFileRules(TCheckRun& r, TtrxReportSettings& rs, TPrintSettings& ps) {
    M& f = r.F;
    const bool text = rs.OutputQualityIsText();
    // A text quality's limit and unit, else a graphic quality's.
    auto q = [text](auto Text, auto Other) { return text ? Text : Other; };
    const std::string thous = "thousands of an inch";

    r.Rule(r.By({f.edLinesPerPage, f.edPageMarginTop, f.edPageMarginBottom}),
           [&] { return r.Range(f.edLinesPerPage, 10, 99, "Lines Per Page", "characters"); });
    // Judged at a field's exit, the stored margins would hold back the very
    // value that puts them right.
    r.Rule(r.All, [&] {
        if (StoredPageMarginsFit(rs, text, ps)) return true;
        f.SetCtrlFocus(f.edPageMarginTop, false, "Page Top Margin + Bottom Margin are too large for page length");
        f.TabSet->CancelChange = true;
        return false;
    });
    r.Rule(true,
           [&] { return r.Range(f.edTxtCharsPageWid, 10, 9999, "Text Page Width is invalid", "text characters"); });
    r.Rule(Among(r.Sender, {f.cbxReportAlignment, f.edTxtCharsPageWid}), [&] {
        if (f.cbxReportAlignment->Items().IndexOf(f.cbxReportAlignment->Text()) != 0 &&
            TrimStrToInt(f.edTxtCharsPageWid->Text()) > 255)
            StatusMsg(f.StatusPanel(), "Note: Page Width may be too wide for Report Alignment", TMsgDlgType::mtWarning,
                      f.Timer1, 5);
        return true;
    });
    // A setting rather than a check: it is taken whatever failed before.
    if (r.By({f.cbFastPrinterText, f.cbAllowFastPrinterText}))
        rs.FastPrinterText = f.cbFastPrinterText->Checked() && f.cbAllowFastPrinterText->Checked();
    r.Rule(r.By({f.edInterPanelGap}), [&] {
        return r.Range(f.edInterPanelGap, 0, q(10, 3000), "Space Between Panels",
                       q("text characters", "thousands of inch"));
    });
    r.Rule(r.By({f.edMemoSpacesAbove}), [&] {
        return r.Range(f.edMemoSpacesAbove, 0, q(10, 3000), "Space Above Memo", q("text lines", "thousands of inch"));
    });
    r.Rule(r.By({f.edMemoSpacesBelow}), [&] {
        return r.Range(f.edMemoSpacesBelow, 0, q(10, 3000), "Space Below Memo", q("text lines", "thousands of inch"));
    });
    r.Rule(text && r.By({f.edTextFontName, f.buTextFontName, f.edTextFontSize}), [&] {
        if (Trim(f.edTextFontName->Text()).empty()) {
            f.SetCtrlFocus(f.edTextFontName, true, "Font Name is missing");
            f.TabSet->CancelChange = true;
            return false;
        }
        return r.Range(f.edTextFontSize, 2, 72, "Text Font Size", "Points");
    });
    r.Rule(r.By({f.edMaxStringColWid}),
           [&] { return r.Range(f.edMaxStringColWid, 3, 999, "Max String Column Width", "characters"); });
    r.Rule(r.By({f.edMaxMemoColWid}),
           [&] { return r.Range(f.edMaxMemoColWid, 3, 999, "Max Memo Column Width", "characters"); });
    r.Rule(r.By({f.edRcdEstimate}),
           [&] { return r.Range(f.edRcdEstimate, 9, 2147483647, "Record Estimate", "records"); });
    r.Rule(ObjInfo && ObjInfo->GridLike && r.By({f.edHorizLineFreq}),
           [&] { return r.Range(f.edHorizLineFreq, 0, 255, "Horizontal Line Frequency", ""); });
    r.Rule(ObjInfo && ObjInfo->TreeLike && r.By({f.edNodeIndentation}),
           [&] { return r.Range(f.edNodeIndentation, 1, 10, "Node indentation", "tab spaces"); });
    r.Rule(ps.ToPrinter && r.By({f.edVertHtAdjPer}),
           [&] { return r.Range(f.edVertHtAdjPer, 50, 200, "Vertical Height Adjustment", "%"); });
    r.Rule(r.By({f.edPanelsAcrossPage}),
           [&] { return r.Range(f.edPanelsAcrossPage, 1, 10, "Panels Across Page", ""); });
    struct TMargin {
        TEdit* Edit;
        int TextMax;
        int OtherMax;
        const char* Name;
        const char* TextUnits;
    };
    const TMargin margins[] = {
        {f.edPageMarginTop, 100, 5000, "Page Top Margin", "lines"},
        {f.edPageMarginBottom, 100, 5000, "Page Bottom Margin", "lines"},
        {f.edPageMarginLeft, 100, 10000, "Page Left Margin", "characters"},
        {f.edPageMarginRight, 100, 10000, "Page Right Margin", "characters"},
        {f.edCellMarginTop, 10, 5000, "Cell Top Margin", "lines"},
        {f.edCellMarginBottom, 10, 5000, "Cell Bottom Margin", "lines"},
        {f.edCellMarginLeft, 25, 5000, "Cell Left Margin", "characters"},
        {f.edCellMarginRight, 25, 5000, "Cell Right Margin", "characters"},
    };
    for (const TMargin& m : margins)
        r.Rule(r.By({m.Edit}),
               [&] { return r.Range(m.Edit, 0, q(m.TextMax, m.OtherMax), m.Name, text ? m.TextUnits : thous); });
    r.Rule(f.rbPrintWhatPageRange->Checked() && r.By({f.edPageRangeFrom, f.edPageRangeTo}),
           [&] { return ps.ChkPageRange(true, f.edPageRangeFrom, f.edPageRangeTo); });
    r.Rule(true, [&] {
        rs.OutputQuality = static_cast<uint8_t>(GetComboItemNdx(f.cbxOutputQuality, 0, false));
        return true;
    });
    r.Rule(r.By({f.cbxOutputDest, f.cbxOutputQuality}), [&] {
        return ps.ToPrinter || ps.ToRTFFile || rs.OutputQualityIsText() ||
               Warn(f, "Output Quality " + Quoted(f.cbxOutputQuality->Text()) + " only valid when using printer");
    });
    // The stored printer matters only to a report that goes to the printer.
    r.Rule(ps.ToPrinter && !f.cbDefaultPrinter->Checked(), [&] {
        const std::string name = f.cmbPrinters->Text();
        if (!name.empty() && TPrintSettings::GetPrinterNdx(name) >= 0) return true;
        f.SetCtrlFocus(f.cmbPrinters, true, "Printer Name is invalid. Please choose a different printer.");
        return false;
    });
    r.Rule(r.By({f.edMemoXPosPer, f.edMemoWidPer}), [&] {
        return r.Range(f.edMemoXPosPer, 0, 90, "Report Memo Left Margin", "%") &&
               r.Range(f.edMemoWidPer, 10, 100, "Report Memo Width", "%") &&
               (TrimStrToInt(f.edMemoXPosPer->Text()) + TrimStrToInt(f.edMemoWidPer->Text()) <= 100 ||
                Warn(f, "Report memo's " + Quoted("Left Margin") + " + " + Quoted("Memo Width") + " must be <= 100%"));
    });
    r.Rule(ps.ToFile && r.By({f.edOutputFileName}), [&] {
        const std::string dir = ExtractFilePath(f.edOutputFileName->Text());
        if (dir.empty() || DirectoryExists(dir)) return true;
        f.SetCtrlFocus(f.edOutputFileName, true,
                       "Directory does not exist for output file. Use Browse button to create directory.");
        return false;
    });
}

// An edit whose text the user types: a plain or a masked edit.
TCustomEdit* AsEdit(TObject* Sender) {
    if (auto* e = dynamic_cast<TEdit*>(Sender)) return e;
    return dynamic_cast<TMaskEdit*>(Sender);
}

} // namespace

bool TfmTBXMain::ChkOptions(TObject* Sender, bool All, bool Focus) {
    if (SuppressChkOptions || !ReportSettings || !PrintSettings) return false;
    // The last check's message goes; this check shows its own.
    TPanel* panel = StatusPanel();
    if (panel->Color() != clBtnFace) StatusMsg(panel, "", TMsgDlgType::mtInformation, Timer1, -1);
    TCheckRun run{*this, Sender, All, Focus};
    if (PrintSettings->IsSnapShot || PrintSettings->ToExportFile) {
        // A window snapshot prints no cells: it has nothing to check.
        if (PrintSettings->ToExportFile) ExportRules(run);
    } else {
        PrinterAndFileRules(run, *ReportSettings, *PrintSettings);
    }
    if (run.Passed) SaveScreenFields();
    return run.Passed;
}

bool TfmTBXMain::ChkFldIntRange(TWinControl* Control, int Min, int Max, const std::string& FieldName,
                                const std::string& Units, bool Focus) {
    if (!dynamic_cast<TEdit*>(Control) && !dynamic_cast<TMaskEdit*>(Control) && !dynamic_cast<TComboBox*>(Control))
        throw eTrxIntError(std::string(InternalErrorPrefix) + "[ChkFldIntRange]**\rField:" + Control->Name());
    if (!Control->Enabled() || !Control->Visible()) return true;
    const int value = TrimStrToInt(Control->Text());
    // An empty field counts as 0; any other text that is no integer (one
    // too large for an integer among them) would be stored as 0 as well, so
    // it fails whatever the range.
    const std::string text = Trim(Control->Text());
    bool error = false;
    if (!text.empty()) CnvtStrToInt(text, error);
    // A Max below Min means no upper bound.
    if (!error && value >= Min && (Max < Min || value <= Max)) return true;
    SetCtrlFocus(Control, Focus,
                 FieldName + " must be between " + std::to_string(Min) + " and " + std::to_string(Max) + " " + Units);
    return false;
}

void TfmTBXMain::SetCtrlFocus(TWinControl* Control, bool Focus, const std::string& Msg) {
    const std::string title = ReportSettings ? ReportSettings->DialogTitle : std::string();
    const std::string pw = ReportSettings ? ReportSettings->RptOptPW : std::string();
    // The field that has the focus, here or in the preview, is being left or
    // stays behind: the prompt and the move to the failed field check it no
    // second time.
    TCustomForm* active = Screen()->ActiveForm();
    if (active != this && active != fmPreview) active = nullptr;
    const TExitCheckHold hold(active ? active->FocusedControl() : nullptr);
    if (!AskPassword(title, "Enter Report Options Password:", pw, false, PWInfo.EnteredRptOptPW))
        throw ETrxSUError(std::string(SetupErrorPrefix) + "Report Options Password Violation");
    try {
        // Every page on the way to the control is shown, the inner notebook's
        // too; the tab of the dialog's page is selected (none when the page
        // has no tab).
        for (TWinControl* p = Control ? Control->Parent() : nullptr; p; p = p->Parent()) {
            auto* page = dynamic_cast<TPage*>(p);
            auto* notebook = page ? dynamic_cast<TNotebook*>(page->Parent()) : nullptr;
            if (!notebook) continue;
            notebook->SetActivePage(page->Caption());
            if (notebook != nbOptions) continue;
            TabSet->SetTabIndex(CnvtTabStrToNdx(page->Caption()));
            HelpContext = 200 + nbOptions->PageIndex();
        }
        if (Focus && !FocusingField && Control && Control->CanFocus() && Control->Visible()) {
            struct TRestore {
                bool& Flag;
                ~TRestore() { Flag = false; }
            } restore{FocusingField};
            FocusingField = true;
            try {
                // A dialog not active yet (during its first show) gives the
                // field the focus when it becomes active.
                if (Active())
                    Control->SetFocus();
                else
                    SetActiveControl(Control);
            } catch (const Exception&) {}
        }
        // Over the preview the warning waits its 15 seconds there.
        if (!Msg.empty())
            StatusMsg(StatusPanel(), Msg, TMsgDlgType::mtWarning, Timer1, FirstShow && !fmPreview ? 30 : 15);
    } catch (const EInvalidOperation&) {
        MessageBeep(0);
    }
}

std::string TfmTBXMain::GetExportFldStr(const std::string& S) const {
    if (SameText(S, "COMMA")) return ",";
    if (SameText(S, "TAB")) return "\t";
    if (SameText(S, "DOUBLE QUOTE")) return "\"";
    if (SameText(S, "SINGLE QUOTE")) return "'";
    return S;
}

void TfmTBXMain::cbxGenericExit(TObject* Sender) {
    auto* combo = dynamic_cast<TComboBox*>(Sender);
    if (!combo || combo->Items().IndexOf(combo->Text()) >= 0) return;
    MessageBeep(MB_ICONINFORMATION);
    SetCtrlFocus(combo, true, "Value is missing or invalid");
    TabSet->CancelChange = true;
}

void TfmTBXMain::edNumericOnlyKeyPress(TObject* Sender, char& Key) {
    if (Key == '\r') {
        ChkOptions(Sender, false, true);
        // The font limits decide the scale: set up again whatever the check gave.
        if (Sender == edLargestFontSize || Sender == edSmallestFontSize) SetupPrinter(false);
        return;
    }
    if (Key == '\b' || Key == 27 || (Key >= '0' && Key <= '9')) return;
    MessageBeep(0);
    Key = 0;
}

void TfmTBXMain::edNumericOnlyExit(TObject* Sender) {
    TCustomEdit* edit = AsEdit(Sender);
    if (!edit || !edit->Modified()) return;
    if (ChkOptions(Sender, false, true)) {
        if (Sender == edRcdEstimate && ObjInfo) ObjInfo->ResizeColWids(paPagesAcross);
        if (Among(Sender, {edTxtCharsPageWid, edLinesPerPage, edTextFontSize, edSmallestFontSize, edLargestFontSize,
                           edPanelsAcrossPage, edInterPanelGap, edRcdEstimate}))
            SetupPrinter(false);
    }
    if (ReportSettings) ReportSettings->Modified = true;
    edit->SetModified(false);
}

} // namespace trx
