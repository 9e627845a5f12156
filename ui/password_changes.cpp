#include "ui/password_changes.h"

#include "engine/report_settings.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/display_width.h"
#include "framework/core/strings.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/standard_controls.h"
#include "ui/password_prompt.h"

namespace trx {

namespace {

constexpr int MaxPasswordLength = 10;

void Tell(const std::string& Msg, TMsgDlgType Type) { MessageDlg(Msg, Type, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0); }

TtrxReportSettings& Settings() {
    if (!ReportSettings)
        throw eTrxIntError(std::string(InternalErrorPrefix) + "Passwords need the run's report settings");
    return *ReportSettings;
}

} // namespace

std::string PasswordKindName(TPasswordKind Kind) {
    switch (Kind) {
    case TPasswordKind::pkReport: return "Report Password";
    case TPasswordKind::pkReportOptions: return "Report Options Password";
    case TPasswordKind::pkSetupPage: return "Setup Page Password";
    }
    return {};
}

std::string& StoredPassword(TPasswordKind Kind) {
    TtrxReportSettings& rs = Settings();
    switch (Kind) {
    case TPasswordKind::pkReportOptions: return rs.RptOptPW;
    case TPasswordKind::pkSetupPage: return rs.RptSetUpPW;
    case TPasswordKind::pkReport: break;
    }
    return rs.RptPW;
}

std::string& EnteredPassword(TPasswordKind Kind) {
    switch (Kind) {
    case TPasswordKind::pkReportOptions: return PWInfo.EnteredRptOptPW;
    case TPasswordKind::pkSetupPage: return PWInfo.EnteredSetupPW;
    case TPasswordKind::pkReport: break;
    }
    return PWInfo.EnteredRptPW;
}

bool ChangePW(const std::string& Kind, std::string& Password) {
    const std::string title = ReportSettings ? ReportSettings->DialogTitle : std::string();
    bool changed = false;
    std::string newEntry;

    // Whoever changes a password must know the current one; the prompt
    // shows even when it was entered earlier in the run.
    bool mayChange = true;
    if (!Password.empty()) {
        std::string entered;
        mayChange = AskPassword(title, "Enter current " + Kind + ":", Password, false, entered);
    }

    std::string firstEntry;
    while (mayChange) {
        const std::string prompt = std::string(firstEntry.empty() ? "Enter " : "Verify ") + " New " + Kind + ":";
        std::string entry;
        if (!AskPassword(title, prompt, "", true, entry)) break;
        entry = Trim(entry);
        if (DisplayWidth(entry) > MaxPasswordLength) {
            Tell("Password cannot be more than 10 characters. Please try again.", TMsgDlgType::mtWarning);
            continue;
        }
        if (firstEntry.empty() && entry.empty()) {
            Tell(Kind + " password has been removed.", TMsgDlgType::mtInformation);
            changed = true;
            break;
        }
        if (!firstEntry.empty()) {
            if (SameTextFolded(entry, firstEntry)) {
                Tell("New " + Kind + " is now active", TMsgDlgType::mtInformation);
                newEntry = entry;
                changed = true;
                break;
            }
            if (MessageDlg("Passwords do not agree -- try again", TMsgDlgType::mtError, mbOKCancel, 0) != mrOk) break;
            firstEntry.clear();
            continue;
        }
        firstEntry = entry;
    }

    if (changed) {
        Password = newEntry;
        if (ReportSettings) ReportSettings->Modified = true;
    } else {
        Tell(Kind + " password not changed", TMsgDlgType::mtInformation);
    }
    return changed;
}

void ToggleCheckNoClick(TCheckBox* Box) {
    if (!Box) return;
    TNotifyEvent onClick = Box->OnClick;
    Box->OnClick = nullptr;
    try {
        Box->SetChecked(!Box->Checked());
    } catch (...) {
        Box->OnClick = onClick;
        throw;
    }
    Box->OnClick = onClick;
}

void PasswordCheckBoxClick(TCheckBox* Box, TPasswordKind Kind, bool Assigning) {
    if (Assigning || !Box) return;
    std::string& stored = StoredPassword(Kind);
    if (ChangePW(PasswordKindName(Kind), stored)) EnteredPassword(Kind) = stored;
    if (Box->Checked() == stored.empty()) ToggleCheckNoClick(Box);
}

void SettingsReadOnlyClick(TCheckBox* Box, bool Assigning, TPanel* MsgPanel, TTimer* Timer,
                           const std::function<void(TObject* Sender)>& SetOptions) {
    if (Assigning || !Box) return;
    TtrxReportSettings& rs = Settings();
    rs.Modified = true;
    if (Box->Checked()) {
        StatusMsg(MsgPanel, "Report Options will be set to ReadOnly the next time report is run", TMsgDlgType::mtCustom,
                  Timer, 5);
    } else {
        if (SetOptions) SetOptions(Box);
        rs.SettingsReadOnly = false;
    }
}

} // namespace trx
