#include "engine/run_progress.h"

namespace trx {

TRunProgressScope::TRunProgressScope(TRunProgress& Progress) : previous_(TRunProgress::installed_) {
    TRunProgress::installed_ = &Progress;
}

TRunProgressScope::~TRunProgressScope() { TRunProgress::installed_ = previous_; }

void ActivateProgressWindow(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                            const std::string& AbortCaption) {
    if (TRunProgress* progress = TRunProgress::Installed())
        progress->Activate(Visible, OwnerForm, Title, ResumeCaption, AbortCaption);
}

void CloseProgressWindow(bool ShowResult, const std::string& Msg) {
    if (TRunProgress* progress = TRunProgress::Installed()) progress->Close(ShowResult, Msg);
}

} // namespace trx
