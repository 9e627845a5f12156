// The progress window of the run's long operations (printing, exporting, the
// column scan, the preview's search for the last page): shown while the
// operation works, it lets the message loop run at a throttled rate and lets
// the user suspend the operation and resume or abort it. Abort sets the run
// status of PrintSettings, which every long loop polls. At the end the
// window can stay up modally to show the outcome. The operations reach it as
// the run's progress (TWindowProgress), installed by whoever runs reports
// with the windows.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/run_progress.h"
#include "framework/core/types.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"

namespace trx {

struct TFormDesc;

class TfmProgress : public TForm {
public:
    explicit TfmProgress(TComponent* AOwner);
    // Clears fmProgress when it is this window.
    ~TfmProgress() override;

    // Shows Current of Total and the page (Y 0: no page yet); a Total that
    // Current has passed is doubled, also for the caller. Lets the messages
    // run at most once every 500 ms; between those it only reads the clock.
    void UpdateProgressBar(int& Current, int& Total, const TPoint& Page);

    // The operation's word ("Printing", or "Report" when Done), followed
    // with WithStatus by the run status (" Completed Normally", ...).
    std::string GetOperMsg(bool Done, bool WithStatus) const;
    // "Rows", "Nodes" or "Records" by the kind of object printed.
    std::string GetRcdUnits() const;
    // The state text: the operation and "...Please Wait!", or the
    // suspended state in white on black.
    void UpdateTitle(bool Suspended);
    // Windowed controls are enabled or disabled, and every control shown
    // or hidden, with Enable.
    static void EnableCtrls(std::initializer_list<TControl*> Controls, bool Enable);

    // Handlers.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanCloseNow);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void bbCancelClick(TObject* Sender);
    void bbResumeOperClick(TObject* Sender);
    void bbAbortOperClick(TObject* Sender);
    void bbOkClick(TObject* Sender);

    // The count text of the bar. The track shows it too, so that the text
    // reads whole across the filled and the empty part of the bar.
    void SetCountText(const std::string& Text);

    // The form that is disabled while the window is active (nullptr when
    // none, and once that form is freed).
    TForm* OwnerForm() const { return ownerForm_; }
    void SetOwnerForm(TForm* Value);

    TRX_FIELD(TLabel, lbPageNum);
    TRX_FIELD(TLabel, lbOutputDestination);
    TRX_FIELD(TPanel, paProgressBackground);
    TRX_FIELD(TPanel, paProgressBar);
    TRX_FIELD(TBitBtn, bbOk);
    TRX_FIELD(TBitBtn, bbCancel);
    TRX_FIELD(TBitBtn, bbResumeOper);
    TRX_FIELD(TBitBtn, bbAbortOper);
    TRX_FIELD(TPanel, paStatusBar);

    // Whether a close request is accepted.
    bool CanClose = false;
    // Tick count of the last bar update.
    int64_t LastTick = 0;
    // The designed size, kept while the window is shrunk to nothing.
    TPoint NormalSize;
    // The answer of the suspended state: 0 none, 3 abort, 5 resume.
    int32_t UserChoice = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TForm* ownerForm_ = nullptr;
};

// The window while a long operation runs, else nullptr.
extern TfmProgress* fmProgress;

// The window's layout, which its constructor builds.
const TFormDesc& ProgressLayout();

// The progress window as the run's progress. Install one (TRunProgressScope)
// for as long as reports run with the windows; ActivateProgressWindow,
// UpdateProgressBar and CloseProgressWindow then come here.
class TWindowProgress final : public TRunProgress {
public:
    // Starts the window for one operation; OwnerForm (may be nullptr) is
    // disabled while it runs. An invisible window still takes Escape and
    // Ctrl+Pause. A window left from an earlier operation is reused; its
    // former owner form is enabled again first.
    void Activate(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                  const std::string& AbortCaption) override;
    // fmProgress->UpdateProgressBar when the window exists; nothing otherwise.
    void Update(int& Current, int& Total, const TPoint& Page) override;
    // Ends the window; with ShowResult the outcome stays up modally with Msg
    // until the user presses OK. The window is freed in any case.
    void Close(bool ShowResult, const std::string& Msg) override;
};

} // namespace trx
