// A scripted user, for tests: the dialog service and the input source in
// one. It records every message box, beep and common dialog, answers them
// from a queue of steps, and runs the script steps of modal forms inside
// their ShowModal (a callback that acts on the form's controls and closes
// it). A call that finds no fitting step is a failure with a clear
// message: reported to OnFailure, kept in Failures, and raised as
// EScriptFailure, so that a run never waits for ever. The tests link it
// as trx_scripted_user; the component does not ship it.
//
//     TScriptedUi ui;
//     ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
//     ui.OnModal("fmPassword", [](TCustomForm& f) {
//         UserType(RequireComponent<TEdit>(f, "edPassword"), "secret");
//         UserClick(RequireComponent<TButton>(f, "edOk"));
//     });
//     ui.AnswerMessage(mrYes, "Save New Report Settings?");
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"

namespace trx {

enum class TDialogKind : uint8_t {
    dkMessageDlg,
    dkShowMessage,
    dkException,
    dkBeep,
    dkOpenFile,
    dkSaveFile,
    dkFont,
    dkPrinterSetup,
    dkSelectDirectory,
    dkModalForm
};

std::string DialogKindName(TDialogKind Kind);

// One recorded call.
struct TDialogCall {
    TDialogKind Kind = TDialogKind::dkMessageDlg;
    // The message; the file name a file dialog starts with; the directory a
    // picker starts with; the name of a modal form.
    std::string Text;
    TMsgDlgType Type = TMsgDlgType::mtCustom;
    TMsgDlgButtons Buttons;
    int HelpContext = 0;
    uint32_t BeepType = 0;
    // The box's or dialog's title; a modal form's caption.
    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    TOpenOptions OpenOptions;
    TFontDialogOptions FontOptions;
    std::string FontName; // the font a font dialog starts with
    int FontSize = 0;
    TSelectDirOpts DirOptions;
    // The answer: the button's modal result; mrOk or mrCancel for a dialog.
    TModalResult Result = mrNone;
};

class TScriptedUi : public TDialogService, public TInputSource {
public:
    // Installs itself as the dialog service and the applications' input source.
    TScriptedUi();
    // Puts the previous ones back; steps left unused are reported to OnFailure.
    ~TScriptedUi() override;
    TScriptedUi(const TScriptedUi&) = delete;
    TScriptedUi& operator=(const TScriptedUi&) = delete;

    // Steps, used in the order queued. A message box with one button answers
    // itself unless the next step is a message answer that expects its text.
    // ExpectText, when given, must occur in the message answered.
    TScriptedUi& AnswerMessage(TModalResult Result, const std::string& ExpectText = "");
    TScriptedUi& AnswerOpenFile(const std::string& FileName);
    // The name gets the dialog's default extension when it has none, as the
    // dialog does with a typed name.
    TScriptedUi& AnswerSaveFile(const std::string& FileName);
    TScriptedUi& CancelFileDialog(bool Save = true);
    // Choose changes the dialog's font (the user's choice).
    TScriptedUi& AnswerFont(std::function<void(TFont& Font)> Choose);
    TScriptedUi& CancelFont();
    // Choose changes the printer (Printer()) as the user would.
    TScriptedUi& AnswerPrinterSetup(std::function<void()> Choose = {});
    TScriptedUi& CancelPrinterSetup();
    TScriptedUi& AnswerDirectory(const std::string& Directory);
    TScriptedUi& CancelDirectory();
    // Runs Script when the modal form named FormName (any form when empty)
    // waits for its user; the script acts on the form and normally closes it.
    TScriptedUi& OnModal(const std::string& FormName, std::function<void(TCustomForm& Form)> Script);

    const std::vector<TDialogCall>& Calls() const { return calls_; }
    std::vector<TDialogCall> CallsOf(TDialogKind Kind) const;
    // The texts of the message boxes (MessageDlg, ShowMessage, exceptions), in order.
    std::vector<std::string> Messages() const;
    // The sounds of the beeps, in order.
    std::vector<uint32_t> Beeps() const;
    void ClearCalls() { calls_.clear(); }
    std::size_t PendingSteps() const { return steps_.size(); }
    const std::vector<std::string>& Failures() const { return failures_; }
    // Reports steps left unused as a failure (without raising); true when none is left.
    bool VerifyAllStepsUsed();

    std::function<void(const std::string& Message)> OnFailure;

    // TDialogService
    TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) override;
    void ShowMessage(const std::string& Msg) override;
    void ShowException(const std::string& Title, const std::string& Msg) override;
    void MessageBeep(uint32_t Type) override;
    bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override;
    bool ExecuteFontDialog(TFontDialog& Dialog) override;
    bool ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) override;
    bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx) override;

    // TInputSource
    bool WaitForInput(TCustomForm* Waiting, int64_t TimeoutMs) override;

private:
    struct TStep {
        TDialogKind Kind = TDialogKind::dkMessageDlg;
        TModalResult Result = mrNone;
        bool Accept = true;
        std::string Text; // the file or directory chosen, the form's name
        std::string Expect; // text a message answer expects
        std::function<void(TFont&)> Font;
        std::function<void()> Printer;
        std::function<void(TCustomForm&)> Script;
    };

    TScriptedUi& Queue(TStep Step);
    // The next step, which must be of Kind, for the call described by What.
    TStep Take(TDialogKind Kind, const std::string& What);
    [[noreturn]] void Fail(const std::string& Message);
    void Report(const std::string& Message);
    static std::string DescribeStep(const TStep& Step);

    std::deque<TStep> steps_;
    std::vector<TDialogCall> calls_;
    std::vector<std::string> failures_;
    TDialogServiceOverride service_;
    TInputSource* previousInput_;
};

// The component of Owner named Name, of class T; raises EComponentError
// when there is none or it is of another class.
template <class T>
T* RequireComponent(const TComponent& Owner, const std::string& Name) {
    TComponent* c = Owner.FindComponent(Name);
    if (!c) throw EComponentError(Owner.Name() + " has no component named " + Name);
    T* t = dynamic_cast<T*>(c);
    if (!t) throw EComponentError(Owner.Name() + "." + Name + " is not of the expected class");
    return t;
}

} // namespace trx
