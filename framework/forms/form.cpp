#include "framework/forms/form.h"

#include <algorithm>
#include <utility>

#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/menus.h"
#include "framework/forms/property_values.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/printer.h"

namespace trx {

namespace {
uint64_t nextFormId = 1;
const char* const kCannotFocus = "Cannot focus a disabled or invisible window";

TFormImageSource& ImageSource() {
    static TFormImageSource source;
    return source;
}
} // namespace

void SetFormImageSource(TFormImageSource Source) { ImageSource() = std::move(Source); }

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner), formId_(nextFormId++) {
    visible_ = false;
    color_ = clBtnFace;
    Font().SetSize(8);
    canvas_.SetFont(Font());
    SetBounds(0, 0, 320, 240);
    normalBounds_ = BoundsRect();
    Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (observers::Any()) observers::FormDestroying(*this);
    Application()->FormDestroying(this);
    activeControl_ = nullptr;
    focused_ = nullptr;
    menu_ = nullptr;
    Screen()->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    }
    if (observers::Any()) observers::FormCreated(*this);
}

void TCustomForm::BeforeDestruction() {
    if (destroyed_) return;
    destroyed_ = true;
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    }
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->BeforeDestruction();
}

void TCustomForm::Free() {
    BeforeDestruction();
    delete this;
}

// ---------------------------------------------------------------------------
// Frame and client area

int TCustomForm::FrameWidth() const {
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: return 0;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin: return FormSizeableFrame;
    default: return FormFixedFrame;
    }
}

int TCustomForm::CaptionHeight() const {
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: return 0;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin: return FormToolCaptionHeight;
    default: return FormCaptionHeight;
    }
}

int TCustomForm::MenuBarHeight() const { return menu_ ? FormMenuHeight : 0; }

int TCustomForm::ClientWidth() const { return std::max(0, Width() - 2 * FrameWidth()); }

int TCustomForm::ClientHeight() const {
    return std::max(0, Height() - 2 * FrameWidth() - CaptionHeight() - MenuBarHeight());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (borderStyle_ == Value) return;
    const int w = ClientWidth();
    const int h = ClientHeight();
    borderStyle_ = Value;
    Changed(TControlChange::ccStyle);
    if (w != ClientWidth() || h != ClientHeight()) {
        Realign();
        if (!IsLoading()) Resize();
    }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (menu_ == Value) return;
    const int h = ClientHeight();
    if (menu_) RemoveFreeNotification(menu_);
    menu_ = Value;
    if (menu_) FreeNotification(menu_);
    Changed(TControlChange::ccStyle);
    if (h != ClientHeight()) {
        Realign();
        if (!IsLoading()) Resize();
    }
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (windowState_ == Value) return;
    if (windowState_ == TWindowState::wsNormal) normalBounds_ = BoundsRect();
    windowState_ = Value;
    if (Value == TWindowState::wsMaximized)
        SetBounds(0, 0, Screen()->Width(), Screen()->Height());
    else if (Value == TWindowState::wsNormal)
        SetBoundsRect(normalBounds_);
    Changed(TControlChange::ccStyle);
}

void TCustomForm::ApplyPosition() {
    if (windowState_ != TWindowState::wsNormal) return;
    const TCustomForm* around = nullptr;
    switch (position_) {
    case TPosition::poMainFormCenter: around = Application()->MainForm(); break;
    case TPosition::poOwnerFormCenter: around = dynamic_cast<TCustomForm*>(Owner()); break;
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter: break;
    default: return;
    }
    if (around && around != this)
        SetBounds(around->Left() + (around->Width() - Width()) / 2, around->Top() + (around->Height() - Height()) / 2,
                  Width(), Height());
    else
        SetBounds((Screen()->Width() - Width()) / 2, (Screen()->Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::FontChanged() {
    TCustomControl::FontChanged();
    canvas_.SetFont(Font());
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == menu_ && menu_) {
        const int h = ClientHeight();
        menu_ = nullptr;
        if (h != ClientHeight() && !Destroying()) Realign();
    }
}

// ---------------------------------------------------------------------------
// Showing, activation and focus

void TCustomForm::SetVisible(bool Value) {
    if (visible_ == Value) return;
    if (Value) {
        visible_ = true;
        ApplyPosition();
        if (!activeControl_ || !activeControl_->CanFocus())
            activeControl_ = FindNextControl(nullptr, true, true, false);
        if (OnShow) {
            try {
                OnShow(this);
            } catch (...) {
                Application()->HandleException(this);
            }
        }
        if (!visible_) return;
        Changed(TControlChange::ccVisible);
        if (observers::Any()) observers::FormShown(*this, modal_);
        if (Enabled()) Activate();
    } else {
        if (modal_ && modalRunning_) {
            modalResult_ = mrCancel;
            return;
        }
        visible_ = false;
        if (OnHide) {
            try {
                OnHide(this);
            } catch (...) {
                Application()->HandleException(this);
            }
        }
        Changed(TControlChange::ccVisible);
        if (observers::Any()) observers::FormHidden(*this);
        if (active_) {
            Deactivate();
            Screen()->ActivateNext(this);
        }
    }
}

void TCustomForm::VisibleChanged() { Changed(TControlChange::ccVisible); }

void TCustomForm::Show() {
    SetVisible(true);
    if (Visible() && Enabled() && !active_) Activate();
}

bool TCustomForm::CanFocus() const { return Visible() && Enabled(); }

void TCustomForm::SetFocus() {
    if (!Visible() || !Enabled()) throw EInvalidOperation(kCannotFocus);
    Activate();
}

void TCustomForm::Activate() {
    TScreen* screen = Screen();
    if (screen->activeForm_ != this) {
        if (TCustomForm* old = screen->activeForm_) old->Deactivate();
        active_ = true;
        screen->SetActiveForm(this);
        if (OnActivate) OnActivate(this);
        if (observers::Any()) observers::FormActivated(*this);
        if (!active_) return;
    }
    TWinControl* target = activeControl_;
    if (target && !target->CanFocus()) target = nullptr;
    SetFocusedControl(target ? target : this);
}

void TCustomForm::Deactivate() {
    if (!active_) return;
    active_ = false;
    if (Screen()->activeForm_ == this) Screen()->SetActiveForm(nullptr);
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (activeControl_ == Control) return;
    if (Control && (Control == this || GetParentForm(Control) != this || (!IsLoading() && !Control->CanFocus())))
        throw EInvalidOperation(kCannotFocus);
    activeControl_ = Control;
    if (!IsLoading() && active_) SetFocusedControl(Control ? Control : this);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    const bool wasActive = active_;
    if (activeControl_ != Control)
        SetActiveControl(Control);
    else if (wasActive && Control && focused_ != Control)
        SetFocusedControl(Control);
    if (!wasActive) SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* Control) {
    TScreen* screen = Screen();
    activeControl_ = Control == this ? nullptr : Control;
    const uint64_t count = ++screen->focusCount_;
    if (!focused_) focused_ = this;
    if (focused_ != Control) {
        // Leave the old control and its parents up to the one holding the new control.
        while (focused_ && !focused_->ContainsControl(Control)) {
            focused_->DoExit();
            if (screen->focusCount_ != count) return;
            focused_ = focused_->Parent();
        }
        if (!focused_) focused_ = this;
        // Enter the parents of the new control down to the control.
        while (focused_ != Control) {
            TWinControl* next = Control;
            while (next->Parent() != focused_) next = next->Parent();
            focused_ = next;
            next->DoEnter();
            if (screen->focusCount_ != count) return;
        }
    }
    Control->Changed(TControlChange::ccFocus);
    if (screen->OnActiveControlChange) screen->OnActiveControlChange(screen);
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && focused_ && Control->ContainsControl(focused_)) focused_ = Control->Parent();
    if (activeControl_ && Control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
        if (active_ && !Destroying()) SetFocusedControl(this);
    }
}

// ---------------------------------------------------------------------------
// Modal runs and closing

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    TApplication* app = Application();
    TScreen* screen = Screen();
    TCustomForm* previous = screen->ActiveForm();
    const uint64_t previousId = previous ? previous->formId_ : 0;

    std::vector<std::pair<TCustomForm*, uint64_t>> disabled;
    for (TCustomForm* f : screen->forms_)
        if (f != this && f->Visible() && f->Enabled()) disabled.emplace_back(f, f->formId_);
    for (auto& entry : disabled) entry.first->SetEnabled(false);

    auto restore = [&]() {
        for (auto& [f, id] : disabled)
            if (screen->IsLive(f, id)) f->SetEnabled(true);
        if (previous && screen->IsLive(previous, previousId) && previous->Visible() && previous->Enabled())
            previous->Activate();
    };

    modal_ = true;
    app->modal_.push_back(this);
    TModalResult result = mrNone;
    try {
        Show();
        modalResult_ = mrNone;
        modalRunning_ = true;
        do {
            app->HandleMessage(this);
            if (app->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        } while (modalResult_ == mrNone);
        modalRunning_ = false;
        result = modalResult_;
        SetVisible(false);
    } catch (...) {
        modalRunning_ = false;
        app->modal_.erase(std::remove(app->modal_.begin(), app->modal_.end(), this), app->modal_.end());
        if (visible_) {
            try {
                SetVisible(false);
            } catch (...) {}
        }
        modal_ = false;
        restore();
        throw;
    }
    app->modal_.erase(std::remove(app->modal_.begin(), app->modal_.end(), this), app->modal_.end());
    modal_ = false;
    restore();
    if (releasePending_) {
        releasePending_ = false;
        Release();
    }
    return result;
}

void TCustomForm::CloseModal() {
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
        action = TCloseAction::caHide;
        DoClose(action);
    }
    if (action == TCloseAction::caNone)
        modalResult_ = mrNone;
    else if (action == TCloseAction::caFree)
        releasePending_ = true;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = FormStyle == TFormStyle::fsMDIChild ? TCloseAction::caMinimize : TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    default: break;
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Release() {
    if (modal_)
        releasePending_ = true;
    else
        Application()->PostMessage(this, CM_RELEASE);
}

// ---------------------------------------------------------------------------
// Printing

TWindowImage TCustomForm::WindowImage() {
    TWindowImage image;
    image.FormName = Name();
    image.Caption = Caption();
    image.Width = ClientWidth();
    image.Height = ClientHeight();
    image.PrintScale = PrintScale;
    image.PixelsPerInch = Screen()->PixelsPerInch();
    if (ImageSource()) ImageSource()(*this, image);
    return image;
}

void TCustomForm::Print() { Printer()->PrintWindowImage(WindowImage()); }

// ---------------------------------------------------------------------------
// Keys and messages

bool TCustomForm::IsShortCut(uint16_t Key, TShiftState Shift) { return menu_ && menu_->IsShortCut(Key, Shift); }

bool TCustomForm::DialogKey(uint16_t Key, TShiftState Shift) {
    if (Shift.Contains(TShiftFlag::ssAlt)) return !Shift.Contains(TShiftFlag::ssCtrl) && Accelerator(Key);
    switch (Key) {
    case VK_TAB:
        if (Shift.Contains(TShiftFlag::ssCtrl)) return false;
        SelectNext(activeControl_, !Shift.Contains(TShiftFlag::ssShift), true);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (!activeControl_ || !activeControl_->Parent()) return false;
        activeControl_->Parent()->SelectNext(activeControl_, Key == VK_RIGHT || Key == VK_DOWN, false);
        return true;
    case VK_RETURN:
    case VK_ESCAPE: {
        if (!Shift.Empty()) return false;
        TButton* target = nullptr;
        if (Key == VK_RETURN) target = dynamic_cast<TButton*>(activeControl_);
        if (!target) {
            std::vector<TWinControl*> list;
            GetTabOrderList(list);
            for (TWinControl* c : list) {
                auto* b = dynamic_cast<TButton*>(c);
                if (b && (Key == VK_RETURN ? b->Default : b->Cancel) && b->CanFocus()) {
                    target = b;
                    break;
                }
            }
        }
        if (!target || !target->CanFocus()) return false;
        target->Click();
        return true;
    }
    default: return false;
    }
}

namespace {

// The first control inside Parent (Parent included), showing and enabled,
// whose caption has Key as its accelerator.
TControl* AcceleratedControl(TControl* Parent, uint16_t Key) {
    if (!Parent->Visible() || !Parent->Enabled()) return nullptr;
    if (!dynamic_cast<TCustomForm*>(Parent) && IsAccel(Key, Parent->Caption())) {
        auto* label = dynamic_cast<TLabel*>(Parent);
        if (!label || label->ShowAccelChar) return Parent;
    }
    if (auto* w = dynamic_cast<TWinControl*>(Parent))
        for (int i = 0; i < w->ControlCount(); ++i)
            if (TControl* c = AcceleratedControl(w->Controls(i), Key)) return c;
    return nullptr;
}

} // namespace

bool TCustomForm::Accelerator(uint16_t Key) {
    const bool letter = (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9');
    if (!letter) return false;
    if (TControl* c = AcceleratedControl(this, Key)) {
        if (auto* label = dynamic_cast<TLabel*>(c)) {
            TWinControl* target = label->FocusControl();
            if (!target || !target->CanFocus()) return false;
            target->SetFocus();
        } else if (auto* group = dynamic_cast<TGroupBox*>(c)) {
            TWinControl* first = group->FindNextControl(nullptr, true, true, false);
            if (first) first->SetFocus();
        } else if (dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
            auto* w = static_cast<TWinControl*>(c);
            w->SetFocus();
            if (w->Focused()) w->MouseClick();
        } else if (dynamic_cast<TButton*>(c) || dynamic_cast<TSpeedButton*>(c)) {
            c->MouseClick();
        } else {
            return false;
        }
        return true;
    }
    if (!menu_ || !observers::Any()) return false;
    TMenuItem* items = menu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        if (item->Visible() && item->Enabled() && IsAccel(Key, item->Caption())) {
            observers::MenuKey(*this, *item);
            return true;
        }
    }
    return false;
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_RELEASE:
        if (modal_)
            releasePending_ = true;
        else
            Free();
        return;
    case WM_CLOSE: Close(); return;
    default: break;
    }
    const auto it = handlers_.find(Message.Msg);
    if (it != handlers_.end() && it->second) it->second(Message);
}

void TCustomForm::SetMessageHandler(uint32_t Msg, TMessageHandler Handler) {
    if (Handler)
        handlers_[Msg] = std::move(Handler);
    else
        handlers_.erase(Msg);
}

void TCustomForm::BindFields() {
    std::vector<TField> fields;
    fields.swap(fields_);
    for (const TField& f : fields) {
        TComponent* c = FindComponent(f.Name);
        if (!c) throw EComponentError(Name() + " has no component named " + f.Name);
        if (!f.Set(f.Field, c)) throw EComponentError(Name() + "." + f.Name + " is not of the expected class");
    }
}

int64_t SendMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam, int64_t LParam) {
    if (!Form) return 0;
    TMessage m{Msg, WParam, LParam, 0};
    Form->Dispatch(m);
    return m.Result;
}

// ---------------------------------------------------------------------------
// Reflection

bool TCustomForm::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "BorderStyle"))
        SetBorderStyle(PropEnum<TFormBorderStyle>(
            V, {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}));
    else if (SameText(N, "WindowState"))
        SetWindowState(PropEnum<TWindowState>(V, {"wsNormal", "wsMinimized", "wsMaximized"}));
    else if (SameText(N, "Position"))
        SetPosition(
            PropEnum<TPosition>(V, {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}));
    else if (SameText(N, "FormStyle"))
        FormStyle = PropEnum<TFormStyle>(V, {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    else if (SameText(N, "KeyPreview"))
        KeyPreview = PropBool(V);
    else if (SameText(N, "PrintScale"))
        PrintScale = PropEnum<TPrintScale>(V, {"poNone", "poProportional", "poPrintToFit"});
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

bool TCustomForm::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnCreate")) return Bind(OnCreate, H, E);
    if (SameText(E, "OnShow")) return Bind(OnShow, H, E);
    if (SameText(E, "OnHide")) return Bind(OnHide, H, E);
    if (SameText(E, "OnActivate")) return Bind(OnActivate, H, E);
    if (SameText(E, "OnDeactivate")) return Bind(OnDeactivate, H, E);
    if (SameText(E, "OnDestroy")) return Bind(OnDestroy, H, E);
    if (SameText(E, "OnPaint")) return Bind(OnPaint, H, E);
    if (SameText(E, "OnCloseQuery")) return Bind(OnCloseQuery, H, E);
    if (SameText(E, "OnClose")) return Bind(OnClose, H, E);
    return TCustomControl::BindEvent(E, H);
}

} // namespace trx
