// Forms: TCustomForm and TForm.
//
// A form is created through Application()->CreateForm or NewForm, which run
// OnCreate once the form's class is complete, and freed through Free (or by
// its owner), which runs OnDestroy while it still is. ShowModal runs a
// nested message loop until ModalResult is set; messages posted to a form
// reach its Dispatch from the running loop.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/control.h"

namespace trx {

class TMainMenu;

enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TPosition : uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum class TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TEnumSet<TBorderIcon>;

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A window message.
struct TMessage {
    uint32_t Msg = 0;
    uint64_t WParam = 0;
    int64_t LParam = 0;
    int64_t Result = 0;
};
using TMessageHandler = std::function<void(TMessage& Message)>;

constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_USER = 0x0400;
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_RELEASE = CM_BASE + 33;

// Sizes of the window frame, caption and menu bar that the headless model
// gives a form: a sizeable border is 4 pixels wide, a fixed one 3, the
// caption 19 pixels high (15 for a tool window) and a menu bar 20.
constexpr int FormSizeableFrame = 4;
constexpr int FormFixedFrame = 3;
constexpr int FormCaptionHeight = 19;
constexpr int FormToolCaptionHeight = 15;
constexpr int FormMenuHeight = 20;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Runs OnCreate (once); Application()->CreateForm and NewForm call it.
    void AfterConstruction();
    // Runs OnDestroy (once) while the form is still whole, and does the same
    // for the forms it owns; Free and the owners that free forms call it.
    void BeforeDestruction();
    // BeforeDestruction, then delete.
    void Free();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // Keeps the outer bounds; the client area follows the new frame.
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons =
        TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TWindowState WindowState() const { return windowState_; }
    // Maximized takes the whole screen; Normal returns to the bounds before.
    void SetWindowState(TWindowState Value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TFormStyle FormStyle = TFormStyle::fsNormal;
    // The form sees keys before its focused control.
    bool KeyPreview = false;
    TPrintScale PrintScale = TPrintScale::poProportional;

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);

    int ClientWidth() const override;
    int ClientHeight() const override;

    // The control that has, or gets when the form is active, the focus.
    // Raises EInvalidOperation for a control of another form or one that
    // cannot take the focus (while loading any control of the form is taken).
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* Control);
    // The control inside the form that has the focus, or the form itself.
    TWinControl* FocusedControl() const { return focused_; }
    bool Active() const { return active_; }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    // True between the start and the end of ShowModal.
    bool Modal() const { return modal_; }

    // The form's canvas: its font follows the form's font until set directly.
    TCanvas& Canvas() { return canvas_; }

    // Visible: on every show OnShow fires, then the form becomes the active form.
    void SetVisible(bool Value) override;
    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally and runs the application's messages until
    // ModalResult is set (and OnCloseQuery lets it close) or the application
    // terminates. The windows that were visible and enabled are disabled for
    // the run and exactly those enabled again. ModalResult is reset to 0
    // after OnShow. Raises EInvalidOperation for a visible or disabled form.
    TModalResult ShowModal();
    // A modal form: ModalResult := mrCancel. Otherwise OnCloseQuery, then
    // OnClose with the action caHide, then the action: hide, free (Release),
    // minimize or nothing; closing the main form terminates the application.
    void Close();
    bool CloseQuery();
    // Frees the form from the message loop once the current handler returns.
    void Release();

    bool CanFocus() const override;
    // Activates the form; raises EInvalidOperation when it is hidden or disabled.
    void SetFocus() override;
    // Makes Control the active control and, when the form is active, moves
    // the focus to it (OnExit, OnEnter).
    void FocusControl(TWinControl* Control);

    // A menu short cut of the form's main menu: the menu's parent items get
    // their OnClick first, then the item's OnClick when it is enabled.
    bool IsShortCut(uint16_t Key, TShiftState Shift);

    // Prints an image of the form's client area on the printer, scaled by
    // PrintScale, as one document of one page.
    void Print();
    // Describes the form's client area as a window image to print; the
    // form image source, when set, adds the rendered contents.
    TWindowImage WindowImage();

    // Handles a message sent or posted to the form: the built-in ones
    // (WM_CLOSE closes, CM_RELEASE frees), then a handler set for it.
    virtual void Dispatch(TMessage& Message);
    void SetMessageHandler(uint32_t Msg, TMessageHandler Handler);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;

    // A number unique to this form for the life of the process.
    uint64_t FormId() const { return formId_; }

    // Sets each field of the form's class declared with TRX_FIELD to the
    // component of its name; BuildForm does once the layout's components
    // exist. Raises EComponentError for a field without a component of its
    // name or with one of another class.
    void BindFields();

protected:
    // Keeps a field of TRX_FIELD for BindFields; the field starts as nullptr.
    template <class T>
    T* DeclareField(const char* Name, T** Field) {
        if (fields_.empty()) fields_.reserve(32); // one allocation for most forms
        fields_.push_back({Name, Field, [](void* F, TComponent* C) {
                               T* t = dynamic_cast<T*>(C);
                               if (t) *static_cast<T**>(F) = t;
                               return t != nullptr;
                           }});
        return nullptr;
    }

    void FontChanged() override;
    void VisibleChanged() override;
    void Paint() override;
    // Processes a key the focused control does not take: Tab and the arrows
    // move the focus, Enter clicks the default button, Escape the cancel
    // button, Alt with a caption's accelerator acts on its control (below).
    // True when the key was used.
    virtual bool DialogKey(uint16_t Key, TShiftState Shift);
    // Alt with the accelerator of a caption, the first in creation order of
    // a control that is showing and enabled: a label focuses its
    // FocusControl, a button or speed button is clicked, a check box or
    // radio button is focused and clicked, a group box focuses its first
    // control. Else an item of the menu bar opens its menu (a backend's).
    bool Accelerator(uint16_t Key);
    virtual void DoClose(TCloseAction& Action);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TWinControl;
    friend class TApplication;
    friend class TScreen;
    friend struct TUserInput;

    void SetFocusedControl(TWinControl* Control);
    void DefocusControl(TWinControl* Control, bool Removing);
    void Activate();
    void Deactivate();
    void CloseModal();
    void ApplyPosition();
    int FrameWidth() const;
    int CaptionHeight() const;
    int MenuBarHeight() const;

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TWindowState windowState_ = TWindowState::wsNormal;
    TRect normalBounds_;
    TPosition position_ = TPosition::poDesigned;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focused_ = nullptr;
    bool active_ = false;
    bool modal_ = false;
    bool modalRunning_ = false;
    bool releasePending_ = false;
    TModalResult modalResult_ = mrNone;
    bool created_ = false;
    bool destroyed_ = false;
    uint64_t formId_;
    std::map<uint32_t, TMessageHandler> handlers_;
    struct TField {
        const char* Name;
        void* Field;
        // Sets the field to the component when it is of the field's class.
        bool (*Set)(void* Field, TComponent* Component);
    };
    std::vector<TField> fields_;
};

// A field of a form's class that holds the component of the same name in
// the form's layout (form_layout.h): TRX_FIELD(TEdit, edPassword) declares
// TEdit* edPassword, which BuildForm sets once it has made the form's
// components, as the framework sets a form's published fields when it
// loads the form. The field's class must be complete where the form's
// class is defined.
#define TRX_FIELD(Type, Name) Type* Name = DeclareField<Type>(#Name, &Name)

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// Creates a form of class T owned by Owner and runs its OnCreate. When
// OnCreate raises, the form is freed and the exception passes on.
template <class T, class... Args>
T* NewForm(TComponent* Owner, Args&&... args) {
    std::unique_ptr<T> form(new T(Owner, std::forward<Args>(args)...));
    form->AfterConstruction();
    return form.release();
}

// Frees a form through Free (so that OnDestroy runs) and sets the pointer to nullptr.
template <class T>
void FreeAndNil(T*& Form) {
    T* f = Form;
    Form = nullptr;
    if (f) f->Free();
}

// A backend that shows real windows fills in a form's rendered contents
// (TWindowImage Image or Native) for printing; nullptr removes it.
using TFormImageSource = std::function<void(TCustomForm& Form, TWindowImage& Image)>;
void SetFormImageSource(TFormImageSource Source);

// Sends a message to a form at once (its Dispatch); returns the result.
int64_t SendMessage(TCustomForm* Form, uint32_t Msg, uint64_t WParam = 0, int64_t LParam = 0);

} // namespace trx
