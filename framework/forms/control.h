// Controls: TControl (a rectangle with a parent, text, font, colour and
// visibility), TWinControl (a control that holds other controls, takes the
// focus and the keyboard) and the bases of drawn controls.
//
// Setting a property in code and a user acting on a control are different
// events, as on the platform: the setters here fire what the framework fires
// for code; what a user's click or keystroke fires is in user_input.h.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/stringlist.h"
#include "framework/core/types.h"
#include "framework/forms/form_observer.h"
#include "framework/forms/keys.h"
#include "framework/printing/graphics.h"

namespace trx {

class TWinControl;
class TCustomForm;

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Mouse cursors.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Modal results of forms, buttons and message dialogs.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The form the control stands on (the root of its parent chain when that
// is a form), or nullptr.
TCustomForm* GetParentForm(const TControl* Control);

// The caption marks the character of Key (a letter or digit, either case)
// as its accelerator: '&' before it ("&&" is a plain '&').
bool IsAccel(uint16_t Key, const std::string& Caption);

// Hints are written "short|long"; a hint without a bar is both.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// Layout reflection, shared by controls and the non-visual components of a
// form: SetProperty sets a property from its written value, BindEvent binds
// a handler (a std::function of the event's exact type) to an event. Both
// answer false for a name the class does not know.
class TPropertyAccess {
public:
    virtual ~TPropertyAccess() = default;
    virtual bool SetProperty(const std::string& Name, const std::string& Value) = 0;
    virtual bool BindEvent(const std::string& Event, const std::any& Handler) = 0;

protected:
    // Binds Handler to Event; raises EComponentError when its type differs.
    template <class E>
    static bool Bind(E& Event, const std::any& Handler, const std::string& EventName) {
        if (const E* h = std::any_cast<E>(&Handler)) {
            Event = *h;
            return true;
        }
        BindError(EventName);
    }
    [[noreturn]] static void BindError(const std::string& EventName);
};

class TControl : public TComponent, public TPropertyAccess {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    // Moves the control into AParent's child list (nullptr: out of any).
    void SetParent(TWinControl* AParent);

    // Bounds in the parent's client coordinates; for a form, on the screen.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The area inside borders, scroll bars and (for forms) caption and menu.
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    void SetClientWidth(int Value) { SetWidth(Value + width_ - ClientWidth()); }
    void SetClientHeight(int Value) { SetHeight(Value + height_ - ClientHeight()); }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool Value);
    void Show();
    void Hide() { SetVisible(false); }
    // The control and every parent up to its form (the form included) are visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);

    // Caption and Text are one value, as in the framework.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    // Only a different value is taken; the control's change event follows.
    void SetText(const std::string& Value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& Value);
    // ShowHint follows the parent's while ParentShowHint is set.
    bool ShowHint() const;
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool Value) { parentShowHint_ = Value; }

    // Color follows the parent's while ParentColor is set.
    TColor Color() const;
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);

    // The font; a change made through it clears ParentFont. While ParentFont
    // is set the control takes its parent's font whenever that changes.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& Value) { font_.Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);

    // Fires OnClick, whether or not the control is enabled.
    virtual void Click();
    virtual void DblClick();

    // Invalidate asks for a repaint; Update paints what was asked for now;
    // Repaint and Refresh do both. Headless, painting runs the control's
    // owner-draw events (list boxes) and otherwise tells the observers.
    void Invalidate();
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // Moves the control to the end (front) or start (back) of its parent's list.
    void BringToFront();
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    // The list that a layout's items fill (items, lines, tabs or pages), or nullptr.
    virtual TStrings* LayoutItems() { return nullptr; }
    // Ends loading: fits the size to the contents.
    void Loaded() override;

protected:
    virtual std::string GetText() const { return text_; }
    // Stores a new, different text; derived classes fire their change events.
    virtual void SetTextValue(const std::string& Value);
    // Size changes fire OnResize; both tell the observers.
    virtual void BoundsChanged(bool Moved, bool Sized);
    virtual void Resize();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ParentFontChanged(const TFont& ParentFont);
    virtual void Paint() {}
    // Fits the bounds to the contents (auto-sized labels).
    virtual void AdjustSize() {}
    // What a user's click or double click does once the control has the focus.
    virtual void MouseClick() { Click(); }
    virtual void MouseDblClick() { DblClick(); }

    void Changed(TControlChange Change);
    // Bounds set by the parent's alignment; requests no alignment again.
    void SetBoundsInternal(int ALeft, int ATop, int AWidth, int AHeight);
    void RequestAlign();
    bool IsLoading() const { return HasState(csLoading); }

    std::string text_;
    TColor color_ = clBtnFace;

private:
    friend class TWinControl;
    friend class TCustomForm;
    friend struct TUserInput;

    void FontOnChange();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool assigningParentFont_ = false;
    TCursor cursor_ = crDefault;
    bool invalid_ = false;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    // Frees the child controls, whoever owns them.
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int Index) const;
    // True for the control itself and every control inside it.
    bool ContainsControl(const TControl* Control) const;
    // A direct child by name (case-insensitive), or nullptr.
    TControl* FindChildControl(const std::string& ControlName) const;

    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value) { tabStop_ = Value; }
    // The control has a form, and it and every parent up to the form (the
    // form included) are visible and enabled.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
    // when the control cannot take the focus. Inside its form the focus then
    // leaves the old control (OnExit up to the common parent) and enters the
    // new one (OnEnter down from there); an inactive form becomes active.
    virtual void SetFocus();
    // Focuses the next (or previous) control in tab order after CurControl.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    // Every control inside, in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // Makes AControl, which stands inside this control, visible (a notebook
    // turns to its page).
    virtual void ShowControl(TControl* AControl);

    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();

    int HelpContext = 0;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    // Ends loading: aligns the children.
    void Loaded() override;

protected:
    // The area left to aligned children (the client area less borders).
    virtual TRect AlignRect() const { return ClientRect(); }
    virtual void AlignControls();
    // The control takes this key itself instead of leaving it to the form's
    // dialog keys (Tab, arrows, Enter, Escape).
    virtual bool WantsKey(uint16_t Key, TShiftState Shift) const;
    // Fire the keyboard events.
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // The control's own reaction to a key or a typed character that its
    // handlers left alone (caret moves, typing, list moves).
    virtual void DefaultKeyDown(uint16_t /*Key*/, TShiftState /*Shift*/) {}
    virtual void DefaultChar(char /*Key*/) {}
    // A user's click moves the focus here first.
    virtual bool FocusOnClick() const { return true; }
    virtual void DoEnter();
    virtual void DoExit();

    void BoundsChanged(bool Moved, bool Sized) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;

    // Takes the focus away from the control (or what it holds) when it is
    // hidden, disabled or freed.
    void RemoveFocus(bool Removing);

private:
    friend class TControl;
    friend class TCustomForm;
    friend struct TUserInput;

    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
};

// A control without a window of its own: it never takes the focus.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    TCanvas& Canvas() { return canvas_; }

protected:
    TCanvas canvas_;
};

// A windowed control that draws itself on its canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas& Canvas() { return canvas_; }

protected:
    TCanvas canvas_;
};

} // namespace trx
