// The application and the screen: process-wide objects, resettable between
// tests with ResetApplication.
//
// The application owns the forms it creates and runs the message loop:
// messages posted to forms, input queued by a user or a script, and the
// timers. A loop with nothing to do (a modal form waiting for its user)
// asks the input source for the user's next action; a backend waits for
// real events there, a test script runs its next step. When no input can
// come the loop raises EScriptFailure instead of waiting for ever.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/forms/form.h"

namespace trx {

class TTimer;

// A run needs input that nobody can give: a modal form waits and no script
// step is queued for it, a message box has no answer, a script step does
// not fit. Not an Exception, so that handlers that catch the framework's
// exceptions let it pass to the test.
class EScriptFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a waiting loop gets the user's next action.
class TInputSource {
public:
    virtual ~TInputSource() = default;
    // Waiting (a modal form, or nullptr for the main loop) has nothing to do.
    // Deliver the user's next action (run it) or wait for it, at most
    // TimeoutMs milliseconds when that is not negative (a timer falls due
    // then), and return true; return false when no action can come.
    virtual bool WaitForInput(TCustomForm* Waiting, int64_t TimeoutMs) = 0;
    // ProcessMessages asks for the user's actions that have already come,
    // without waiting: a backend queues them (QueueInput) so that a long
    // loop sees Escape or Cancel and its windows repaint.
    virtual void PollInput() {}
};

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
// Asked for help on a context of the help file; sets CallHelp to false when
// it answered itself.
using THelpEvent = std::function<bool(uint16_t Command, int64_t Data, bool& CallHelp)>;
constexpr uint16_t HELP_CONTEXT = 0x0001;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Creates a form of class T owned by the application; Reference holds it
    // before OnCreate runs. Raises what the constructor raises, with
    // Reference set back to nullptr.
    template <class T>
    void CreateForm(T*& Reference) {
        Reference = nullptr;
        std::unique_ptr<T> form(new T(this));
        Reference = form.get();
        try {
            form->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            throw;
        }
        form.release();
    }

    // Closing the main form terminates the application. Set by Run or
    // SetMainForm; CreateForm does not choose one, since the component runs
    // inside applications that have their own.
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* Form);

    // Takes the user's actions that have come (TInputSource::PollInput),
    // then handles every message, queued input and due timer, until none is
    // left. Re-entrant: a handler may call it again.
    void ProcessMessages();
    // Handles one message, queued input or due timer; with none, waits for
    // input for Waiting (see TInputSource). The loops of ShowModal and Run.
    void HandleMessage(TCustomForm* Waiting = nullptr);
    // Shows MainForm (or Form, which becomes it) and handles messages until
    // the application terminates.
    void Run(TCustomForm* Form = nullptr);
    bool Terminated() const { return terminated_; }
    // Ends Run and every modal loop (with mrCancel).
    void Terminate() { terminated_ = true; }

    // To be called inside a catch block: hands the exception to OnException,
    // or shows its message (ShowException); EAbort passes silently.
    // EScriptFailure is raised again.
    void HandleException(TObject* Sender);
    // Shows E's message in an error box titled with the application's title;
    // a message that does not end in a period gets one.
    void ShowException(const std::string& Message);

    std::string Title;
    // What message boxes are titled with: Title, else the program's file
    // name without its folder and extension.
    std::string ShownTitle() const;
    std::string HelpFile;
    bool ShowHint = true;
    // The long part of the hint of the control under the mouse; a change fires OnHint.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& Value);
    // The program's file name: the one set here, else the running
    // executable's (ExeFileName, which SetExeFileName overrides).
    std::string ExeName() const;
    void SetExeName(const std::string& Value) { exeName_ = Value; }

    TNotifyEvent OnHint;
    TExceptionEvent OnException;
    THelpEvent OnHelp;

    // Help on a context of HelpFile: asks OnHelp, then the help viewer that
    // a backend installs (SetHelpViewer). False when nobody could show it.
    bool HelpContext(int Context);
    using THelpViewer = std::function<bool(const std::string& HelpFile, int Context)>;
    static void SetHelpViewer(THelpViewer Viewer);

    // Posts a message to a form; the running loop dispatches it to the
    // form's Dispatch once the current handler returns. Dropped when the
    // form is freed first.
    void PostMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam = 0, int64_t LParam = 0);
    // Queues an action of the user (a key, a click) that arrives when the
    // application next processes its messages.
    void QueueInput(std::function<void()> Input);
    std::size_t PendingMessages() const { return queue_.size(); }

    // The input source of every application (it outlives ResetApplication).
    static TInputSource* InputSource();
    static void SetInputSource(TInputSource* Source);

    // The modal runs in progress, innermost last.
    const std::vector<TCustomForm*>& ModalForms() const { return modal_; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomForm;
    friend class TTimer;
    friend void ResetApplication();

    struct TQueued {
        TCustomForm* Form = nullptr;
        uint64_t FormId = 0;
        TMessage Message;
        std::function<void()> Input;
    };

    bool ProcessOne();
    bool FireDueTimer();
    // Milliseconds until the next timer falls due (0 when one is due), -1 without timers.
    static int64_t NextTimerTimeout();
    void Idle(TCustomForm* Waiting);
    void FormDestroying(TCustomForm* Form);
    void FreeForms();
    static void AddTimer(TTimer* Timer);
    static void RemoveTimer(TTimer* Timer);

    std::deque<TQueued> queue_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string hint_;
    std::string exeName_;
    std::vector<TCustomForm*> modal_;
    int idleTimerRuns_ = 0;
};

class TScreen : public TComponent {
public:
    TScreen();
    ~TScreen() override;

    // The form that has the focus; nullptr when none has.
    TCustomForm* ActiveForm() const { return activeForm_; }
    // The active form's active control, or nullptr.
    TWinControl* ActiveControl() const;
    // The application-wide cursor; crDefault lets each control's own show.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The screen's size in pixels (1024 by 768 unless set).
    void SetSize(int AWidth, int AHeight);
    int PixelsPerInch() const { return ScreenPixelsPerInch(); }

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int Index) const;
    // Form still exists and is the same form (ids are never reused).
    bool IsLive(const TCustomForm* Form, uint64_t FormId) const;

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

private:
    friend class TCustomForm;
    friend void ResetApplication();

    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);
    // Activates the topmost visible and enabled form other than Except.
    void ActivateNext(TCustomForm* Except);

    std::vector<TCustomForm*> forms_;
    std::vector<TCustomForm*> zorder_; // by last activation, topmost last
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
    int width_ = 1024;
    int height_ = 768;
    uint64_t focusCount_ = 0;
};

// The process-wide application and screen, created on first use. Creating
// the application installs its ProcessMessages as the hook of Delay.
TApplication* Application();
TScreen* Screen();
// Frees every form and both objects (with the queued messages, the
// terminated flag and the screen's settings); the next use creates new ones.
void ResetApplication();

// Application()->PostMessage.
void PostMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam = 0, int64_t LParam = 0);

} // namespace trx
