#include "framework/forms/application.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "framework/core/clock.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"

namespace trx {

namespace {

struct TGlobals {
    TApplication* app = nullptr;
    TScreen* screen = nullptr;
    TInputSource* input = nullptr;
    bool hookInstalled = false;
};

TGlobals& G() {
    static TGlobals g;
    return g;
}

std::vector<TTimer*>& Timers() {
    static std::vector<TTimer*> timers;
    return timers;
}

// After this many waits in a row in which only timers ran, a waiting loop
// is taken to wait for ever.
constexpr int kMaxTimerOnlyWaits = 100000;

std::string DescribeWaiting(const TCustomForm* Waiting) {
    if (!Waiting) return "The application's main loop";
    std::string name = Waiting->Name().empty() ? std::string("(unnamed)") : Waiting->Name();
    return "The modal form " + name + " (\"" + Waiting->Caption() + "\")";
}

} // namespace

TApplication* Application() {
    TGlobals& g = G();
    if (!g.app) {
        g.app = new TApplication;
        if (!g.hookInstalled) {
            SetProcessMessagesHook([] { Application()->ProcessMessages(); });
            g.hookInstalled = true;
        }
    }
    return g.app;
}

TScreen* Screen() {
    TGlobals& g = G();
    if (!g.screen) g.screen = new TScreen;
    return g.screen;
}

void ResetApplication() {
    TGlobals& g = G();
    if (g.app) g.app->FreeForms();
    if (g.screen)
        while (!g.screen->forms_.empty()) g.screen->forms_.back()->Free();
    delete g.app;
    g.app = nullptr;
    delete g.screen;
    g.screen = nullptr;
    ReleaseAllKeys();
}

void PostMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam, int64_t LParam) {
    Application()->PostMessage(Form, Msg, WParam, LParam);
}

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication() = default;

TApplication::~TApplication() { FreeForms(); }

void TApplication::FreeForms() {
    for (;;) {
        TCustomForm* form = nullptr;
        for (int i = ComponentCount() - 1; i >= 0 && !form; --i) form = dynamic_cast<TCustomForm*>(Components(i));
        if (!form) break;
        form->Free();
    }
}

void TApplication::SetMainForm(TCustomForm* Form) {
    if (mainForm_ == Form) return;
    if (mainForm_) RemoveFreeNotification(mainForm_);
    mainForm_ = Form;
    if (mainForm_) FreeNotification(mainForm_);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

void TApplication::FormDestroying(TCustomForm* Form) {
    queue_.erase(
        std::remove_if(queue_.begin(), queue_.end(), [Form](const TQueued& q) { return !q.Input && q.Form == Form; }),
        queue_.end());
    modal_.erase(std::remove(modal_.begin(), modal_.end(), Form), modal_.end());
    if (mainForm_ == Form) mainForm_ = nullptr;
}

void TApplication::PostMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam, int64_t LParam) {
    if (!Form) return;
    TQueued q;
    q.Form = Form;
    q.FormId = Form->FormId();
    q.Message = TMessage{Msg, WParam, LParam, 0};
    queue_.push_back(std::move(q));
}

void TApplication::QueueInput(std::function<void()> Input) {
    if (!Input) return;
    TQueued q;
    q.Input = std::move(Input);
    queue_.push_back(std::move(q));
}

bool TApplication::ProcessOne() {
    if (!queue_.empty()) {
        TQueued q = std::move(queue_.front());
        queue_.pop_front();
        if (q.Input) {
            try {
                q.Input();
            } catch (...) {
                HandleException(this);
            }
            return true;
        }
        if (!Screen()->IsLive(q.Form, q.FormId)) return true;
        try {
            q.Form->Dispatch(q.Message);
        } catch (...) {
            HandleException(q.Form);
        }
        return true;
    }
    return FireDueTimer();
}

void TApplication::ProcessMessages() {
    if (TInputSource* input = G().input) input->PollInput();
    while (ProcessOne()) {}
}

void TApplication::HandleMessage(TCustomForm* Waiting) {
    if (ProcessOne()) return;
    Idle(Waiting);
}

TInputSource* TApplication::InputSource() { return G().input; }
void TApplication::SetInputSource(TInputSource* Source) { G().input = Source; }

void TApplication::Idle(TCustomForm* Waiting) {
    const int64_t timeout = NextTimerTimeout();
    TInputSource* input = G().input;
    if (input && input->WaitForInput(Waiting, timeout)) {
        idleTimerRuns_ = 0;
        return;
    }
    if (timeout >= 0) {
        if (++idleTimerRuns_ > kMaxTimerOnlyWaits) {
            idleTimerRuns_ = 0;
            throw EScriptFailure(DescribeWaiting(Waiting) +
                                 " waits for the user; only timers run and no input can come");
        }
        if (timeout > 0) Clock().Wait(timeout);
        return;
    }
    throw EScriptFailure(DescribeWaiting(Waiting) + " waits for the user, and no input can come");
}

void TApplication::Run(TCustomForm* Form) {
    if (Form) SetMainForm(Form);
    if (!mainForm_) return;
    mainForm_->Show();
    while (!terminated_) HandleMessage(nullptr);
}

// ---------------------------------------------------------------------------
// Timers

void TApplication::AddTimer(TTimer* Timer) { Timers().push_back(Timer); }

void TApplication::RemoveTimer(TTimer* Timer) {
    auto& t = Timers();
    t.erase(std::remove(t.begin(), t.end(), Timer), t.end());
}

int64_t TApplication::NextTimerTimeout() {
    const int64_t now = GetTickCount();
    int64_t best = -1;
    for (const TTimer* t : Timers()) {
        if (!t->Running()) continue;
        const int64_t wait = std::max<int64_t>(0, t->due_ - now);
        if (best < 0 || wait < best) best = wait;
    }
    return best;
}

bool TApplication::FireDueTimer() {
    const int64_t now = GetTickCount();
    TTimer* due = nullptr;
    for (TTimer* t : Timers())
        if (t->Running() && t->due_ <= now && (!due || t->due_ < due->due_)) due = t;
    if (!due) return false;
    due->due_ = now + due->Interval();
    try {
        due->Timer();
    } catch (...) {
        HandleException(due);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Exceptions, hints, names

void TApplication::HandleException(TObject* Sender) {
    if (!std::current_exception()) return;
    try {
        throw;
    } catch (EScriptFailure&) {
        throw;
    } catch (EAbort&) {
    } catch (Exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e.Message);
    } catch (std::exception& e) {
        Exception wrapped(e.what());
        if (OnException)
            OnException(Sender, wrapped);
        else
            ShowException(wrapped.Message);
    } catch (...) {
        ShowException("An exception of an unknown kind was raised");
    }
}

void TApplication::ShowException(const std::string& Message) {
    std::string msg = Message;
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
    DialogService().ShowException(ShownTitle(), msg);
}

std::string TApplication::ShownTitle() const {
    if (!Title.empty()) return Title;
    const std::string exe = ExeName();
    const std::size_t slash = exe.find_last_of('/');
    std::string title = slash == std::string::npos ? exe : exe.substr(slash + 1);
    const std::size_t dot = title.find_last_of('.');
    if (dot != std::string::npos && dot > 0) title.erase(dot);
    return title;
}

namespace {
TApplication::THelpViewer& HelpViewer() {
    static TApplication::THelpViewer viewer;
    return viewer;
}
} // namespace

void TApplication::SetHelpViewer(THelpViewer Viewer) { HelpViewer() = std::move(Viewer); }

bool TApplication::HelpContext(int Context) {
    bool callHelp = true;
    bool result = false;
    if (OnHelp) result = OnHelp(HELP_CONTEXT, Context, callHelp);
    if (!callHelp) return result;
    return HelpViewer() && !HelpFile.empty() && HelpViewer()(HelpFile, Context);
}

void TApplication::SetHint(const std::string& Value) {
    if (hint_ == Value) return;
    hint_ = Value;
    if (OnHint) OnHint(this);
}

std::string TApplication::ExeName() const { return exeName_.empty() ? ExeFileName() : exeName_; }

// ---------------------------------------------------------------------------
// TScreen

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

void TScreen::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    if (observers::Any()) observers::ScreenCursorChanged(Value);
}

void TScreen::SetSize(int AWidth, int AHeight) {
    width_ = AWidth;
    height_ = AHeight;
}

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return forms_[static_cast<std::size_t>(Index)];
}

bool TScreen::IsLive(const TCustomForm* Form, uint64_t FormId) const {
    if (!Form) return false;
    for (const TCustomForm* f : forms_)
        if (f == Form) return f->FormId() == FormId;
    return false;
}

void TScreen::AddForm(TCustomForm* Form) { forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), Form), zorder_.end());
    if (activeForm_ == Form) SetActiveForm(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (Form) {
        zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), Form), zorder_.end());
        zorder_.push_back(Form);
    }
    if (activeForm_ == Form) return;
    activeForm_ = Form;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::ActivateNext(TCustomForm* Except) {
    for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
        TCustomForm* f = *it;
        if (f != Except && f->Visible() && f->Enabled()) {
            f->Activate();
            return;
        }
    }
    for (TCustomForm* f : forms_)
        if (f != Except && f->Visible() && f->Enabled()) {
            f->Activate();
            return;
        }
}

} // namespace trx
