// How the long operations of a run (printing, exporting, the column scan,
// the preview's search for the last page) show their progress. The engine
// calls the free routines below; they go to the progress installed for the
// process (the progress window of the dialogs implements it), and do nothing
// while none is installed, so that the engine also runs without windows.
//
// The operations never wait for the progress: they poll the run status of
// PrintSettings, which the progress may set to osAbort or osCancel while it
// lets the messages run inside Update.
#pragma once

#include <string>

#include "framework/core/types.h"

namespace trx {

class TForm;

class TRunProgress {
public:
    virtual ~TRunProgress() = default;
    // Starts showing one operation. OwnerForm (may be nullptr) waits,
    // disabled, while it runs; Visible false shows nothing yet still lets
    // the user suspend the operation.
    virtual void Activate(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                          const std::string& AbortCaption) = 0;
    // Current of Total and the page (Y 0: no page yet); a Total that Current
    // has passed may be doubled for the caller. Called for every row, so it
    // must stay cheap between the moments it shows something.
    virtual void Update(int& Current, int& Total, const TPoint& Page) = 0;
    // Ends the operation; with ShowResult the outcome stays up with Msg until
    // the user has seen it. Does nothing when no operation is shown.
    virtual void Close(bool ShowResult, const std::string& Msg) = 0;

    // The installed progress, or nullptr.
    static TRunProgress* Installed() { return installed_; }

private:
    friend class TRunProgressScope;
    static inline TRunProgress* installed_ = nullptr;
};

// Installs a progress for the process for the guard's lifetime; the one
// installed before comes back afterwards.
class TRunProgressScope {
public:
    explicit TRunProgressScope(TRunProgress& Progress);
    ~TRunProgressScope();
    TRunProgressScope(const TRunProgressScope&) = delete;
    TRunProgressScope& operator=(const TRunProgressScope&) = delete;

private:
    TRunProgress* previous_;
};

// The operations' calls, each going to the installed progress when there is one.
void ActivateProgressWindow(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                            const std::string& AbortCaption);
// Inline: the loops call it for every row.
inline void UpdateProgressBar(int& Current, int& Total, const TPoint& Page) {
    if (TRunProgress* progress = TRunProgress::Installed()) progress->Update(Current, Total, Page);
}
void CloseProgressWindow(bool ShowResult, const std::string& Msg);

} // namespace trx
