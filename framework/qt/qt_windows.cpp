#include "framework/qt/qt_windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/core/component.h"
#include "framework/forms/application.h"
#include "framework/forms/clipboard.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/form_observer.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/grids/custom_grid.h"
#include "framework/qt/qt_application.h"
#include "framework/qt/qt_control_widgets.h"
#include "framework/qt/qt_dialogs.h"
#include "framework/qt/qt_grid_widget.h"
#include "framework/qt/qt_keys.h"
#include "framework/qt/qt_screen_device.h"

namespace trx {

namespace {

// How long a window just shown may take to be mapped by the window system.
constexpr int kExposeWaitMs = 2000;

// Qt's offscreen platform: no window system, no stacking, no screen to read.
bool Offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

// The X server's connection, or nullptr on another platform.
xcb_connection_t* XConnection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The window is on the screen as far as the X server knows: mapped, and
// with it every window it stands in (a window manager maps its frame only
// after the window itself). Other platforms say so by exposing it.
bool Viewable(const QWindow& Window) {
    xcb_connection_t* c = XConnection();
    if (!c) return true;
    const xcb_get_window_attributes_cookie_t cookie =
        xcb_get_window_attributes(c, static_cast<xcb_window_t>(Window.winId()));
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(c, cookie, nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

// The X server's atom WM_STATE, which a window manager sets on the windows
// it manages; XCB_ATOM_NONE when there is none (no window manager yet).
xcb_atom_t WmStateAtom(xcb_connection_t* C) {
    static const char kName[] = "WM_STATE";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(C, xcb_intern_atom(C, 1, sizeof kName - 1, kName), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The window manager is done with a window the program hid: the window has
// no WM_STATE left (WmState is that atom), or a withdrawn one. Shown again
// before that, a window can stay unmapped (the manager takes the late news
// of the hiding for the last word).
bool Withdrawn(const QWindow& Window, xcb_atom_t WmState) {
    xcb_connection_t* c = XConnection();
    if (!c || WmState == XCB_ATOM_NONE) return true;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, static_cast<xcb_window_t>(Window.winId()), WmState, WmState, 0, 1), nullptr);
    bool withdrawn = true;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        withdrawn = *static_cast<const uint32_t*>(xcb_get_property_value(reply)) == 0; // WithdrawnState
    std::free(reply);
    return withdrawn;
}

// A form's window: the menu bar, if the form has a menu, over the client
// area that holds the controls.
class TQtFormWindow : public QWidget {
public:
    TQtFormWindow() : QWidget(nullptr, Qt::Window), client_(new QWidget(this)) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        client_->setFocusPolicy(Qt::NoFocus);
    }
    QWidget* Client() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenuBar* MakeMenuBar() {
        if (!menuBar_) {
            menuBar_ = new QMenuBar(this);
            menuBar_->setNativeMenuBar(false);
            menuBar_->setFocusPolicy(Qt::NoFocus);
        }
        return menuBar_;
    }
    void RemoveMenuBar() {
        delete menuBar_;
        menuBar_ = nullptr;
    }
    int MenuHeight() const { return menuBar_ ? menuBar_->sizeHint().height() : 0; }
    void LayOut() {
        const int menu = MenuHeight();
        if (menuBar_) menuBar_->setGeometry(0, 0, width(), menu);
        client_->setGeometry(0, menu, width(), std::max(0, height() - menu));
    }

    // What was last asked of the window system, so that its echo is not
    // taken for the user's move.
    Qt::WindowFlags AppliedFlags;
    QPoint AppliedPos;
    QSize AppliedSize;
    // Hidden by the backend since it was last shown: the window manager
    // must be done with that before the window shows again.
    bool Hidden = false;

protected:
    void resizeEvent(QResizeEvent* Event) override {
        QWidget::resizeEvent(Event);
        LayOut();
    }

private:
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};

// Tells of components freed (menus and their items have no observer call).
class TFreeWatch : public TComponent {
public:
    TFreeWatch() : TComponent(nullptr) {}
    std::function<void(TComponent*)> OnFree;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && OnFree) OnFree(AComponent);
    }
};

Qt::WindowFlags FlagsOf(const TCustomForm& Form) {
    Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (Form.BorderIcons.Contains(TBorderIcon::biSystemMenu))
        caption |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (Form.BorderStyle()) {
    case TFormBorderStyle::bsNone: return Qt::Window | Qt::FramelessWindowHint;
    case TFormBorderStyle::bsDialog: return Qt::Dialog | caption;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin: return Qt::Tool | caption;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsSizeable: break;
    }
    if (Form.BorderIcons.Contains(TBorderIcon::biMinimize)) caption |= Qt::WindowMinimizeButtonHint;
    if (Form.BorderIcons.Contains(TBorderIcon::biMaximize)) caption |= Qt::WindowMaximizeButtonHint;
    return Qt::Window | caption;
}

bool Sizeable(const TCustomForm& Form) {
    return Form.BorderStyle() == TFormBorderStyle::bsSizeable || Form.BorderStyle() == TFormBorderStyle::bsSizeToolWin;
}

// Runs a user's action on the model; nothing when the control cannot be
// reached any more (hidden, disabled, behind a modal form).
template <class T>
T* Reachable(TControl* Control) {
    return CanUserReach(Control) ? dynamic_cast<T*>(Control) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------

class TQtWindows final : public QObject, public TFormObserver, public TInputSource {
public:
    TQtWindows();
    ~TQtWindows() override;

    QWidget* Widget(const TControl* Control) const;
    QAction* Action(const TMenuItem* Item) const;
    bool Busy() const { return inHandler_ > 0; }

    // TFormObserver
    void FormCreated(TCustomForm& Form) override { EnsureWindow(Form); }
    // A form made without NewForm was never announced: it gets its window
    // when it shows.
    void FormShown(TCustomForm& Form, bool) override {
        EnsureWindow(Form);
        SyncFormWindow(Form);
    }
    void FormHidden(TCustomForm& Form) override { SyncFormWindow(Form); }
    void FormActivated(TCustomForm& Form) override;
    void FormDestroying(TCustomForm& Form) override { Drop(Form); }
    void ControlChanged(TControl& Control, TControlChange Change) override;
    void ControlDestroying(TControl& Control) override { Drop(Control); }
    void MenuItemChanged(TMenuItem& Item) override { SyncMenuItem(Item); }
    void MenuKey(TCustomForm& Form, TMenuItem& Item) override;
    void ScreenCursorChanged(int Cursor) override;

    // TInputSource
    bool WaitForInput(TCustomForm* Waiting, int64_t TimeoutMs) override;
    void PollInput() override;

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override;

private:
    struct TEntry {
        uint64_t Id = 0;
        TQtWidgetKind Kind = TQtWidgetKind::wkContainer;
        QPointer<QWidget> Widget;
    };
    struct TMenuEntry {
        uint64_t Id = 0;
        QPointer<QAction> Action;
        QPointer<QMenu> Menu;
    };
    // A control as a queued action holds it: freed controls do not resolve.
    struct TRef {
        const TControl* Ptr = nullptr;
        uint64_t Id = 0;
    };

    // Windows and widgets
    TQtFormWindow* EnsureWindow(TCustomForm& Form);
    TQtFormWindow* Window(const TCustomForm& Form) const;
    void Build(TControl& Control);
    void Drop(TControl& Control);
    void Forget(TControl& Control);
    QWidget* Container(const TControl& Parent) const;
    void Restack(const TWinControl& Parent);
    void SyncForm(TCustomForm& Form, TControlChange Change);
    void SyncFormWindow(TCustomForm& Form);
    void Activate(TQtFormWindow* Window);
    // Waits until a window just shown is on the screen, then paints it.
    void PaintShown(TQtFormWindow* Window);
    // Waits until the window manager is done with a window just hidden.
    void AwaitWithdrawn(TQtFormWindow* Window);
    // Takes the window system's events until Done holds, at most a while.
    void AwaitWindowSystem(const std::function<bool()>& Done);
    void Connect(TQtWidgetKind Kind, TControl& Control, QWidget* Widget);

    // Menus
    void SyncMenuBar(TCustomForm& Form);
    void SyncMenuItem(TMenuItem& Item);
    // The menu bar or menu that shows the items of Item.
    QWidget* MenuTarget(const TMenuItem& Item) const;
    void FillMenu(TMenuItem& Parent, QWidget* Target);
    void ForgetMenu(TMenuItem& Parent);
    static void ShowMenuItem(const TMenuItem& Item, QAction& Action);
    // The item that the action of that id shows still exists, in the
    // backend that made the action.
    static bool MenuItemLives(const TMenuItem* Item, uint64_t Id);
    void MenuOpening(TMenuItem* Item);

    // What is shown once the model's handlers are done: owner-drawn lists
    // painted, grids read, combo box lists opened.
    void MarkDirty(TControl& Control) { Later(dirty_, Control); }
    void Later(std::vector<TRef>& List, TControl& Control);
    void RenderPending();
    void Render(TListBox& List, TQtListBox& Widget);

    // Input
    TRef Ref(const TControl* Control) const;
    TControl* Resolve(const TRef& R) const;
    void Queue(const TControl* Control, std::function<void(TControl*)> Action);
    TCustomForm* FormOfWindow(QWidget* Widget) const;
    TControl* ControlUnder(QWidget* Widget, QWidget** ControlWidget) const;
    bool Mouse(QWidget* Widget, QMouseEvent& Event);
    void Pressed(TControl& Control, const TEntry& Entry, QWidget* Receiver, QPoint Pos);
    void Released(TControl& Control, const TEntry& Entry, QPoint Pos);
    void DoubleClicked(TControl& Control, const TEntry& Entry);
    bool WindowEvent(QWidget* Widget, QEvent& Event);
    bool AnyWindowShown() const;

    std::unordered_map<const TControl*, TEntry> entries_;
    std::unordered_map<const QObject*, TControl*> owners_;
    std::unordered_map<const TMenuItem*, TMenuEntry> menuItems_;
    TFreeWatch menuWatch_;
    uint64_t nextId_ = 1;
    std::vector<TRef> dirty_;
    std::vector<TRef> pendingLists_;
    const TControl* rendering_ = nullptr;
    TRef pressed_;
    QPoint pressPos_;
    // The control that was last given the focus.
    TRef focused_;
    QPointer<QWidget> requestedActive_;
    // Model code runs inside a Qt handler (a menu about to open): no
    // events are taken in there.
    int inHandler_ = 0;
    bool overrideCursor_ = false;
    QTimer wake_;
    TInputSource* previousInput_ = nullptr;
};

namespace {
TQtWindows* instance = nullptr;
} // namespace

TQtWindows::TQtWindows() {
    wake_.setSingleShot(true);
    // A freed item is a component only by now: it is found by that.
    menuWatch_.OnFree = [this](TComponent* C) {
        for (auto it = menuItems_.begin(); it != menuItems_.end(); ++it)
            if (static_cast<const TComponent*>(it->first) == C) {
                menuItems_.erase(it);
                return;
            }
    };
    previousInput_ = TApplication::InputSource();
    TApplication::SetInputSource(this);
    AddFormObserver(this);
    qApp->installEventFilter(this);
}

TQtWindows::~TQtWindows() {
    qApp->removeEventFilter(this);
    RemoveFormObserver(this);
    if (TApplication::InputSource() == this) TApplication::SetInputSource(previousInput_);
    if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
    std::vector<QPointer<QWidget>> windows;
    for (auto& [control, entry] : entries_)
        if (entry.Kind == TQtWidgetKind::wkForm) windows.push_back(entry.Widget);
    entries_.clear();
    owners_.clear();
    for (QPointer<QWidget>& w : windows) delete w.data();
}

QWidget* TQtWindows::Widget(const TControl* Control) const {
    const auto it = entries_.find(Control);
    return it == entries_.end() ? nullptr : it->second.Widget.data();
}

QAction* TQtWindows::Action(const TMenuItem* Item) const {
    const auto it = menuItems_.find(Item);
    return it == menuItems_.end() ? nullptr : it->second.Action.data();
}

// ---------------------------------------------------------------------------
// Windows and widgets

TQtFormWindow* TQtWindows::Window(const TCustomForm& Form) const { return static_cast<TQtFormWindow*>(Widget(&Form)); }

TQtFormWindow* TQtWindows::EnsureWindow(TCustomForm& Form) {
    if (TQtFormWindow* w = Window(Form)) return w;
    auto* w = new TQtFormWindow;
    entries_[&Form] = TEntry{nextId_++, TQtWidgetKind::wkForm, w};
    owners_[w] = &Form;
    owners_[w->Client()] = &Form;
    w->setWindowTitle(QtText(Form.Caption()));
    SyncLook(TQtWidgetKind::wkForm, Form, *w);
    SyncMenuBar(Form);
    for (int i = 0; i < Form.ControlCount(); ++i) Build(*Form.Controls(i));
    Restack(Form);
    SyncFormWindow(Form);
    return w;
}

QWidget* TQtWindows::Container(const TControl& Parent) const {
    const auto it = entries_.find(&Parent);
    if (it == entries_.end() || !it->second.Widget) return nullptr;
    if (it->second.Kind == TQtWidgetKind::wkForm)
        return static_cast<TQtFormWindow*>(it->second.Widget.data())->Client();
    return it->second.Widget.data();
}

void TQtWindows::Build(TControl& Control) {
    if (entries_.count(&Control) || !Control.Parent()) return;
    QWidget* container = Container(*Control.Parent());
    if (!container) return;
    const TQtWidgetKind kind = WidgetKindOf(Control);
    QWidget* w = MakeControlWidget(kind, Control, container);
    entries_[&Control] = TEntry{nextId_++, kind, w};
    owners_[w] = &Control;
    Connect(kind, Control, w);
    if (kind == TQtWidgetKind::wkListBox || kind == TQtWidgetKind::wkGrid) MarkDirty(Control);
    if (auto* wc = dynamic_cast<TWinControl*>(&Control)) {
        for (int i = 0; i < wc->ControlCount(); ++i) Build(*wc->Controls(i));
        Restack(*wc);
    }
}

void TQtWindows::Forget(TControl& Control) {
    const auto it = entries_.find(&Control);
    if (it == entries_.end()) return;
    if (QWidget* w = it->second.Widget) {
        owners_.erase(w);
        if (it->second.Kind == TQtWidgetKind::wkForm) owners_.erase(static_cast<TQtFormWindow*>(w)->Client());
    }
    entries_.erase(it);
    if (auto* wc = dynamic_cast<TWinControl*>(&Control))
        for (int i = 0; i < wc->ControlCount(); ++i) Forget(*wc->Controls(i));
}

void TQtWindows::Drop(TControl& Control) {
    const auto it = entries_.find(&Control);
    if (it == entries_.end()) return;
    QPointer<QWidget> w = it->second.Widget;
    if (it->second.Kind == TQtWidgetKind::wkForm)
        if (TMainMenu* menu = static_cast<TCustomForm&>(Control).Menu()) {
            ForgetMenu(*menu->Items());
            menuItems_.erase(menu->Items());
        }
    Forget(Control);
    if (rendering_ == &Control) rendering_ = nullptr;
    delete w.data();
}

void TQtWindows::Restack(const TWinControl& Parent) {
    // Controls without a window of their own stand behind the windowed
    // ones; within each, later controls in front.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < Parent.ControlCount(); ++i) {
            TControl* c = Parent.Controls(i);
            const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
            if (windowed != (pass == 1)) continue;
            if (QWidget* w = Widget(c)) w->raise();
        }
}

void TQtWindows::ControlChanged(TControl& Control, TControlChange Change) {
    const auto it = entries_.find(&Control);
    if (it == entries_.end()) {
        if (Change == TControlChange::ccParent && Control.Parent() && Container(*Control.Parent())) {
            Build(Control);
            Restack(*Control.Parent());
        }
        return;
    }
    const TEntry& e = it->second;
    QWidget* w = e.Widget;
    if (!w) return;
    if (e.Kind == TQtWidgetKind::wkForm) {
        SyncForm(static_cast<TCustomForm&>(Control), Change);
        return;
    }
    switch (Change) {
    case TControlChange::ccFocus: {
        SyncWidget(e.Kind, Control, *w, Change);
        if (e.Kind == TQtWidgetKind::wkListBox) MarkDirty(Control); // drawn focused
        // The control that had the focus hides its selection, or is drawn
        // without the focus.
        const TRef before = focused_;
        focused_ = Ref(&Control);
        TControl* old = Resolve(before);
        QWidget* ow = old && old != &Control ? Widget(old) : nullptr;
        if (!ow) return;
        const TQtWidgetKind kind = entries_.at(old).Kind;
        if (kind == TQtWidgetKind::wkEdit || kind == TQtWidgetKind::wkComboBox)
            SyncWidget(kind, *old, *ow, TControlChange::ccText);
        if (kind == TQtWidgetKind::wkListBox) MarkDirty(*old);
        return;
    }
    case TControlChange::ccParent: {
        QWidget* container = Control.Parent() ? Container(*Control.Parent()) : nullptr;
        if (container && w->parentWidget() == container) {
            Restack(*Control.Parent());
            return;
        }
        // Moved to another parent, or out of every one: made anew there.
        Drop(Control);
        if (container) {
            Build(Control);
            Restack(*Control.Parent());
        }
        return;
    }
    case TControlChange::ccRepaint:
        if (rendering_ == &Control) return;
        if (e.Kind == TQtWidgetKind::wkListBox || e.Kind == TQtWidgetKind::wkGrid) MarkDirty(Control);
        w->update();
        return;
    default:
        SyncWidget(e.Kind, Control, *w, Change);
        if ((e.Kind == TQtWidgetKind::wkListBox || e.Kind == TQtWidgetKind::wkGrid) && rendering_ != &Control)
            MarkDirty(Control);
        // A list dropped down shows once the model is done with it (its
        // OnDropDown may still fill it).
        if (e.Kind == TQtWidgetKind::wkComboBox && Change == TControlChange::ccStyle) {
            if (static_cast<TComboBox&>(Control).DroppedDown())
                Later(pendingLists_, Control);
            else
                static_cast<TQtComboBox*>(w)->ShowList(false);
        }
        return;
    }
}

void TQtWindows::SyncForm(TCustomForm& Form, TControlChange Change) {
    TQtFormWindow* w = Window(Form);
    switch (Change) {
    case TControlChange::ccText: w->setWindowTitle(QtText(Form.Caption())); return;
    case TControlChange::ccStyle: SyncMenuBar(Form); [[fallthrough]];
    case TControlChange::ccBounds:
    case TControlChange::ccVisible: SyncFormWindow(Form); return;
    case TControlChange::ccFont:
    case TControlChange::ccColor: SyncLook(TQtWidgetKind::wkForm, Form, *w); return;
    case TControlChange::ccFocus: w->Client()->setFocus(Qt::OtherFocusReason); return;
    case TControlChange::ccCursor:
        if (Form.Cursor() == crDefault)
            w->unsetCursor();
        else
            w->setCursor(QtCursorShape(Form.Cursor()));
        return;
    // Disabled by a modal run, a form stays as it looks: Qt's modality
    // keeps the user out.
    case TControlChange::ccEnabled:
    default: return;
    }
}

void TQtWindows::SyncFormWindow(TCustomForm& Form) {
    TQtFormWindow* w = Window(Form);
    if (!w) return;
    // A form without a size is not shown: a window shrunk to nothing waits
    // there, borderless, until it is given a border and a size.
    const bool want = Form.Visible() && Form.ClientWidth() > 0 && Form.ClientHeight() > 0;
    const Qt::WindowFlags flags = FlagsOf(Form);
    if (flags != w->AppliedFlags) {
        w->AppliedFlags = flags;
        if (w->isVisible()) w->Hidden = true;
        w->setWindowFlags(flags); // hides the window
    }
    const Qt::WindowModality modality = Form.Modal() ? Qt::ApplicationModal : Qt::NonModal;
    if (want && w->windowModality() != modality) {
        if (w->isVisible()) {
            w->hide();
            w->Hidden = true;
        }
        w->setWindowModality(modality);
    }
    // Made normal again, the window leaves its maximized state before it
    // takes the model's bounds; maximized, it takes the window system's.
    const bool maximized = Form.WindowState() == TWindowState::wsMaximized;
    if (w->isMaximized() && !maximized) w->setWindowState(w->windowState() & ~Qt::WindowMaximized);
    const QSize size(Form.ClientWidth(), Form.ClientHeight() + w->MenuHeight());
    w->AppliedPos = QPoint(Form.Left(), Form.Top());
    w->AppliedSize = size;
    if (Sizeable(Form)) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(size);
    } else if (!size.isEmpty()) {
        w->setFixedSize(size);
    }
    w->move(w->AppliedPos);
    w->LayOut();
    if (maximized && !w->isMaximized()) w->setWindowState(w->windowState() | Qt::WindowMaximized);
    if (want && !w->isVisible()) {
        if (Form.WindowState() == TWindowState::wsMinimized)
            w->showMinimized();
        else {
            // A window shown while a modal one is up stands over it, as a
            // long operation's progress window over the dialog that waits
            // for it: the window manager keeps a modal window above the
            // others of its application, but not above its own children.
            if (w->Hidden) AwaitWithdrawn(w);
            w->Hidden = false;
            QWidget* modal = QApplication::activeModalWidget();
            w->winId();
            if (QWindow* handle = w->windowHandle())
                handle->setTransientParent(modal && modal != w && modal->windowHandle() ? modal->windowHandle()
                                                                                        : nullptr);
            w->show();
            PaintShown(w);
        }
        if (Form.Active()) Activate(w);
    } else if (!want && w->isVisible()) {
        w->hide();
        w->Hidden = true;
        // The end of a modal run: shown again, the window is modeless
        // unless the model says otherwise then.
        w->setWindowModality(Qt::NonModal);
    }
}

void TQtWindows::AwaitWindowSystem(const std::function<bool()>& Done) {
    // Only the window system's events are taken here: the model is in the
    // middle of a change, and the user's input waits.
    ++inHandler_;
    const QDeadlineTimer deadline(kExposeWaitMs);
    while (!Done() && !deadline.hasExpired()) {
        QGuiApplication::sync();
        // Looked at again at least every 20 ms: the server tells of a
        // window's state, not of every property the manager sets.
        wake_.start(static_cast<int>(std::max<qint64>(1, std::min<qint64>(20, deadline.remainingTime()))));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
        wake_.stop();
    }
    --inHandler_;
}

void TQtWindows::AwaitWithdrawn(TQtFormWindow* Window) {
    QWindow* handle = Window->windowHandle();
    xcb_connection_t* c = XConnection();
    if (!handle || !c || Offscreen()) return;
    const xcb_atom_t wmState = WmStateAtom(c);
    AwaitWindowSystem([&] { return Withdrawn(*handle, wmState); });
}

void TQtWindows::PaintShown(TQtFormWindow* Window) {
    if (Offscreen()) return;
    // The window system maps the window and tells when it can be drawn
    // on; until then nothing drawn shows.
    if (QWindow* handle = Window->windowHandle())
        AwaitWindowSystem([handle] { return handle->isExposed() && Viewable(*handle); });
    ++inHandler_;
    Window->repaint();
    QGuiApplication::sync();
    --inHandler_;
}

void TQtWindows::Activate(TQtFormWindow* Window) {
    if (!Window->isVisible()) return;
    requestedActive_ = Window;
    // The offscreen platform has no stacking of windows.
    if (!Offscreen()) Window->raise();
    Window->activateWindow();
}

void TQtWindows::FormActivated(TCustomForm& Form) {
    TQtFormWindow* w = Window(Form);
    if (!w) return;
    Activate(w);
    if (QWidget* focused = Widget(Form.FocusedControl()); focused && focused != w)
        focused->setFocus(Qt::OtherFocusReason);
}

void TQtWindows::ScreenCursorChanged(int Cursor) {
    if (Cursor == crDefault) {
        if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
        overrideCursor_ = false;
    } else if (overrideCursor_) {
        QGuiApplication::changeOverrideCursor(QtCursorShape(Cursor));
    } else {
        QGuiApplication::setOverrideCursor(QtCursorShape(Cursor));
        overrideCursor_ = true;
    }
}

void TQtWindows::Connect(TQtWidgetKind Kind, TControl& Control, QWidget* Widget) {
    // Scrolling with the scroll bars and the wheel is Qt's; the model
    // follows, and its own changes come back as they do for code.
    switch (Kind) {
    case TQtWidgetKind::wkListBox: {
        auto* list = static_cast<TQtListBox*>(Widget);
        list->OnScrolled = [this, c = &Control](int Top) {
            Queue(c, [Top](TControl* C) { static_cast<TListBox*>(C)->SetTopIndex(Top); });
        };
        list->OnResized = [this, r = Ref(&Control)] {
            if (TControl* c = Resolve(r)) MarkDirty(*c);
        };
        return;
    }
    // A grid shows the rows it scrolled to once the model has read them.
    case TQtWidgetKind::wkGrid:
        static_cast<TQtGrid*>(Widget)->OnScrolled = [this, c = &Control](int) { MarkDirty(*c); };
        return;
    case TQtWidgetKind::wkMemo: {
        // Only the user's scrolling: Qt also scrolls by itself to keep its
        // caret in view, which is not the model's concern.
        auto* memo = static_cast<QPlainTextEdit*>(Widget);
        QScrollBar* bar = memo->verticalScrollBar();
        QObject::connect(bar, &QScrollBar::actionTriggered, this, [this, c = &Control, memo, bar](int) {
            const int line = memo->document()->findBlockByLineNumber(bar->sliderPosition()).blockNumber();
            Queue(c, [line](TControl* C) {
                auto* m = static_cast<TMemo*>(C);
                m->LineScroll(line - m->FirstVisibleLine());
            });
        });
        return;
    }
    case TQtWidgetKind::wkComboBox: {
        auto* combo = static_cast<TQtComboBox*>(Widget);
        // Qt closes the list itself on a pick, a click outside or Escape;
        // a pick follows at once, and the model opens nothing anew for it.
        auto pickPending = std::make_shared<bool>(false);
        combo->OnClosedByUser = [this, c = &Control, pickPending] {
            Queue(c, [pickPending](TControl* C) {
                if (!*pickPending) static_cast<TComboBox*>(C)->SetDroppedDown(false);
            });
        };
        QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), this,
                         [this, c = &Control, pickPending](int Index) {
                             *pickPending = true;
                             Queue(c, [pickPending, Index](TControl* C) {
                                 *pickPending = false;
                                 if (auto* cb = Reachable<TComboBox>(C)) UserSelect(cb, Index);
                             });
                         });
        return;
    }
    default: return;
    }
}

// ---------------------------------------------------------------------------
// Menus

void TQtWindows::SyncMenuBar(TCustomForm& Form) {
    TQtFormWindow* w = Window(Form);
    if (!w) return;
    TMainMenu* menu = Form.Menu();
    const int before = w->MenuHeight();
    if (!menu) {
        w->RemoveMenuBar();
    } else {
        menuWatch_.FreeNotification(menu->Items());
        QMenuBar* bar = w->MakeMenuBar();
        if (!menuItems_.count(menu->Items())) menuItems_[menu->Items()] = TMenuEntry{nextId_++, nullptr, nullptr};
        FillMenu(*menu->Items(), bar);
    }
    if (w->MenuHeight() != before) {
        w->LayOut();
        SyncFormWindow(Form);
    }
}

void TQtWindows::ShowMenuItem(const TMenuItem& Item, QAction& Action) {
    // A separator is a line only: its caption "-" is no text to show.
    if (Action.isSeparator()) {
        Action.setVisible(Item.Visible());
        return;
    }
    QString text = QtText(Item.Caption());
    // The short cut is shown only: the model takes the keys.
    if (Item.ShortCut() != 0) text += QLatin1Char('\t') + QtText(ShortCutToText(Item.ShortCut()));
    Action.setText(text);
    Action.setEnabled(Item.Enabled());
    Action.setVisible(Item.Visible());
    Action.setCheckable(Item.Checked() || Item.RadioItem);
    Action.setChecked(Item.Checked());
    Action.setStatusTip(QtText(GetLongHint(Item.Hint())));
}

bool TQtWindows::MenuItemLives(const TMenuItem* Item, uint64_t Id) {
    if (!instance) return false;
    const auto it = instance->menuItems_.find(Item);
    return it != instance->menuItems_.end() && it->second.Id == Id;
}

void TQtWindows::ForgetMenu(TMenuItem& Parent) {
    for (int i = 0; i < Parent.Count(); ++i) {
        TMenuItem* item = Parent.Items(i);
        ForgetMenu(*item);
        const auto it = menuItems_.find(item);
        if (it == menuItems_.end()) continue;
        delete it->second.Menu.data();
        menuItems_.erase(it);
    }
}

void TQtWindows::FillMenu(TMenuItem& Parent, QWidget* Target) {
    ForgetMenu(Parent);
    for (QAction* a : Target->actions()) {
        Target->removeAction(a);
        if (a->parent() == Target) delete a;
    }
    for (int i = 0; i < Parent.Count(); ++i) {
        TMenuItem* item = Parent.Items(i);
        TMenuEntry entry{nextId_++, nullptr, nullptr};
        if (item->IsLine()) {
            entry.Action = new QAction(Target);
            entry.Action->setSeparator(true);
        } else if (item->Count() > 0) {
            // Opening the item's menu runs its OnClick, which may set up
            // the items in it.
            auto* menu = new QMenu(Target);
            entry.Menu = menu;
            entry.Action = menu->menuAction();
            connect(menu, &QMenu::aboutToShow, this, [this, item] { MenuOpening(item); });
            // A closed menu leaves no hint of its items.
            connect(menu, &QMenu::aboutToHide, this,
                    [] { Application()->QueueInput([] { UserHover(static_cast<TMenuItem*>(nullptr)); }); });
        } else {
            entry.Action = new QAction(Target);
            const uint64_t id = entry.Id;
            connect(entry.Action, &QAction::triggered, this, [item, id] {
                Application()->QueueInput([item, id] {
                    if (MenuItemLives(item, id) && item->Visible() && item->Enabled()) item->Click();
                });
            });
        }
        // The item under the mouse tells its hint, as a control does.
        if (!item->IsLine()) {
            const uint64_t id = entry.Id;
            connect(entry.Action, &QAction::hovered, this, [item, id] {
                Application()->QueueInput([item, id] {
                    if (MenuItemLives(item, id)) UserHover(item);
                });
            });
        }
        Target->addAction(entry.Action);
        ShowMenuItem(*item, *entry.Action);
        menuItems_[item] = entry;
        menuWatch_.FreeNotification(item);
        if (entry.Menu) FillMenu(*item, entry.Menu);
    }
}

QWidget* TQtWindows::MenuTarget(const TMenuItem& Item) const {
    if (Item.Parent()) {
        const auto it = menuItems_.find(&Item);
        return it == menuItems_.end() ? nullptr : it->second.Menu.data();
    }
    TMenu* menu = Item.Menu();
    auto* form = menu ? dynamic_cast<TCustomForm*>(menu->Owner()) : nullptr;
    TQtFormWindow* w = form ? Window(*form) : nullptr;
    return w && form->Menu() == menu ? w->MenuBar() : nullptr;
}

void TQtWindows::SyncMenuItem(TMenuItem& Item) {
    const auto it = menuItems_.find(&Item);
    if (it == menuItems_.end()) return;
    if (QAction* a = it->second.Action) ShowMenuItem(Item, *a);
    // An item that got its first items, or lost its last, is made anew in
    // its parent's list; otherwise a list whose items changed is.
    if (Item.Parent() && (Item.Count() > 0) != static_cast<bool>(it->second.Menu)) {
        if (QWidget* target = MenuTarget(*Item.Parent())) FillMenu(*Item.Parent(), target);
        return;
    }
    QWidget* target = MenuTarget(Item);
    if (!target) return;
    const QList<QAction*> shown = target->actions();
    bool same = shown.size() == Item.Count();
    for (int i = 0; same && i < Item.Count(); ++i) same = Action(Item.Items(i)) == shown[i];
    if (!same) FillMenu(Item, target);
}

void TQtWindows::MenuKey(TCustomForm& Form, TMenuItem& Item) {
    TQtFormWindow* w = Window(Form);
    QAction* action = Action(&Item);
    if (!w || !w->MenuBar() || !action) return;
    if (action->menu())
        w->MenuBar()->setActiveAction(action); // its OnClick runs as it opens
    else
        action->trigger();
}

void TQtWindows::MenuOpening(TMenuItem* Item) {
    // The one place where model code runs inside a Qt handler.
    ++inHandler_;
    try {
        Item->Click();
    } catch (...) {
        try {
            Application()->HandleException(Item);
        } catch (...) {}
    }
    --inHandler_;
}

// ---------------------------------------------------------------------------
// Owner-drawn lists

void TQtWindows::Later(std::vector<TRef>& List, TControl& Control) {
    const TRef r = Ref(&Control);
    for (const TRef& d : List)
        if (d.Ptr == r.Ptr && d.Id == r.Id) return;
    List.push_back(r);
}

void TQtWindows::RenderPending() {
    std::vector<TRef> dirty;
    dirty.swap(dirty_);
    for (const TRef& r : dirty) {
        if (auto* grid = dynamic_cast<TCustomGrid*>(Resolve(r))) {
            if (auto* w = dynamic_cast<TQtGrid*>(Widget(grid))) {
                // Reading a dataset's rows tells the grid that its data
                // changed: that is no reason to read them again.
                rendering_ = grid;
                try {
                    ReadGrid(*grid, *w);
                } catch (...) {
                    try {
                        Application()->HandleException(grid);
                    } catch (...) {}
                }
                rendering_ = nullptr;
            }
            continue;
        }
        auto* list = dynamic_cast<TListBox*>(Resolve(r));
        auto* w = list ? dynamic_cast<TQtListBox*>(Widget(list)) : nullptr;
        if (w && w->OwnerDrawn) Render(*list, *w);
    }
    std::vector<TRef> lists;
    lists.swap(pendingLists_);
    for (const TRef& r : lists) {
        auto* combo = dynamic_cast<TComboBox*>(Resolve(r));
        auto* w = combo ? dynamic_cast<TQtComboBox*>(Widget(combo)) : nullptr;
        if (w) w->ShowList(combo->DroppedDown() && w->isVisible());
    }
}

void TQtWindows::Render(TListBox& List, TQtListBox& Widget) {
    // The model paints its items (OnDrawItem) on a canvas over a picture,
    // here in the model's loop; the widget then shows the picture.
    QImage image(Widget.viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Widget.palette().color(QPalette::Base));
    {
        QPainter painter(&image);
        TQtScreenDevice device(&painter);
        rendering_ = &List;
        List.Canvas().SetDevice(&device);
        try {
            List.Repaint();
        } catch (...) {
            try {
                Application()->HandleException(&List);
            } catch (...) {}
        }
        List.Canvas().SetDevice(nullptr);
        rendering_ = nullptr;
    }
    Widget.Rendered = image;
    Widget.viewport()->update();
}

// ---------------------------------------------------------------------------
// The loop

bool TQtWindows::AnyWindowShown() const {
    for (const auto& [control, entry] : entries_)
        if (entry.Kind == TQtWidgetKind::wkForm && entry.Widget && entry.Widget->isVisible()) return true;
    // A Qt dialog the model waits for (qt_dialogs.cpp) is a window too.
    return QApplication::activeModalWidget() != nullptr;
}

bool TQtWindows::WaitForInput(TCustomForm* Waiting, int64_t TimeoutMs) {
    if (inHandler_ > 0) return false;
    RenderPending();
    // Nobody can act on a window that is not shown.
    if (TimeoutMs < 0) {
        QWidget* w = Waiting ? Widget(Waiting) : nullptr;
        if (Waiting ? !(w && w->isVisible()) : !AnyWindowShown()) return false;
    }
    const QDeadlineTimer deadline =
        TimeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(static_cast<qint64>(TimeoutMs));
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (Application()->PendingMessages() > 0 || Application()->Terminated() || deadline.hasExpired()) return true;
        if (!deadline.isForever()) wake_.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        wake_.stop();
        RenderPending();
    }
}

void TQtWindows::PollInput() {
    if (inHandler_ > 0) return;
    RenderPending();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A long operation lets the events in only now and then: what they
    // painted goes to the screen before it works on.
    if (!Offscreen()) QGuiApplication::sync();
}

// ---------------------------------------------------------------------------
// Input

TQtWindows::TRef TQtWindows::Ref(const TControl* Control) const {
    const auto it = entries_.find(Control);
    return it == entries_.end() ? TRef{} : TRef{Control, it->second.Id};
}

TControl* TQtWindows::Resolve(const TRef& R) const {
    const auto it = entries_.find(R.Ptr);
    return it != entries_.end() && it->second.Id == R.Id ? const_cast<TControl*>(R.Ptr) : nullptr;
}

void TQtWindows::Queue(const TControl* Control, std::function<void(TControl*)> Action) {
    const TRef r = Ref(Control);
    if (!r.Ptr) return;
    Application()->QueueInput([r, Action = std::move(Action)] {
        if (!instance) return;
        if (TControl* c = instance->Resolve(r)) Action(c);
    });
}

TCustomForm* TQtWindows::FormOfWindow(QWidget* Widget) const {
    const auto it = owners_.find(Widget->window());
    return it == owners_.end() ? nullptr : dynamic_cast<TCustomForm*>(it->second);
}

TControl* TQtWindows::ControlUnder(QWidget* Widget, QWidget** ControlWidget) const {
    for (QWidget* x = Widget; x; x = x->parentWidget()) {
        // Scroll bars and menus work as Qt makes them work.
        if (qobject_cast<QScrollBar*>(x) || qobject_cast<QMenuBar*>(x)) return nullptr;
        const auto it = owners_.find(x);
        if (it != owners_.end()) {
            // The client area of a form counts as the form.
            *ControlWidget = it->second && dynamic_cast<TCustomForm*>(it->second) ? x->window() : x;
            return it->second;
        }
        if (x->isWindow()) return nullptr;
    }
    return nullptr;
}

bool TQtWindows::eventFilter(QObject* Object, QEvent* Event) {
    if (!Object->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(Object);
    switch (Event->type()) {
    case QEvent::ShortcutOverride:
        // No Qt short cut or mnemonic fires: the key comes as a key press.
        if (!FormOfWindow(w)) return false;
        Event->accept();
        return true;
    case QEvent::KeyPress: {
        TCustomForm* form = FormOfWindow(w);
        if (!form) return false;
        const TQtKeystroke k = KeystrokeOfQt(static_cast<QKeyEvent&>(*Event));
        if (k.Empty()) return true;
        // The keys go where the model has its focus: its active form (an
        // invisible progress window takes Escape too), else this window's.
        Queue(form, [k](TControl* C) {
            TCustomForm* target = Screen()->ActiveForm();
            if (!target || !CanUserReach(target)) target = static_cast<TCustomForm*>(C);
            if (CanUserReach(target)) UserKeystroke(target, k.Key, k.Shift, k.Chars);
        });
        return true;
    }
    case QEvent::KeyRelease: return FormOfWindow(w) != nullptr;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return Mouse(w, static_cast<QMouseEvent&>(*Event));
    case QEvent::Wheel: {
        QWidget* cw = nullptr;
        TControl* c = ControlUnder(w, &cw);
        if (!c) return false;
        // Lists, grids and memos scroll; nothing else changes under the wheel.
        const TQtWidgetKind kind = entries_.at(c).Kind;
        return kind != TQtWidgetKind::wkListBox && kind != TQtWidgetKind::wkMemo && kind != TQtWidgetKind::wkGrid;
    }
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod: return FormOfWindow(w) != nullptr;
    case QEvent::ToolTip: {
        QWidget* cw = nullptr;
        TControl* c = ControlUnder(w, &cw);
        if (!c || (Application()->ShowHint && c->ShowHint() && !c->Hint().empty())) return false;
        QToolTip::hideText();
        return true;
    }
    case QEvent::Enter: {
        const auto it = owners_.find(w);
        if (it != owners_.end() && w->isEnabled()) Queue(it->second, [](TControl* C) { UserHover(C); });
        return false;
    }
    case QEvent::Show: {
        const auto it = owners_.find(w);
        if (it == owners_.end()) return false;
        const TQtWidgetKind kind = entries_.at(it->second).Kind;
        // A memo shown for the first time scrolls to its caret; the model's
        // first line is put back once it has.
        if (kind == TQtWidgetKind::wkMemo)
            QTimer::singleShot(0, w, [this, r = Ref(it->second), w] {
                if (TControl* c = Resolve(r)) SyncWidget(TQtWidgetKind::wkMemo, *c, *w, TControlChange::ccScroll);
            });
        // The model paints a list only while it shows (a page of a notebook
        // brought to the front shows its lists again).
        if (kind == TQtWidgetKind::wkListBox) MarkDirty(*it->second);
        return false;
    }
    case QEvent::Close:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate: return WindowEvent(w, *Event);
    default: return false;
    }
}

bool TQtWindows::WindowEvent(QWidget* Widget, QEvent& Event) {
    if (!Widget->isWindow()) return false;
    const auto it = owners_.find(Widget);
    auto* form = it == owners_.end() ? nullptr : dynamic_cast<TCustomForm*>(it->second);
    if (!form) return false;
    auto* w = static_cast<TQtFormWindow*>(Widget);
    switch (Event.type()) {
    case QEvent::Close:
        // The close button (or anything that closes the window) asks the
        // model, which may refuse.
        Event.ignore();
        Queue(form, [](TControl* C) {
            if (auto* f = Reachable<TCustomForm>(C)) UserClose(f);
        });
        return true;
    case QEvent::Move:
        if (Event.spontaneous() && w->isVisible() && w->pos() != w->AppliedPos) {
            const QPoint pos = w->pos();
            w->AppliedPos = pos;
            Queue(form, [pos](TControl* C) { C->SetBounds(pos.x(), pos.y(), C->Width(), C->Height()); });
        }
        return false;
    case QEvent::Resize:
        if (Event.spontaneous() && w->isVisible() && w->size() != w->AppliedSize) {
            const QSize size = w->size();
            const int menu = w->MenuHeight();
            w->AppliedSize = size;
            Queue(form, [size, menu](TControl* C) {
                auto* f = Reachable<TCustomForm>(C);
                if (!f) return;
                UserResize(f, size.width() + f->Width() - f->ClientWidth(),
                           size.height() - menu + f->Height() - f->ClientHeight());
            });
        }
        return false;
    case QEvent::WindowActivate:
        if (requestedActive_ == Widget) {
            requestedActive_ = nullptr;
            return false;
        }
        // The user brought the window to the front.
        Queue(form, [](TControl* C) {
            auto* f = Reachable<TCustomForm>(C);
            if (f && !f->Active()) UserFocus(f);
        });
        return false;
    default: return false;
    }
}

bool TQtWindows::Mouse(QWidget* Widget, QMouseEvent& Event) {
    QWidget* cw = nullptr;
    TControl* c = ControlUnder(Widget, &cw);
    if (!c) return false;
    if (Event.type() == QEvent::MouseMove || Event.button() != Qt::LeftButton) return true;
    const TEntry& entry = entries_.at(c);
    const QPoint pos = Widget->mapTo(cw, Event.position().toPoint());
    switch (Event.type()) {
    case QEvent::MouseButtonPress:
        pressed_ = Ref(c);
        pressPos_ = pos;
        Pressed(*c, entry, Widget, pos);
        return true;
    case QEvent::MouseButtonRelease: {
        const TRef pressed = pressed_;
        pressed_ = TRef{};
        if (pressed.Ptr == c && cw->rect().contains(pos)) Released(*c, entry, pos);
        return true;
    }
    case QEvent::MouseButtonDblClick: DoubleClicked(*c, entry); return true;
    default: return true;
    }
}

void TQtWindows::Pressed(TControl& Control, const TEntry& Entry, QWidget* Receiver, QPoint Pos) {
    switch (Entry.Kind) {
    case TQtWidgetKind::wkListBox: {
        auto* w = static_cast<TQtListBox*>(Entry.Widget.data());
        const int item = w->ItemAt(w->viewport()->mapFrom(w, Pos));
        Queue(&Control, [item](TControl* C) {
            auto* list = Reachable<TListBox>(C);
            if (list && item >= 0)
                UserSelectItem(list, item);
            else if (list)
                UserFocus(list);
        });
        return;
    }
    case TQtWidgetKind::wkTabControl: {
        QTabBar* bar = static_cast<TQtTabControl*>(Entry.Widget.data())->Bar();
        if (Receiver != bar) return;
        const int tab = bar->tabAt(bar->mapFrom(Entry.Widget, Pos));
        if (tab < 0) return;
        Queue(&Control, [tab](TControl* C) {
            if (auto* tabs = Reachable<TTabControl>(C)) UserSelectTab(tabs, tab);
        });
        return;
    }
    case TQtWidgetKind::wkComboBox:
        Queue(&Control, [](TControl* C) {
            auto* combo = Reachable<TComboBox>(C);
            if (!combo) return;
            UserFocus(combo);
            if (combo->Focused()) combo->SetDroppedDown(!combo->DroppedDown());
        });
        return;
    default: return;
    }
}

void TQtWindows::Released(TControl& Control, const TEntry& Entry, QPoint Pos) {
    switch (Entry.Kind) {
    case TQtWidgetKind::wkListBox:
    case TQtWidgetKind::wkTabControl:
    case TQtWidgetKind::wkComboBox: return; // on the press
    case TQtWidgetKind::wkEdit: {
        // The caret goes where the mouse went down, the selection to where
        // it came up.
        auto* w = static_cast<QLineEdit*>(Entry.Widget.data());
        const int from = ByteOffset(w->text(), w->cursorPositionAt(pressPos_));
        const int to = ByteOffset(w->text(), w->cursorPositionAt(Pos));
        Queue(&Control, [from, to](TControl* C) {
            auto* edit = Reachable<TCustomEdit>(C);
            if (!edit) return;
            UserClick(edit);
            if (!edit->Focused()) return;
            edit->SetSelStart(std::min(from, to));
            edit->SetSelLength(std::abs(to - from));
        });
        return;
    }
    case TQtWidgetKind::wkMemo: {
        auto* w = static_cast<QPlainTextEdit*>(Entry.Widget.data());
        // A place in a memo as its line and the bytes before it in the line.
        auto at = [w](QPoint P) {
            const QTextCursor cursor = w->cursorForPosition(w->viewport()->mapFrom(w, P));
            const QTextBlock block = cursor.block();
            return std::pair<int, int>(block.blockNumber(),
                                       ByteOffset(block.text(), cursor.position() - block.position()));
        };
        const auto from = at(pressPos_);
        const auto to = at(Pos);
        Queue(&Control, [from, to](TControl* C) {
            auto* memo = Reachable<TMemo>(C);
            if (!memo) return;
            UserClick(memo);
            if (!memo->Focused()) return;
            const int a = std::max(0, memo->LineIndex(from.first)) + from.second;
            const int b = std::max(0, memo->LineIndex(to.first)) + to.second;
            memo->SetSelStart(std::min(a, b));
            memo->SetSelLength(std::abs(b - a));
        });
        return;
    }
    default:
        Queue(&Control, [](TControl* C) {
            if (CanUserReach(C)) UserClick(C);
        });
        return;
    }
}

void TQtWindows::DoubleClicked(TControl& Control, const TEntry& Entry) {
    switch (Entry.Kind) {
    // Buttons take the second click of a double click as a click.
    case TQtWidgetKind::wkButton:
    case TQtWidgetKind::wkCheckBox:
    case TQtWidgetKind::wkRadioButton:
    case TQtWidgetKind::wkSpeedButton: pressed_ = Ref(&Control); return;
    default:
        Queue(&Control, [](TControl* C) {
            if (CanUserReach(C)) C->DblClick();
        });
        return;
    }
}

// ---------------------------------------------------------------------------

void UseQtWindows() {
    if (instance) return;
    EnsureQtApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        Screen()->SetSize(screen->geometry().width(), screen->geometry().height());
    instance = new TQtWindows;
    // Forms fit their text in the fonts the windows show it in.
    static TQtScreenDevice screenDevice;
    SetScreenDevice(&screenDevice);
    InstallQtServices();
    // A form's image is its client area as the window shows it, without
    // the menu bar, with what waits to be shown brought up to date.
    SetFormImageSource([](TCustomForm& Form, TWindowImage& Image) {
        auto* window = static_cast<TQtFormWindow*>(QtWidget(&Form));
        if (!window) return;
        ProcessQtEvents();
        Image.Native = window->Client();
    });
    for (int i = 0; i < Screen()->FormCount(); ++i) instance->FormCreated(*Screen()->Forms(i));
}

void StopQtWindows() {
    if (!instance) return;
    SetFormImageSource(nullptr);
    SetScreenDevice(nullptr);
    RemoveQtServices();
    TQtWindows* w = instance;
    instance = nullptr;
    delete w;
}

bool QtWindowsInstalled() { return instance != nullptr; }

bool QtWindowsBusy() { return instance && instance->Busy(); }

QWidget* QtWidget(const TControl* Control) { return instance ? instance->Widget(Control) : nullptr; }

QAction* QtAction(const TMenuItem* Item) { return instance ? instance->Action(Item) : nullptr; }

void ProcessQtEvents() {
    if (instance) instance->PollInput();
}

bool SaveWindowPicture(const TCustomForm* Form, const std::string& FileName) {
    QWidget* w = QtWidget(Form);
    if (!w || !w->isVisible()) return false;
    ProcessQtEvents(); // what waits to be painted
    QPixmap picture;
    if (QScreen* screen = w->screen(); screen && !Offscreen()) {
        const QRect frame = w->frameGeometry();
        picture = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    if (picture.isNull()) picture = w->grab();
    return picture.save(QString::fromStdString(FileName), "PNG");
}

} // namespace trx
