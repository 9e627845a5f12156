// What a user does, as the tests (and a backend showing real windows)
// deliver it. These are apart from the programmatic setters because the
// framework fires other events for them: typing sets an edit's Modified, a
// pick in a combo box fires OnClick and OnChange, a click on a tab asks
// OnChanging first.
//
// Each action reaches only a control that is visible and enabled, with its
// parents and its form; otherwise EScriptFailure says why. A click moves
// the focus to the control first (OnExit of the old one, OnEnter of the new
// one), and the click is lost when a handler keeps the focus elsewhere.
// Exceptions raised by handlers go to Application()->HandleException, as
// from the message loop.
#pragma once

#include <cstdint>
#include <string>

#include "framework/forms/keys.h"

namespace trx {

class TControl;
class TWinControl;
class TCustomForm;
class TComboBox;
class TListBox;
class TTabControl;
class TMenuItem;

// The control, its parents and its form are visible and enabled.
bool CanUserReach(const TControl* Control);

void UserClick(TControl* Control);
// A click, then the double click.
void UserDblClick(TControl* Control);
// A click that only moves the focus into the control.
void UserFocus(TWinControl* Control);
// Focuses the control when it is not focused, then types each character as
// a keystroke (key down, key press, key up) at the caret.
void UserType(TWinControl* Control, const std::string& Text);
// Focuses the control, selects its whole text and types Text over it (an
// empty Text deletes it).
void UserReplaceText(TWinControl* Control, const std::string& Text);
// A keystroke. For a form it goes to the form's focused control (or the
// form itself); another control is focused first. Menu short cuts come
// first, then the form's dialog keys (Tab, arrows, Enter, Escape) unless
// the control takes the key itself, then OnKeyDown (the form's first with
// KeyPreview; a handler that sets the key to 0 ends it), then the typed
// character through OnKeyPress, then OnKeyUp.
void UserKeyDown(TWinControl* Target, uint16_t Key, TShiftState Shift = {});
// A keystroke from a real keyboard to the form's focused control (or the
// form), as UserKeyDown delivers it, with the characters it typed (UTF-8,
// each byte through OnKeyPress; empty: the character the key makes, if
// any). Key 0 is a character without a key code: only OnKeyPress fires.
void UserKeystroke(TCustomForm* Form, uint16_t Key, TShiftState Shift, const std::string& Chars);

// Opens the list (OnDropDown, which may fill it), picks an item and closes.
void UserSelect(TComboBox* Combo, int Index);
void UserSelect(TComboBox* Combo, const std::string& Item);
// Opens the list and closes it again without a pick.
void UserDropDown(TComboBox* Combo);
// A click on an item of a list box: it is selected and OnClick fires.
void UserSelectItem(TListBox* List, int Index);
void UserDblClickItem(TListBox* List, int Index);
// A click on a tab: OnChanging, then the tab and OnChange.
void UserSelectTab(TTabControl* Tabs, int Index);
void UserSelectTab(TTabControl* Tabs, const std::string& Tab);

// Opens a menu: the OnClick of the item and of the items above it, top first.
void UserOpenMenu(TMenuItem* Item);
// Opens the menus above the item, then clicks it.
void UserClickMenu(TMenuItem* Item);

// The mouse rests on a control or menu item: the application's Hint becomes
// the long part of its hint (a control without one shows its parent's).
void UserHover(TControl* Control);
void UserHover(TMenuItem* Item);

// The close button of the window.
void UserClose(TCustomForm* Form);
void UserResize(TCustomForm* Form, int Width, int Height);

} // namespace trx
