#include "support/forms/scripted_ui.h"

#include <filesystem>
#include <system_error>

#include "framework/core/strings.h"

namespace trx {

std::string DialogKindName(TDialogKind Kind) {
    switch (Kind) {
    case TDialogKind::dkMessageDlg: return "MessageDlg";
    case TDialogKind::dkShowMessage: return "ShowMessage";
    case TDialogKind::dkException: return "exception message";
    case TDialogKind::dkBeep: return "MessageBeep";
    case TDialogKind::dkOpenFile: return "open file dialog";
    case TDialogKind::dkSaveFile: return "save file dialog";
    case TDialogKind::dkFont: return "font dialog";
    case TDialogKind::dkPrinterSetup: return "printer set-up dialog";
    case TDialogKind::dkSelectDirectory: return "directory picker";
    case TDialogKind::dkModalForm: return "modal form";
    }
    return "?";
}

TScriptedUi::TScriptedUi() : service_(*this), previousInput_(TApplication::InputSource()) {
    TApplication::SetInputSource(this);
}

TScriptedUi::~TScriptedUi() {
    if (TApplication::InputSource() == this) TApplication::SetInputSource(previousInput_);
    VerifyAllStepsUsed();
}

bool TScriptedUi::VerifyAllStepsUsed() {
    if (steps_.empty()) return true;
    std::string list;
    for (const TStep& s : steps_) list += (list.empty() ? "" : ", ") + DescribeStep(s);
    Report(IntToStr(static_cast<int64_t>(steps_.size())) + " scripted step(s) left unused: " + list);
    steps_.clear();
    return false;
}

std::string TScriptedUi::DescribeStep(const TStep& Step) {
    std::string d = "a " + DialogKindName(Step.Kind);
    if (Step.Kind == TDialogKind::dkMessageDlg && !Step.Expect.empty()) d += " expecting \"" + Step.Expect + "\"";
    if (Step.Kind == TDialogKind::dkModalForm && !Step.Text.empty()) d += " " + Step.Text;
    return d;
}

void TScriptedUi::Report(const std::string& Message) {
    failures_.push_back(Message);
    if (OnFailure) OnFailure(Message);
}

void TScriptedUi::Fail(const std::string& Message) {
    Report(Message);
    throw EScriptFailure(Message);
}

TScriptedUi& TScriptedUi::Queue(TStep Step) {
    steps_.push_back(std::move(Step));
    return *this;
}

TScriptedUi::TStep TScriptedUi::Take(TDialogKind Kind, const std::string& What) {
    if (steps_.empty()) Fail(What + " needs an answer, and no scripted step is left");
    if (steps_.front().Kind != Kind)
        Fail(What + " needs an answer, but the next scripted step is " + DescribeStep(steps_.front()));
    TStep step = std::move(steps_.front());
    steps_.pop_front();
    return step;
}

// ---------------------------------------------------------------------------
// Queuing

TScriptedUi& TScriptedUi::AnswerMessage(TModalResult Result, const std::string& ExpectText) {
    TStep s;
    s.Kind = TDialogKind::dkMessageDlg;
    s.Result = Result;
    s.Expect = ExpectText;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::AnswerOpenFile(const std::string& FileName) {
    TStep s;
    s.Kind = TDialogKind::dkOpenFile;
    s.Text = FileName;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::AnswerSaveFile(const std::string& FileName) {
    TStep s;
    s.Kind = TDialogKind::dkSaveFile;
    s.Text = FileName;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::CancelFileDialog(bool Save) {
    TStep s;
    s.Kind = Save ? TDialogKind::dkSaveFile : TDialogKind::dkOpenFile;
    s.Accept = false;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::AnswerFont(std::function<void(TFont&)> Choose) {
    TStep s;
    s.Kind = TDialogKind::dkFont;
    s.Font = std::move(Choose);
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::CancelFont() {
    TStep s;
    s.Kind = TDialogKind::dkFont;
    s.Accept = false;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::AnswerPrinterSetup(std::function<void()> Choose) {
    TStep s;
    s.Kind = TDialogKind::dkPrinterSetup;
    s.Printer = std::move(Choose);
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::CancelPrinterSetup() {
    TStep s;
    s.Kind = TDialogKind::dkPrinterSetup;
    s.Accept = false;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::AnswerDirectory(const std::string& Directory) {
    TStep s;
    s.Kind = TDialogKind::dkSelectDirectory;
    s.Text = Directory;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::CancelDirectory() {
    TStep s;
    s.Kind = TDialogKind::dkSelectDirectory;
    s.Accept = false;
    return Queue(std::move(s));
}

TScriptedUi& TScriptedUi::OnModal(const std::string& FormName, std::function<void(TCustomForm&)> Script) {
    TStep s;
    s.Kind = TDialogKind::dkModalForm;
    s.Text = FormName;
    s.Script = std::move(Script);
    return Queue(std::move(s));
}

// ---------------------------------------------------------------------------
// Results

std::vector<TDialogCall> TScriptedUi::CallsOf(TDialogKind Kind) const {
    std::vector<TDialogCall> result;
    for (const TDialogCall& c : calls_)
        if (c.Kind == Kind) result.push_back(c);
    return result;
}

std::vector<std::string> TScriptedUi::Messages() const {
    std::vector<std::string> result;
    for (const TDialogCall& c : calls_)
        if (c.Kind == TDialogKind::dkMessageDlg || c.Kind == TDialogKind::dkShowMessage ||
            c.Kind == TDialogKind::dkException)
            result.push_back(c.Text);
    return result;
}

std::vector<uint32_t> TScriptedUi::Beeps() const {
    std::vector<uint32_t> result;
    for (const TDialogCall& c : calls_)
        if (c.Kind == TDialogKind::dkBeep) result.push_back(c.BeepType);
    return result;
}

// ---------------------------------------------------------------------------
// The dialog service

TModalResult TScriptedUi::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    TDialogCall call;
    call.Kind = TDialogKind::dkMessageDlg;
    call.Text = Msg;
    call.Type = DlgType;
    call.Buttons = Buttons;
    call.HelpContext = HelpCtx;
    call.Title = MessageDlgCaption(DlgType);
    calls_.push_back(call);
    const std::string what = "MessageDlg \"" + Msg + "\"";

    int buttonCount = 0;
    TMsgDlgBtn only = TMsgDlgBtn::mbOK;
    for (int b = 0; b <= static_cast<int>(TMsgDlgBtn::mbHelp); ++b)
        if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)) && static_cast<TMsgDlgBtn>(b) != TMsgDlgBtn::mbHelp) {
            ++buttonCount;
            only = static_cast<TMsgDlgBtn>(b);
        }
    const bool expected = !steps_.empty() && steps_.front().Kind == TDialogKind::dkMessageDlg &&
                          !steps_.front().Expect.empty() && Pos(steps_.front().Expect, Msg) > 0;
    TModalResult result;
    if (buttonCount <= 1 && !expected) {
        result = buttonCount == 1 ? ModalResultOf(only) : mrCancel;
    } else {
        TStep step = Take(TDialogKind::dkMessageDlg, what);
        if (!step.Expect.empty() && Pos(step.Expect, Msg) == 0)
            Fail(what + " was answered by a step that expects \"" + step.Expect + "\"");
        bool fits = false;
        for (int b = 0; b <= static_cast<int>(TMsgDlgBtn::mbYesToAll); ++b)
            if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)) &&
                ModalResultOf(static_cast<TMsgDlgBtn>(b)) == step.Result)
                fits = true;
        if (!fits) Fail(what + " has no button for the scripted answer " + IntToStr(step.Result));
        result = step.Result;
    }
    calls_.back().Result = result;
    return result;
}

void TScriptedUi::ShowMessage(const std::string& Msg) {
    TDialogCall call;
    call.Kind = TDialogKind::dkShowMessage;
    call.Text = Msg;
    call.Buttons = TMsgDlgButtons{TMsgDlgBtn::mbOK};
    call.Result = mrOk;
    calls_.push_back(call);
}

void TScriptedUi::ShowException(const std::string& Title, const std::string& Msg) {
    TDialogCall call;
    call.Kind = TDialogKind::dkException;
    call.Text = Msg;
    call.Title = Title;
    call.Type = TMsgDlgType::mtError;
    call.Buttons = TMsgDlgButtons{TMsgDlgBtn::mbOK};
    call.Result = mrOk;
    calls_.push_back(call);
}

void TScriptedUi::MessageBeep(uint32_t Type) {
    TDialogCall call;
    call.Kind = TDialogKind::dkBeep;
    call.BeepType = Type;
    calls_.push_back(call);
}

bool TScriptedUi::ExecuteFileDialog(TOpenDialog& Dialog, bool Save) {
    TDialogCall call;
    call.Kind = Save ? TDialogKind::dkSaveFile : TDialogKind::dkOpenFile;
    call.Text = Dialog.FileName;
    call.Title = Dialog.Title;
    call.Filter = Dialog.Filter;
    call.DefaultExt = Dialog.DefaultExt;
    call.OpenOptions = Dialog.Options;
    call.HelpContext = Dialog.HelpContext;
    calls_.push_back(call);
    TStep step = Take(call.Kind, std::string(Save ? "A save" : "An open") + " file dialog (\"" + Dialog.Title + "\")");
    calls_.back().Result = step.Accept ? mrOk : mrCancel;
    if (!step.Accept) return false;
    std::string name = step.Text;
    if (Save && !Dialog.DefaultExt.empty()) {
        const std::size_t slash = name.find_last_of("/\\");
        const std::size_t dot = name.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) name += "." + Dialog.DefaultExt;
    }
    Dialog.FileName = name;
    return true;
}

bool TScriptedUi::ExecuteFontDialog(TFontDialog& Dialog) {
    TDialogCall call;
    call.Kind = TDialogKind::dkFont;
    call.FontOptions = Dialog.Options;
    call.FontName = Dialog.Font.Name();
    call.FontSize = Dialog.Font.Size();
    call.HelpContext = Dialog.HelpContext;
    calls_.push_back(call);
    TStep step = Take(TDialogKind::dkFont, "A font dialog (starting with " + call.FontName + ")");
    calls_.back().Result = step.Accept ? mrOk : mrCancel;
    if (!step.Accept) return false;
    if (step.Font) step.Font(Dialog.Font);
    return true;
}

bool TScriptedUi::ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) {
    TDialogCall call;
    call.Kind = TDialogKind::dkPrinterSetup;
    call.HelpContext = Dialog.HelpContext;
    calls_.push_back(call);
    TStep step = Take(TDialogKind::dkPrinterSetup, "A printer set-up dialog");
    calls_.back().Result = step.Accept ? mrOk : mrCancel;
    if (!step.Accept) return false;
    if (step.Printer) step.Printer();
    return true;
}

bool TScriptedUi::SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx) {
    TDialogCall call;
    call.Kind = TDialogKind::dkSelectDirectory;
    call.Text = Directory;
    call.DirOptions = Options;
    call.HelpContext = HelpCtx;
    calls_.push_back(call);
    TStep step = Take(TDialogKind::dkSelectDirectory, "A directory picker (\"" + Directory + "\")");
    calls_.back().Result = step.Accept ? mrOk : mrCancel;
    if (!step.Accept) return false;
    Directory = step.Text;
    if (Options.Contains(TSelectDirOpt::sdPerformCreate) && !Directory.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(Directory, ec);
    }
    return true;
}

// ---------------------------------------------------------------------------
// The input source

bool TScriptedUi::WaitForInput(TCustomForm* Waiting, int64_t TimeoutMs) {
    const std::string who = Waiting ? "The modal form " +
                                          (Waiting->Name().empty() ? std::string("(unnamed)") : Waiting->Name()) +
                                          " (\"" + Waiting->Caption() + "\")"
                                    : std::string("The application's main loop");
    if (steps_.empty() || steps_.front().Kind != TDialogKind::dkModalForm) {
        // A timer may still do what the form waits for.
        if (TimeoutMs >= 0) return false;
        if (steps_.empty()) Fail(who + " waits for the user, and no scripted step is left");
        Fail(who + " waits for the user, but the next scripted step is " + DescribeStep(steps_.front()));
    }
    const std::string& name = steps_.front().Text;
    if (!name.empty() && (!Waiting || !SameText(name, Waiting->Name())))
        Fail(who + " waits for the user, but the next scripted step is for the form " + name);
    TStep step = std::move(steps_.front());
    steps_.pop_front();
    TDialogCall call;
    call.Kind = TDialogKind::dkModalForm;
    call.Text = Waiting ? Waiting->Name() : std::string();
    call.Title = Waiting ? Waiting->Caption() : std::string();
    calls_.push_back(call);
    if (step.Script && Waiting) step.Script(*Waiting);
    return true;
}

} // namespace trx
