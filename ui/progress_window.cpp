#include "ui/progress_window.h"

#include <cstdlib>

#include "engine/form_sizes.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "framework/core/clock.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/standard_controls.h"

namespace trx {

TfmProgress* fmProgress = nullptr;

namespace {

constexpr int64_t ThrottleMs = 500;
constexpr int32_t ChoiceAbort = 3;
constexpr int32_t ChoiceResume = 5;

} // namespace

const TFormDesc& ProgressLayout() {
    static const TFormDesc d{
        .Name = "fmProgress",
        .Caption = "Processing...",
        .ClientWidth = 385,
        .ClientHeight = 215,
        .Props = {{"BorderStyle", "bsDialog"}, {"Position", "poScreenCenter"}, {"KeyPreview", "True"}},
        .Events = {{"OnCreate", "FormCreate"},
                   {"OnShow", "FormShow"},
                   {"OnCloseQuery", "FormCloseQuery"},
                   {"OnKeyDown", "FormKeyDown"}},
        .Controls = {
            {.Kind = "TLabel",
             .Name = "lbOutputDestination",
             .Height = 36,
             .Props = {{"Align", "alTop"}, {"Alignment", "taCenter"}, {"AutoSize", "False"}, {"WordWrap", "True"}}},
            {.Kind = "TLabel",
             .Name = "lbPageNum",
             .Left = 8,
             .Top = 48,
             .Width = 369,
             .Height = 16,
             .Props = {{"Alignment", "taCenter"}, {"AutoSize", "False"}}},
            {.Kind = "TPanel",
             .Name = "paProgressBackground",
             .Left = 47,
             .Top = 72,
             .Width = 291,
             .Height = 25,
             .Props = {{"BevelOuter", "bvLowered"}, {"Font.Style", "[fsBold]"}}},
            {.Kind = "TPanel",
             .Name = "paProgressBar",
             .Parent = "paProgressBackground",
             .Width = 0,
             .Props = {{"Align", "alLeft"}, {"BevelOuter", "bvNone"}, {"Color", "8454016"}}},
            {.Kind = "TBitBtn",
             .Name = "bbOk",
             .Left = 155,
             .Top = 120,
             .Width = 75,
             .Height = 25,
             .Caption = "&Ok",
             .Props = {{"Visible", "False"}},
             .Events = {{"OnClick", "bbOkClick"}}},
            {.Kind = "TBitBtn",
             .Name = "bbCancel",
             .Left = 155,
             .Top = 120,
             .Width = 75,
             .Height = 25,
             .Caption = "&Cancel",
             .Props = {{"Visible", "False"}},
             .Events = {{"OnClick", "bbCancelClick"}}},
            {.Kind = "TBitBtn",
             .Name = "bbResumeOper",
             .Left = 32,
             .Top = 120,
             .Width = 153,
             .Height = 25,
             .Caption = "&Resume Print Job",
             .Props = {{"Visible", "False"}, {"Enabled", "False"}},
             .Events = {{"OnClick", "bbResumeOperClick"}}},
            {.Kind = "TBitBtn",
             .Name = "bbAbortOper",
             .Left = 200,
             .Top = 120,
             .Width = 153,
             .Height = 25,
             .Caption = "&Abort Print Job",
             .Props = {{"Visible", "False"}, {"Enabled", "False"}},
             .Events = {{"OnClick", "bbAbortOperClick"}}},
            {.Kind = "TPanel",
             .Name = "paStatusBar",
             .Height = 25,
             .Caption = "Processing...Please Wait!",
             .Props = {{"Align", "alBottom"}, {"BevelOuter", "bvLowered"}, {"Font.Style", "[fsBold]"}}},
        }};
    return d;
}

namespace {

TOper CurrentOper() { return PrintSettings ? PrintSettings->Oper : TOper::opSample; }
TOperStatus CurrentStatus() { return PrintSettings ? PrintSettings->OperStatus : TOperStatus::osInActive; }

void ShowStatus(TPanel* Panel, TColor Color, const std::string& Text) {
    Panel->SetColor(Color);
    Panel->Font().SetColor(clWhite);
    Panel->SetCaption(Text);
}

} // namespace

TfmProgress::TfmProgress(TComponent* AOwner) : TForm(AOwner) {
    BuildForm(*this, ProgressLayout(),
              THandlerTable()
                  .Add("FormCreate", this, &TfmProgress::FormCreate)
                  .Add("FormShow", this, &TfmProgress::FormShow)
                  .Add("FormCloseQuery", this, &TfmProgress::FormCloseQuery)
                  .Add("FormKeyDown", this, &TfmProgress::FormKeyDown)
                  .Add("bbCancelClick", this, &TfmProgress::bbCancelClick)
                  .Add("bbResumeOperClick", this, &TfmProgress::bbResumeOperClick)
                  .Add("bbAbortOperClick", this, &TfmProgress::bbAbortOperClick)
                  .Add("bbOkClick", this, &TfmProgress::bbOkClick));
}

TfmProgress::~TfmProgress() {
    if (fmProgress == this) fmProgress = nullptr;
}

void TfmProgress::SetOwnerForm(TForm* Value) {
    if (ownerForm_ == Value) return;
    if (ownerForm_) ownerForm_->RemoveFreeNotification(this);
    ownerForm_ = Value;
    if (ownerForm_) ownerForm_->FreeNotification(this);
}

void TfmProgress::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == ownerForm_) ownerForm_ = nullptr;
}

// ---- Texts ------------------------------------------------------------------

void TfmProgress::SetCountText(const std::string& Text) {
    paProgressBar->SetCaption(Text);
    paProgressBackground->SetCaption(Text);
}

std::string TfmProgress::GetOperMsg(bool Done, bool WithStatus) const {
    std::string s;
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    switch (CurrentOper()) {
    case TOper::opPrinting: s = Done ? "Report" : "Printing"; break;
    case TOper::opPreview: s = Done ? "Previewed" : "Previewing"; break;
    case TOper::opScanning: s = Done ? "Scanned" : "Scanning"; break;
    case TOper::opExporting: s = Done ? "Export" : "Exporting"; break;
    case TOper::opCalcColWidths: s = Done ? "Calculated Column Widths" : "Calculating Column Widths"; break;
    default: s = "?"; break;
    }
    TRX_GCC_BOGUS_RESTRICT_END
    if (WithStatus) {
        switch (CurrentStatus()) {
        case TOperStatus::osInActive: s += " Inactive"; break;
        case TOperStatus::osActive: s += " Active"; break;
        case TOperStatus::osCompleted: s += " Completed Normally"; break;
        case TOperStatus::osAbort: s += " --Terminated With Error--"; break;
        case TOperStatus::osCancel: s += " User Cancelled"; break;
        }
    }
    return s;
}

std::string TfmProgress::GetRcdUnits() const {
    if (ObjInfo) {
        switch (ObjInfo->ObjType) {
        case TObjType::IsDBGrid:
        case TObjType::IsStringGrid:
        case TObjType::IsDataSet:
        case TObjType::IsTable:
        case TObjType::IsQuery:
        case TObjType::IsDecGrid: return "Rows";
        case TObjType::IsOutline:
        case TObjType::IsTreeView: return "Nodes";
        case TObjType::IsInvalid: break;
        }
    }
    return "Records";
}

void TfmProgress::UpdateTitle(bool Suspended) {
    if (Suspended) {
        paStatusBar->SetColor(clBlack);
        paStatusBar->Font().SetColor(clWhite);
        paStatusBar->SetCaption(" --" + GetOperMsg(false, false) + "-- User Suspended ");
    } else {
        if (paStatusBar->Color() != clBtnFace) paStatusBar->SetColor(clBtnFace);
        if (paStatusBar->Font().Color() != clWindowText) paStatusBar->Font().SetColor(clWindowText);
        paStatusBar->SetCaption(GetOperMsg(false, false) + "...Please Wait!");
    }
}

void TfmProgress::EnableCtrls(std::initializer_list<TControl*> Controls, bool Enable) {
    for (TControl* c : Controls) {
        if (!c) continue;
        if (dynamic_cast<TWinControl*>(c)) c->SetEnabled(Enable);
        c->SetVisible(Enable);
    }
}

// ---- Handlers ---------------------------------------------------------------

void TfmProgress::FormCreate(TObject*) {
    NormalSize = TPoint{Width(), Height()};
    bbOk->SetLeft((ClientWidth() - bbOk->Width()) / 2);
    bbCancel->SetLeft((ClientWidth() - bbCancel->Width()) / 2);
    EnableCtrls({bbOk, bbAbortOper, bbResumeOper}, false);
    lbPageNum->SetCaption("");
    LastTick = GetTickCount();
    SetHeight(0);
    SetWidth(0);
}

void TfmProgress::FormShow(TObject*) {
    CanClose = false;
    if (PrintSettings && (PrintSettings->Oper == TOper::opPrinting || PrintSettings->Oper == TOper::opExporting))
        lbOutputDestination->SetCaption("Output: " + PrintSettings->DestName);
}

void TfmProgress::FormCloseQuery(TObject*, bool& CanCloseNow) {
    CanCloseNow = CanClose;
    if (!CanClose) MessageBeep(0);
}

void TfmProgress::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    // Ctrl+Pause arrives as the break key on some keyboards.
    const bool ctrlPause = (Key == VK_PAUSE && Shift.Contains(TShiftFlag::ssCtrl)) || Key == VK_CANCEL;
    if (Key != VK_ESCAPE && !ctrlPause) return;
    Key = 0;
    // Suspended or showing the result, the window is modal already and
    // the keys have nothing to suspend.
    if (Modal()) return;
    bbCancel->Click();
}

void TfmProgress::bbCancelClick(TObject*) {
    if (Modal()) return;
    EnableCtrls({bbAbortOper, bbResumeOper}, true);
    EnableCtrls({bbCancel}, false);
    UpdateTitle(true);
    UserChoice = 0;
    CanClose = true;
    Close();

    // The operation's loop waits inside this modal run for the answer.
    SetWindowVisibility(this, true, TFormBorderStyle::bsDialog, NormalSize);
    ShowModal();
    if (UserChoice == ChoiceAbort) {
        CanClose = true;
        Close();
        return;
    }
    UpdateTitle(false);
    Show();
    Application()->ProcessMessages();
}

void TfmProgress::bbResumeOperClick(TObject*) {
    EnableCtrls({bbAbortOper, bbResumeOper}, false);
    EnableCtrls({bbCancel}, true);
    UpdateTitle(false);
    UserChoice = ChoiceResume;
    CanClose = true;
    Close();
}

void TfmProgress::bbAbortOperClick(TObject*) {
    UserChoice = ChoiceAbort;
    EnableCtrls({bbAbortOper, bbResumeOper}, false);
    EnableCtrls({bbCancel}, true);
    UpdateTitle(false);
    if (PrintSettings) PrintSettings->OperStatus = TOperStatus::osAbort;
    CanClose = true;
    Close();
}

void TfmProgress::bbOkClick(TObject*) {
    CanClose = true;
    Close();
}

// ---- Progress -----------------------------------------------------------------

void TfmProgress::UpdateProgressBar(int& Current, int& Total, const TPoint& Page) {
    if (std::llabs(GetTickCount() - LastTick) <= ThrottleMs) return;
    double ratio = 0;
    if (Total > 0) {
        if (Total < Current) Total *= 2;
        ratio = double(Current) / double(Total);
    }
    paProgressBar->SetWidth(static_cast<int>(Trunc(paProgressBackground->Width() * ratio)));
    SetCountText(Format("%d %s (%3.0f%%)", {Current, GetRcdUnits(), ratio * 100}));
    if (Page.Y > 0) lbPageNum->SetCaption(Format(GetOperMsg(false, false) + ": Page %d-%d", {Page.Y, Page.X}));
    Application()->ProcessMessages();
    LastTick = GetTickCount();
}

void TWindowProgress::Update(int& Current, int& Total, const TPoint& Page) {
    if (fmProgress) fmProgress->UpdateProgressBar(Current, Total, Page);
}

void TWindowProgress::Activate(bool Visible, TForm* OwnerForm, const std::string& Title,
                               const std::string& ResumeCaption, const std::string& AbortCaption) {
    if (!fmProgress) {
        Application()->CreateForm(fmProgress);
    } else if (TForm* previous = fmProgress->OwnerForm()) {
        // A window left from an earlier operation still holds its owner
        // disabled; that owner gets its window back before another is taken.
        previous->SetEnabled(true);
        fmProgress->SetOwnerForm(nullptr);
    }
    TfmProgress& fm = *fmProgress;
    Screen()->SetCursor(crHourGlass);
    fm.paProgressBar->SetWidth(0);
    fm.SetCountText("");
    fm.lbPageNum->SetCaption("");
    if (!Title.empty()) fm.SetCaption(Title);
    fm.UpdateTitle(false);
    fm.bbAbortOper->SetCaption(AbortCaption);
    fm.bbResumeOper->SetCaption(ResumeCaption);
    TfmProgress::EnableCtrls({fm.bbAbortOper, fm.bbResumeOper}, false);
    TfmProgress::EnableCtrls({fm.bbCancel}, true);
    const bool shown = ReportSettings ? Visible && ReportSettings->DisplayProgressWindow : Visible;
    SetWindowVisibility(&fm, shown, TFormBorderStyle::bsDialog, fm.NormalSize);
    fm.Show();
    fm.SetOwnerForm(OwnerForm);
    if (OwnerForm) OwnerForm->SetEnabled(false);
}

void TWindowProgress::Close(bool ShowResult, const std::string& Msg) {
    if (!fmProgress) return;
    // Whatever happens on the way, the window goes.
    struct TFreeWindow {
        ~TFreeWindow() { FreeAndNil(fmProgress); }
    } freeWindow;

    TfmProgress& fm = *fmProgress;
    if (TForm* owner = fm.OwnerForm()) owner->SetEnabled(true);
    Screen()->SetCursor(crDefault);
    fm.CanClose = true;
    fm.Close();
    if (!ShowResult) return;

    TfmProgress::EnableCtrls({fm.bbOk}, true);
    fm.bbOk->Default = true;
    TfmProgress::EnableCtrls({fm.bbCancel}, false);
    fm.bbResumeOper->SetVisible(false);
    fm.bbAbortOper->SetVisible(false);
    fm.lbPageNum->SetCaption(Msg);
    if (PrintSettings) PrintSettings->OutcomeShown = true;

    if (CurrentStatus() == TOperStatus::osCompleted) {
        fm.paProgressBar->SetWidth(fm.paProgressBackground->Width());
        fm.SetCountText(Format("%d %s  (%3.0f%%)", {ObjInfo ? ObjInfo->RcdsDone : 0, fm.GetRcdUnits(), 100.0}));
        const TOper oper = CurrentOper();
        const bool somethingDone = (PrintSettings && PrintSettings->ToExportFile) ||
                                   (oper != TOper::opPrinting && oper != TOper::opScanning) ||
                                   (PrintSettings && PrintSettings->PagesOutput > 0);
        if (somethingDone)
            ShowStatus(fm.paStatusBar, clGreen, fm.GetOperMsg(true, true));
        else if (PrintSettings && PrintSettings->RunPrintWhat() == TPrintWhat::pwPageRange)
            // A range printed from the preview is this run's, not the
            // stored choice.
            ShowStatus(fm.paStatusBar, clRed, "No pages found for page range");
        else
            ShowStatus(fm.paStatusBar, clRed, "No pages printed");
    } else {
        // A run ended by a failure says which, on the status line.
        std::string text = fm.GetOperMsg(true, true);
        if (CurrentStatus() == TOperStatus::osAbort && PrintSettings && !PrintSettings->AbortReason.empty())
            text += ": " + PrintSettings->AbortReasonLine();
        ShowStatus(fm.paStatusBar, clRed, text);
    }
    SetWindowVisibility(&fm, true, TFormBorderStyle::bsDialog, fm.NormalSize);
    MessageBeep(0);
    fm.ShowModal();
}

} // namespace trx
