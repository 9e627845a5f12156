#include "engine/run_progress.h"

namespace trx {

namespace {

TRunProgress* installed = nullptr;

} // namespace

TRunProgressScope::TRunProgressScope(TRunProgress& Progress) : previous_(installed) { installed = &Progress; }

TRunProgressScope::~TRunProgressScope() { installed = previous_; }

TRunProgress* InstalledRunProgress() { return installed; }

void ActivateProgressWindow(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                            const std::string& AbortCaption) {
    if (installed) installed->Activate(Visible, OwnerForm, Title, ResumeCaption, AbortCaption);
}

void UpdateProgressBar(int& Current, int& Total, const TPoint& Page) {
    if (installed) installed->Update(Current, Total, Page);
}

void CloseProgressWindow(bool ShowResult, const std::string& Msg) {
    if (installed) installed->Close(ShowResult, Msg);
}

} // namespace trx
