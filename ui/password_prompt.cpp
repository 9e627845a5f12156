#include "ui/password_prompt.h"

#include "framework/core/display_width.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/standard_controls.h"

namespace trx {

TPWInfo PWInfo;
TfmPassword* fmPassword = nullptr;
int NumAttempts = 0;

namespace {

constexpr int MaxWrongEntries = 2;

} // namespace

const TFormDesc& PasswordLayout() {
    static const TFormDesc d{
        .Name = "fmPassword",
        .Caption = "Report:",
        .ClientWidth = 241,
        .ClientHeight = 150,
        .Props = {{"BorderStyle", "bsDialog"}, {"Position", "poScreenCenter"}, {"ActiveControl", "edPassword"}},
        .Events = {{"OnShow", "FormShow"}},
        .Controls = {
            {.Kind = "TLabel",
             .Name = "lbPWPrompt",
             .Height = 40,
             .Caption = "Enter Report Password:",
             .Props = {{"Align", "alTop"},
                       {"Alignment", "taCenter"},
                       {"AutoSize", "False"},
                       {"WordWrap", "True"},
                       {"Font.Style", "[fsBold]"}}},
            {.Kind = "TEdit",
             .Name = "edPassword",
             .Left = 8,
             .Top = 48,
             .Width = 225,
             .Props = {{"PasswordChar", "X"}}},
            {.Kind = "TButton",
             .Name = "edOk",
             .Left = 32,
             .Top = 84,
             .Width = 80,
             .Height = 25,
             .Caption = "&Ok",
             .Props = {{"Default", "True"}},
             .Events = {{"OnClick", "edOkClick"}}},
            {.Kind = "TButton",
             .Name = "edCancel",
             .Left = 128,
             .Top = 84,
             .Width = 80,
             .Height = 25,
             .Caption = "&Cancel",
             .Props = {{"ModalResult", "mrCancel"}},
             .Events = {{"OnClick", "edCancelClick"}}},
            {.Kind = "TPanel",
             .Name = "paStatus",
             .Height = 25,
             .Props = {{"Align", "alBottom"}, {"BevelOuter", "bvLowered"}, {"Font.Style", "[fsBold]"}}},
        }};
    return d;
}

TfmPassword::TfmPassword(TComponent* AOwner) : TForm(AOwner) {
    BuildForm(*this, PasswordLayout(),
              THandlerTable()
                  .Add("FormShow", this, &TfmPassword::FormShow)
                  .Add("edOkClick", this, &TfmPassword::edOkClick)
                  .Add("edCancelClick", this, &TfmPassword::edCancelClick));
}

TfmPassword::~TfmPassword() {
    if (fmPassword == this) fmPassword = nullptr;
}

void TfmPassword::FormShow(TObject*) {
    NumAttempts = 0;
    PWAccepted = false;
    edPassword->SetText("");
    paStatus->SetColor(clBtnFace);
}

void TfmPassword::edOkClick(TObject*) {
    ++NumAttempts;
    if (ExpectedPW.empty() || SameTextFolded(edPassword->Text(), ExpectedPW)) {
        PWAccepted = true;
        Close();
        return;
    }
    paStatus->SetColor(clRed);
    paStatus->Font().SetColor(clWhite);
    paStatus->SetCaption("Password is Incorrect");
    MessageBeep(0);
    edPassword->SetFocus();
    if (NumAttempts > MaxWrongEntries) {
        MessageDlg("Too many password violations", TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbCancel}, 0);
        PWAccepted = false;
        Close();
    }
}

void TfmPassword::edCancelClick(TObject*) {
    PWAccepted = false;
    Close();
}

bool AskPassword(const std::string& Title, const std::string& Prompt, const std::string& Password, bool ChangeMode,
                 std::string& Entered) {
    if (!ChangeMode && (Password.empty() || SameTextFolded(Password, Entered))) return true;

    Application()->CreateForm(fmPassword);
    struct TFreePrompt {
        ~TFreePrompt() { FreeAndNil(fmPassword); }
    } freePrompt;

    TfmPassword& fm = *fmPassword;
    fm.lbPWPrompt->SetCaption(Prompt);
    fm.SetCaption("Report: " + Title);
    if (ChangeMode) {
        fm.ExpectedPW.clear();
        fm.paStatus->SetCaption("Leave blank to remove password");
    } else {
        fm.ExpectedPW = Password;
        fm.paStatus->SetCaption("");
    }
    fm.ShowModal();
    const bool accepted = fm.PWAccepted;
    if (accepted) Entered = fm.edPassword->Text();
    return accepted;
}

} // namespace trx
