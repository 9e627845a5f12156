#include "framework/forms/dialogs.h"

#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/property_values.h"

namespace trx {

TModalResult ModalResultOf(TMsgDlgBtn Button) {
    switch (Button) {
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbCancel: return mrCancel;
    case TMsgDlgBtn::mbAbort: return mrAbort;
    case TMsgDlgBtn::mbRetry: return mrRetry;
    case TMsgDlgBtn::mbIgnore: return mrIgnore;
    case TMsgDlgBtn::mbAll: return mrAll;
    case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
    case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
    case TMsgDlgBtn::mbHelp: return mrNone;
    }
    return mrNone;
}

std::string MessageDlgCaption(TMsgDlgType Type) {
    switch (Type) {
    case TMsgDlgType::mtWarning: return "Warning";
    case TMsgDlgType::mtError: return "Error";
    case TMsgDlgType::mtInformation: return "Information";
    case TMsgDlgType::mtConfirmation: return "Confirm";
    case TMsgDlgType::mtCustom: return {};
    }
    return {};
}

namespace {

// Without a backend nobody can answer: a call that needs an answer fails
// loudly instead of waiting for ever.
class THeadlessDialogs : public TDialogService {
public:
    TModalResult MessageDlg(const std::string& Msg, TMsgDlgType, TMsgDlgButtons, int) override {
        Fail("MessageDlg \"" + Msg + "\"");
    }
    void ShowMessage(const std::string& Msg) override { Fail("ShowMessage \"" + Msg + "\""); }
    void ShowException(const std::string&, const std::string& Msg) override {
        Fail("The exception message \"" + Msg + "\"");
    }
    void MessageBeep(uint32_t) override {}
    bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override {
        Fail(std::string(Save ? "A save" : "An open") + " file dialog (\"" + Dialog.Title + "\")");
    }
    bool ExecuteFontDialog(TFontDialog&) override { Fail("A font dialog"); }
    bool ExecutePrinterSetupDialog(TPrinterSetupDialog&) override { Fail("A printer set-up dialog"); }
    bool SelectDirectory(std::string& Directory, TSelectDirOpts, int) override {
        Fail("A directory picker (\"" + Directory + "\")");
    }

private:
    [[noreturn]] static void Fail(const std::string& What) {
        throw EScriptFailure(What + " needs a user, and no dialog service is installed");
    }
};

THeadlessDialogs& Headless() {
    static THeadlessDialogs headless;
    return headless;
}

TDialogService*& Current() {
    static TDialogService* current = nullptr;
    return current;
}

} // namespace

TDialogService& DialogService() { return Current() ? *Current() : Headless(); }
void SetDialogService(TDialogService* Service) { Current() = Service; }

TDialogServiceOverride::TDialogServiceOverride(TDialogService& Service) : previous_(Current()) { Current() = &Service; }
TDialogServiceOverride::~TDialogServiceOverride() { Current() = previous_; }

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    return DialogService().MessageDlg(Msg, DlgType, Buttons, HelpCtx);
}

void ShowMessage(const std::string& Msg) { DialogService().ShowMessage(Msg); }

void MessageBeep(uint32_t Type) { DialogService().MessageBeep(Type); }

bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx) {
    return DialogService().SelectDirectory(Directory, Options, HelpCtx);
}

// ---------------------------------------------------------------------------
// The dialog components

bool TCommonDialog::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "HelpContext"))
        HelpContext = PropInt(V);
    else if (SameText(N, "Tag"))
        Tag = PropInt(V);
    else
        return false;
    return true;
}

bool TCommonDialog::BindEvent(const std::string&, const std::any&) { return false; }

bool TOpenDialog::Execute() { return DialogService().ExecuteFileDialog(*this, false); }

bool TSaveDialog::Execute() { return DialogService().ExecuteFileDialog(*this, true); }

bool TOpenDialog::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "FileName"))
        FileName = V;
    else if (SameText(N, "Filter"))
        Filter = V;
    else if (SameText(N, "FilterIndex"))
        FilterIndex = PropInt(V);
    else if (SameText(N, "DefaultExt"))
        DefaultExt = V;
    else if (SameText(N, "InitialDir"))
        InitialDir = V;
    else if (SameText(N, "Title"))
        Title = V;
    else
        return TCommonDialog::SetProperty(N, V);
    return true;
}

bool TFontDialog::Execute() { return DialogService().ExecuteFontDialog(*this); }

bool TFontDialog::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Font.Name"))
        Font.SetName(V);
    else if (SameText(N, "Font.Size"))
        Font.SetSize(PropInt(V));
    else if (SameText(N, "Font.Style"))
        Font.SetStyle(PropFontStyles(V));
    else if (SameText(N, "Font.Color"))
        Font.SetColor(PropColor(V));
    else if (SameText(N, "MinFontSize"))
        MinFontSize = PropInt(V);
    else if (SameText(N, "MaxFontSize"))
        MaxFontSize = PropInt(V);
    else if (SameText(N, "Device"))
        Device = PropEnum<TFontDialogDevice>(V, {"fdScreen", "fdPrinter", "fdBoth"});
    else
        return TCommonDialog::SetProperty(N, V);
    return true;
}

bool TPrinterSetupDialog::Execute() { return DialogService().ExecutePrinterSetupDialog(*this); }

} // namespace trx
