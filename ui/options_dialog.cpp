// The run: the dialog's creation and destruction, the first show that sets
// the run up and takes one of its three roads (print at once, preview first,
// or the options window), the Print, Save and Close commands, the File menu
// and the save question on closing.
#include "ui/options_dialog.h"

#include <functional>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/exceptions.h"
#include "framework/data/dataset.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/forms/menus.h"
#include "framework/printing/printer.h"
#include "ui/password_prompt.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"
#include "ui/save_orig.h"
#include "ui/tab_set_control.h"
#include "ui/tabrix.h"

namespace trx {

TfmTBXMain* fmTBXMain = nullptr;

namespace {

const char* const kSaveFailed = "Unable to save report settings";

[[noreturn]] void SetupError(const std::string& Text) { throw ETrxSUError(std::string(SetupErrorPrefix) + Text); }

// The edits whose Modified flag counts as a change of the settings.
TCustomEdit* AsTrackedEdit(TControl* Control) {
    if (dynamic_cast<TEdit*>(Control) || dynamic_cast<TMaskEdit*>(Control) || dynamic_cast<TMemo*>(Control))
        return static_cast<TCustomEdit*>(Control);
    return nullptr;
}

// Every tracked edit inside Parent, depth first.
void ForEachTrackedEdit(TControl* Parent, const std::function<void(TCustomEdit&)>& Visit) {
    auto* win = dynamic_cast<TWinControl*>(Parent);
    if (!win) return;
    for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        if (TCustomEdit* edit = AsTrackedEdit(child)) Visit(*edit);
        ForEachTrackedEdit(child, Visit);
    }
}

} // namespace

TfmTBXMain::TfmTBXMain(TComponent* AOwner) : TForm(AOwner) { BuildLayout(); }

TfmTBXMain::~TfmTBXMain() {
    if (fmTBXMain == this) fmTBXMain = nullptr;
}

// ---- Creation and destruction ----------------------------------------------

void TfmTBXMain::FormCreate(TObject*) {
    TabSet = new TTabSetControl(this);
    TabSet->SetParent(paMiddle);
    TabSet->SetHeight(26);
    TabSet->SetAlign(TAlign::alTop);
    TabSet->NoteBook = nbOptions;
    TabSet->OnChange = [this](TObject* Sender) { TabSet->TabChanged(Sender); };
    // Borderless and of no size, the dialog stays out of sight while its
    // first show sets the run up.
    SavedWidth = 640;
    SavedHeight = 480;
    SetWidth(0);
    SetHeight(0);
    for (TSpeedButton* button : {sbClose, sbSaveOpts, sbPrint, sbPreview, sbPrinterSetup})
        if (button) button->SetFlat(true);
    try {
        RunScope = std::make_unique<TRunScope>();
        FirstShow = true;
        SaveOrig = std::make_unique<TSaveOrig>();
        Progress = std::make_unique<TWindowProgress>();
        ProgressScope = std::make_unique<TRunProgressScope>(*Progress);
    } catch (...) {
        FormDestroy(this);
        throw;
    }
}

void TfmTBXMain::FormDestroy(TObject*) {
    // Every step runs whatever an earlier one raised: the run's objects go
    // and the passwords are forgotten in any case.
    TCleanupSteps steps;
    steps.Run([] { FreeAndNil(fmProgress); });
    // The preview's memo and page list live in the run's print settings:
    // the window goes while they are there.
    steps.Run([] { FreeAndNil(fmPreview); });
    steps.Run([this] {
        if (SaveOrig) SaveOrig->Restore();
    });
    SaveOrig.reset();
    // Focus goes back to the caller's form only while it exists and can
    // take it.
    steps.Run([this] {
        TForm* caller = ObjInfo && RunScope ? ObjInfo->CallerForm : nullptr;
        if (caller && Screen()->IsLive(caller, CallerFormId) && caller->CanFocus()) caller->SetFocus();
    });
    ProgressScope.reset();
    Progress.reset();
    RunScope.reset();
    ControlsDisabledOf = nullptr;
    PWInfo.Clear();
    steps.RaiseFirst();
}

// ---- The first show ----------------------------------------------------------

void TfmTBXMain::InitVars() {
    Printer()->Canvas().MoveTo(0, 0);
    Assigning = false;
    SuppressSetOptions = false;
    SuppressChkOptions = false;
    ReportSettings->LoadGlobalSettings();
    TApplication* app = Application();
    app->ShowHint = ReportSettings->ShowHint;
    app->OnHint = [this](TObject* Sender) { ShowStatusHint(Sender); };
    app->HelpFile = "KV_USER.HLP";
    PrintSettings->LastModalResult = 0;
}

void TfmTBXMain::FormShow(TObject*) {
    if (!FirstShow) return;
    try {
        Screen()->SetCursor(crHourGlass);
        InitVars();
        TtrxReportSettings& rs = *ReportSettings;
        const bool ctrlShift = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0;

        ObjInfo->DefineObj();
        // Defining a dataset's object disables the dataset's controls.
        ControlsDisabledOf = ObjInfo->DataSet;
        if (ObjInfo->Component) ObjInfo->Component->LoadReportSettings();
        if (ObjInfo->AfterOptionsLoaded) {
            // The handler may change every setting but the identifier.
            const TtrxReportId id = rs.ReportId;
            ObjInfo->AfterOptionsLoaded(ObjInfo->Component, rs);
            rs.ReportId = id;
        }
        ReadOnlyAtStart = rs.SettingsReadOnly;
        ObjInfo->CalcRows();
        AssignScreenFields();
        std::string style = rs.StyleName;
        if (!RptStyles->LoadStyle(style)) SetupError("Cannot Load Tabrix! Styles");
        rs.StyleName = style;
        SetCaption(rs.DialogTitle.empty() ? std::string("Report Options") : "Report Options: " + rs.DialogTitle);

        SetOptions(nullptr, true);
        PrintSettings->RecalcPixPerInch = true;
        SetupPrinter(false);
        const bool chkFail = !ChkOptions(nullptr, true, true);
        SetpaStyleOptsHeight();
        ObjInfo->CalcColWids(paMsg, paPagesAcross, Timer1);
        SetupPrinter(false);
        ResetModified();
        FirstShow = false;

        // The decision, carried out by the modal loop once this show is over.
        const bool canPreview =
            rs.PrintWhat != TPrintWhat::pwWindowSnapShot && rs.OutputDest != TOutputDest::odExportFile;
        bool showOptions = rs.DisplayReportOptionsWin || ctrlShift || chkFail;
        // The rows the scan recorded stand in for the table only in a print
        // that follows the scan at once: while the options window or the
        // preview is open, other programs may change the data.
        if (showOptions || (rs.PreviewFirst && canPreview)) ObjInfo->DropScanRecording();
        if (rs.PreviewFirst && canPreview && !ctrlShift && !chkFail) showOptions = Preview();
        if (showOptions) {
            Screen()->SetCursor(crDefault);
            if (!AskPassword(rs.DialogTitle, "Enter Report Options Password:", rs.RptOptPW, false,
                             PWInfo.EnteredRptOptPW))
                SetupError("Report Options Password Violation");
            PostMessage(this, WM_RestoreWindowSize);
        } else {
            if (!(rs.PreviewFirst && canPreview)) sbPrintClick(this);
            PostMessage(this, WM_TerminateWindow);
        }
    } catch (const Exception& e) {
        Screen()->SetCursor(crDefault);
        ShowMessage(e.Message);
        TerminateWindowOnError();
    }
}

void TfmTBXMain::RestoreWindowSize(TMessage&) {
    // Giving the dialog its border is no resize of the options window.
    TNotifyEvent onResize = std::move(OnResize);
    OnResize = nullptr;
    try {
        SetBorderStyle(TFormBorderStyle::bsSingle);
    } catch (...) {
        OnResize = std::move(onResize);
        throw;
    }
    OnResize = std::move(onResize);
    SetBounds((Screen()->Width() - SavedWidth) / 2, (Screen()->Height() - SavedHeight) / 2, SavedWidth, SavedHeight);
}

void TfmTBXMain::TerminateWindow(TMessage&) { Close(); }

void TfmTBXMain::TerminateWindowOnError() {
    std::string text = "Due to errors, the report";
    if (ReportSettings) {
        ReportSettings->Modified = false;
        text += ": \"" + ReportSettings->DialogTitle + "\"";
    }
    text += " cannot be printed";
    MessageDlg(text, TMsgDlgType::mtInformation, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 899);
    PostMessage(this, WM_TerminateWindow);
}

// ---- Commands ----------------------------------------------------------------

void TfmTBXMain::sbPrintClick(TObject*) {
    TtrxReportSettings& rs = *ReportSettings;
    TPrintSettings& ps = *PrintSettings;
    ObjInfo->ChkObjectToPrint();
    if (!AskPassword(rs.DialogTitle, "Enter Report Password:", rs.RptPW, false, PWInfo.EnteredRptPW))
        SetupError("Report Password Violation");
    if (!ChkOptions(nullptr, true, true)) return;
    ps.Oper = TOper::opPrinting;
    SetupPrinter(true);
    if (!ps.IsSnapShot && !ps.ToExportFile) {
        ObjInfo->ResizeColWids(paPagesAcross);
        SetupPrinter(false);
        ps.SetPageRange(rs.PrintWhat, false, rs.PageRangeFrom, rs.PageRangeTo);
    }
    ps.LastModalResult = ps.PrintReport(rs.PauseAfterPrinting, this);
    // Once the options window is open, its status line tells; before, while
    // the dialog is out of sight, a message box.
    TellRunOutcome(BorderStyle() != TFormBorderStyle::bsNone ? paMsg : nullptr);
    if (rs.CloseWinAfterPrinting)
        PostMessage(this, WM_TerminateWindow);
    else if (CanFocus())
        SetFocus();
}

void TfmTBXMain::TellRunOutcome(TPanel* Panel) {
    const TPrintSettings& ps = *PrintSettings;
    if (ps.LastModalResult == 3 && !ps.AbortReason.empty()) {
        if (ps.OutcomeShown) return;
        if (!Panel) {
            ShowMessage(ps.AbortReason);
            return;
        }
        StatusMsg(Panel, ps.AbortReasonLine(), TMsgDlgType::mtError, Timer1, 15);
    } else if (ps.LastModalResult == 1 && !ps.DestFile.empty() && Panel) {
        StatusMsg(Panel, "Output: " + ps.DestName, TMsgDlgType::mtCustom, Timer1, 15);
    }
}

void TfmTBXMain::sbPreviewClick(TObject*) { Preview(); }

void TfmTBXMain::sbSaveOptsClick(TObject*) { SaveRptSettings(true); }

void TfmTBXMain::itmPrintClick(TObject*) { sbPrint->Click(); }

void TfmTBXMain::itmPreviewClick(TObject*) { sbPreview->Click(); }

void TfmTBXMain::itmSaveClick(TObject*) { sbSaveOpts->Click(); }

void TfmTBXMain::SaveRptSettings(bool Check) {
    if (Check && !ChkOptions(ActiveControl(), true, true)) return;
    // A save that did not complete (no lock in time, a failed write) leaves
    // the settings modified, so that the close question still sees them.
    auto notSaved = [this] {
        ReportSettings->Modified = true;
        StatusMsg(paMsg, kSaveFailed, TMsgDlgType::mtWarning, Timer1, 15);
    };
    bool saved = false;
    try {
        saved = ObjInfo->Component && ObjInfo->Component->SaveReportSettings();
    } catch (...) {
        notSaved();
        throw;
    }
    if (!saved) {
        notSaved();
        return;
    }
    ReportSettings->Modified = false;
    TWinControl* active = ActiveControl();
    if (dynamic_cast<TEdit*>(active) || dynamic_cast<TMemo*>(active))
        static_cast<TCustomEdit*>(active)->SetModified(false);
    StatusMsg(paMsg, " Saved ", TMsgDlgType::mtCustom, Timer1, 2);
}

void TfmTBXMain::bbCloseClick(TObject*) { Close(); }

void TfmTBXMain::itmCalcColSIzeClick(TObject*) {
    ObjInfo->CalcColWids(paMsg, paPagesAcross, Timer1);
    ObjInfo->DropScanRecording(); // the print comes later
}

void TfmTBXMain::mnFileClick(TObject*) {
    const bool snapshot = PrintSettings->IsSnapShot;
    itmPreview->SetEnabled(!snapshot);
    itmCalcColSIze->SetEnabled(!snapshot);
    itmSave->SetEnabled(!(ReportSettings->SettingsReadOnly && ReadOnlyAtStart));
}

// ---- Closing -----------------------------------------------------------------

bool TfmTBXMain::WasEditCtrlModified(TControl* Control) {
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (!win) return false;
    for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        const TCustomEdit* edit = AsTrackedEdit(child);
        if ((edit && edit->Modified()) || WasEditCtrlModified(child)) return true;
    }
    return false;
}

void TfmTBXMain::ResetModified() {
    if (ReportSettings) ReportSettings->Modified = false;
    ForEachTrackedEdit(this, [](TCustomEdit& Edit) { Edit.SetModified(false); });
}

bool TfmTBXMain::OkToCloseForm() {
    if (!ReportSettings) return true;
    TtrxReportSettings& rs = *ReportSettings;
    const bool changed = !(ReadOnlyAtStart && rs.SettingsReadOnly) && (rs.Modified || WasEditCtrlModified(this));
    rs.Modified = changed;
    if (!changed) return true;
    MessageBeep(0);
    const TModalResult answer = MessageDlg("Report Settings have been modified.\r\rSave New Report Settings?",
                                           TMsgDlgType::mtConfirmation, mbYesNoCancel, 999);
    if (answer == mrNo) return true;
    if (answer != mrYes) return false;
    // A save that fails is told, and the dialog stays open.
    try {
        SaveRptSettings(true);
    } catch (const Exception&) {
        Application()->HandleException(this);
    }
    if (rs.Modified) {
        MessageDlg(kSaveFailed, TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbCancel}, 999);
        return false;
    }
    return true;
}

void TfmTBXMain::FormCloseQuery(TObject*, bool& CanClose) {
    if (!OkToCloseForm()) {
        CanClose = false;
        MessageBeep(0);
        return;
    }
    TCleanupSteps steps;
    steps.Run([this] {
        if (!FirstShow && ReportSettings) ReportSettings->SaveGlobalSettings();
    });
    // The user's position comes back only when it was saved, and the
    // dataset's controls only when this run disabled them, once.
    steps.Run([] {
        if (ObjInfo && ObjInfo->ObjPosn) ObjInfo->ObjPosn->RestorePosn();
    });
    steps.Run([this] {
        TDataSet* dataSet = ControlsDisabledOf;
        ControlsDisabledOf = nullptr;
        if (dataSet) dataSet->EnableControls();
    });
    CanClose = true;
    try {
        steps.RaiseFirst();
    } catch (const Exception& e) {
        ShowMessage(std::string(InternalErrorPrefix) + "Closing Form:" + Name() + "\r" + e.Message);
    }
}

} // namespace trx
