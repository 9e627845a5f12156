// The standard controls: labels, group boxes, buttons, check boxes, radio
// buttons, edits, memos, combo boxes and list boxes.
//
// What code does and what a user does fire different events, as on the
// platform:
//  - TEdit: setting Text in code fires OnChange and clears Modified; typing
//    sets Modified, then fires OnChange.
//  - TCheckBox: setting Checked in code fires OnClick when the state changes.
//  - TRadioButton: checking one unchecks its sibling radio buttons (without
//    their OnClick) and fires its own OnClick.
//  - TComboBox: setting ItemIndex or Text in code fires nothing; a user's pick
//    fires OnClick, then OnChange; Items.Clear keeps the text of an editable
//    combo box.
//  - TListBox: setting ItemIndex fires nothing; a user's click fires OnClick.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/control.h"

namespace trx {

// ---------------------------------------------------------------------------
// A string list held by a control, which tells the control of each change.
enum class TItemsChange : uint8_t { icInsert, icDelete, icClear, icPut, icUpdated };

class TItemStrings : public TStrings {
public:
    using TNotify = std::function<void(TItemsChange Change, int Index)>;
    explicit TItemStrings(TNotify Notify) : notify_(std::move(Notify)) {}

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* Obj) override;
    void Insert(int Index, const std::string& S) override;
    // Adds at the end, or at its sorted place (case-insensitive) while Sorted.
    int Add(const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // Sorts the items (case-insensitive, stable).
    void Sort();

    bool Sorted = false;

protected:
    void SetUpdateState(bool Updating) override;

private:
    void Notify(TItemsChange Change, int Index) {
        if (notify_) notify_(Change, Index);
    }
    std::vector<std::pair<std::string, TObject*>> items_;
    TNotify notify_;
};

// The text, caret and selection of a one-line edit field.
struct TEditBuffer {
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
    // Counts the changes of Text, so that what is derived from it (a
    // memo's line starts) is worked out again only after a change.
    uint64_t Revision = 0;

    void ClampSelection();
    void SelectAll();
    std::string SelText() const;
    // Replaces the selection; the caret stands after the new text.
    void ReplaceSelection(const std::string& S);
};

// ---------------------------------------------------------------------------
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    // With AutoSize the label fits its text (its height only, with WordWrap).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    TTextLayout Layout = TTextLayout::tlTop;
    bool ShowAccelChar = true;
    bool Transparent = false;
    // The control that an accelerator key of the caption focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    void AdjustSize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TWinControl* focusControl_ = nullptr;
};

class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    TRect AlignRect() const override;
    bool FocusOnClick() const override { return false; }
};

// ---------------------------------------------------------------------------
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    // Enter clicks the default button, Escape the cancel button.
    bool Default = false;
    bool Cancel = false;
    // Given to the form's ModalResult when the button is clicked.
    TModalResult ModalResult = mrNone;

    // Sets the form's ModalResult to the button's, then fires OnClick.
    void Click() override;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    void DefaultChar(char Key) override;
};

enum class TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    // Fires OnClick when the state changes.
    void SetChecked(bool Value) { SetState(Value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed = false;
    TAlignment Alignment = TAlignment::taRightJustify;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    // A user's click toggles: unchecked, checked, (greyed,) unchecked.
    void MouseClick() override;
    void DefaultChar(char Key) override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return checked_; }
    // Checking unchecks the sibling radio buttons (no OnClick for them) and
    // fires OnClick; unchecking fires nothing.
    void SetChecked(bool Value);
    TAlignment Alignment = TAlignment::taRightJustify;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    void MouseClick() override;
    void DefaultChar(char Key) override;

private:
    bool checked_ = false;
};

// ---------------------------------------------------------------------------
// Edit-control messages answered by the edits' Perform.
constexpr uint32_t EM_GETSEL = 0x00B0;
constexpr uint32_t EM_SETSEL = 0x00B1;
constexpr uint32_t EM_SCROLL = 0x00B5;
constexpr uint32_t EM_LINESCROLL = 0x00B6;
constexpr uint32_t EM_SCROLLCARET = 0x00B7;
constexpr uint32_t EM_GETMODIFY = 0x00B8;
constexpr uint32_t EM_SETMODIFY = 0x00B9;
constexpr uint32_t EM_GETLINECOUNT = 0x00BA;
constexpr uint32_t EM_LINEINDEX = 0x00BB;
constexpr uint32_t EM_LINELENGTH = 0x00C1;
constexpr uint32_t EM_REPLACESEL = 0x00C2;
constexpr uint32_t EM_LINEFROMCHAR = 0x00C9;
constexpr uint32_t EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr uint32_t EM_SETREADONLY = 0x00CF;
constexpr uint64_t SB_LINEUP = 0;
constexpr uint64_t SB_LINEDOWN = 1;
constexpr uint64_t SB_PAGEUP = 2;
constexpr uint64_t SB_PAGEDOWN = 3;

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    // Set by typing, cleared by setting the text in code.
    bool Modified() const { return modified_; }
    void SetModified(bool Value) { modified_ = Value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // 0 for no limit; limits typing only.
    int MaxLength = 0;
    // Shown instead of each character; 0 shows the text.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    // Entering by keyboard selects the whole text.
    bool AutoSelect = true;

    int SelStart() const { return buf_.SelStart; }
    void SetSelStart(int Value);
    int SelLength() const { return buf_.SelLength; }
    void SetSelLength(int Value);
    std::string SelText() const { return buf_.SelText(); }
    // Replaces the selection in code: OnChange fires, Modified stays.
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }
    void Clear() { SetText(""); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // The text as shown: password characters instead of the text when set.
    std::string DisplayText() const;

    TNotifyEvent OnChange;

    virtual int64_t Perform(uint32_t Msg, uint64_t WParam, int64_t LParam);

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;

protected:
    std::string GetText() const override { return buf_.Text; }
    void SetTextValue(const std::string& Value) override;
    virtual void Change();
    // A change made by the user: Modified, then OnChange.
    void UserChanged();
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DefaultKeyDown(uint16_t Key, TShiftState Shift) override;
    void DefaultChar(char Key) override;
    void DoEnter() override;
    // Inserts typed text at the caret, within MaxLength; false when refused.
    bool TypeText(const std::string& S);
    virtual void SelectionChanged() { Changed(TControlChange::ccSelection); }

    TEditBuffer buf_;
    bool modified_ = false;
    bool readOnly_ = false;
    char passwordChar_ = 0;

private:
    friend struct TUserInput;
    bool enteringByMouse_ = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// An edit with an input mask. The mask is kept for the backends; the
// headless model does not enforce it.
class TMaskEdit : public TCustomEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    std::string EditMask;
    bool SetProperty(const std::string& Name, const std::string& Value) override;
};

enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemoStrings;

// A multi-line edit. Its text holds the lines joined by CR LF; Lines shows
// them as a list the way the platform's memo does: adding a line to a memo
// ends it with CR LF, an empty last line after a final line break does not
// count, and every change fires OnChange.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;

    TStrings& Lines();
    void SetLines(const TStrings& Value) { Lines().Assign(Value); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap = true;
    bool WantReturns = true;
    bool WantTabs = false;

    int ClientWidth() const override;
    int ClientHeight() const override;

    // The edit control's view of the lines: every line, the empty one after
    // a final line break included; at least 1.
    int LineCount() const;
    // The line holding a character position (-1: the caret's line).
    int LineFromChar(int CharIndex) const;
    // The character position where a line starts (-1: the caret's line);
    // -1 for a line past the last.
    int LineIndex(int Line) const;
    // The length of the line holding a character position.
    int LineLength(int CharIndex) const;
    int FirstVisibleLine() const { return topLine_; }
    // Scrolls by Lines (negative: up), within the text.
    void LineScroll(int Lines);
    // Whole lines that fit the client height in the memo's font.
    int VisibleLineCount() const;
    int LineHeight() const;
    // Scrolls so that the caret's line is visible.
    void ScrollCaret();
    // The caret: X the column, Y the line.
    TPoint CaretPos() const;

    int64_t Perform(uint32_t Msg, uint64_t WParam, int64_t LParam) override;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    TStrings* LayoutItems() override { return &Lines(); }

protected:
    void SetTextValue(const std::string& Value) override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DefaultKeyDown(uint16_t Key, TShiftState Shift) override;
    void DefaultChar(char Key) override;

private:
    friend class TMemoStrings;
    // Start and length (without the break) of every edit-control line.
    void LineSpans(std::vector<std::pair<int, int>>& Spans) const;
    // LineSpans kept until the text changes: reading the lines one by one
    // then costs the length of the text once, not once per line.
    const std::vector<std::pair<int, int>>& CachedLineSpans() const;
    // Replaces characters in code (lines changed): OnChange, Modified stays.
    void ReplaceRange(int Start, int Length, const std::string& S);
    void MoveCaretToLine(int Line, int Column, bool Extend);

    std::unique_ptr<TStrings> lines_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    int topLine_ = 0;
    mutable std::vector<std::pair<int, int>> spans_;
    mutable uint64_t spansRevision_ = UINT64_MAX;
};

// ---------------------------------------------------------------------------
enum class TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings& Items() { return *items_; }
    void SetItems(const TStrings& Value) { items_->Assign(Value); }
    // Selects an item and shows its text (-1: none, and an empty text); no events.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    int DropDownCount = 8;
    int MaxLength = 0;
    bool DroppedDown() const { return droppedDown_; }
    // Dropping the list down fires OnDropDown.
    void SetDroppedDown(bool Value);
    int SelStart() const { return edit_.SelStart; }
    int SelLength() const { return edit_.SelLength; }
    void SelectAll();

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    TStrings* LayoutItems() override { return items_.get(); }

protected:
    std::string GetText() const override { return edit_.Text; }
    // Editable styles show the text and select the item that equals it
    // exactly, if any; a drop-down list selects the item that matches it
    // (case-insensitive) or none. No events.
    void SetTextValue(const std::string& Value) override;
    virtual void Change();
    virtual void DropDown();
    // A user's pick of an item: its text shows, OnClick, then OnChange.
    void UserPick(int Index);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DefaultKeyDown(uint16_t Key, TShiftState Shift) override;
    void DefaultChar(char Key) override;
    void DoEnter() override;
    void MouseClick() override {}

private:
    friend struct TUserInput;
    void ItemsChanged(TItemsChange Change, int Index);
    bool Editable() const { return style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple; }

    std::unique_ptr<TItemStrings> items_;
    TEditBuffer edit_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    bool droppedDown_ = false;
};

// ---------------------------------------------------------------------------
enum class TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum class TOwnerDrawStateFlag : uint8_t { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault };
using TOwnerDrawState = TEnumSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBox : public TCustomControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    TStrings& Items() { return *items_; }
    void SetItems(const TStrings& Value) { items_->Assign(Value); }
    // Selects an item (-1: none); no events.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int Value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle Value);
    int ItemHeight() const;
    void SetItemHeight(int Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    int Count() const { return items_->Count(); }
    // The rectangle of an item in client coordinates (scrolled by TopIndex).
    TRect ItemRect(int Index) const;
    int ClientWidth() const override;
    int ClientHeight() const override;

    // Owner-drawn styles: called for every visible item when the list paints,
    // with the canvas set to the list's font and colour (highlight colours
    // for the selected item).
    TDrawItemEvent OnDrawItem;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
    TStrings* LayoutItems() override { return items_.get(); }

protected:
    void Paint() override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    // A user's choice of an item: selects it, then OnClick.
    void UserSelectItem(int Index);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void DefaultKeyDown(uint16_t Key, TShiftState Shift) override;
    void MouseClick() override {}

private:
    friend struct TUserInput;
    void ItemsChanged(TItemsChange Change, int Index);

    std::unique_ptr<TItemStrings> items_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    int itemHeight_ = 0;
};

} // namespace trx
