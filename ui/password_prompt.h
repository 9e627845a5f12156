// The password prompt and the memory of the passwords entered during a run.
//
// A report can be protected by three passwords of its own (report, report
// options, setup page). Each is asked at most once per run: once accepted it
// is remembered in PWInfo until the options dialog goes. Passwords compare
// without regard to letter case.
#pragma once

#include <string>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"

namespace trx {

struct TFormDesc;

// The passwords entered and accepted during the current run.
struct TPWInfo {
    std::string EnteredSetupPW;
    std::string EnteredRptPW;
    std::string EnteredRptOptPW;

    void Clear() { *this = TPWInfo{}; }
};

extern TPWInfo PWInfo;

class TfmPassword : public TForm {
public:
    explicit TfmPassword(TComponent* AOwner);
    ~TfmPassword() override;

    void FormShow(TObject* Sender);
    void edOkClick(TObject* Sender);
    void edCancelClick(TObject* Sender);

    TRX_FIELD(TLabel, lbPWPrompt);
    TRX_FIELD(TEdit, edPassword);
    TRX_FIELD(TButton, edOk);
    TRX_FIELD(TButton, edCancel);
    TRX_FIELD(TPanel, paStatus);

    // The password the entry must match; empty accepts any entry.
    std::string ExpectedPW;
    // The prompt's result.
    bool PWAccepted = false;
};

// The prompt while it is shown, else nullptr.
extern TfmPassword* fmPassword;
// The prompt's layout, which its constructor builds.
const TFormDesc& PasswordLayout();
// OK presses of the prompt now shown; the third wrong entry ends it.
extern int NumAttempts;

// True when the caller may go on. Without ChangeMode no prompt shows when
// Password is empty or equals Entered (the password accepted earlier in the
// run); otherwise the entry must match Password, and when it does it is
// handed back in Entered. In ChangeMode any entry (also an empty one) is
// confirmed by OK and handed back in Entered.
bool AskPassword(const std::string& Title, const std::string& Prompt, const std::string& Password, bool ChangeMode,
                 std::string& Entered);

} // namespace trx
