// Observing forms and controls from outside the model.
//
// A backend that shows the forms as real windows registers an observer and
// mirrors what it hears: forms created, shown, hidden and destroyed, and
// every change of a control's state. The model never depends on a backend;
// with no observer registered the notifications cost one test of a list.
#pragma once

#include <cstdint>

namespace trx {

class TControl;
class TCustomForm;
class TMenuItem;

// What changed in a control.
enum class TControlChange : uint8_t {
    ccParent, // placed in a parent (also the first placement after creation), or taken out of it
    ccBounds,
    ccVisible,
    ccEnabled,
    ccText, // caption or text
    ccFont,
    ccColor,
    ccHint,
    ccChecked, // check box, radio button, speed button Down
    ccItems, // items, lines, tabs or pages
    ccItemIndex, // selected item, tab or page
    ccSelection, // selection or caret of an edit
    ccScroll, // first visible line or item
    ccFocus, // the control took the focus
    ccReadOnly,
    ccStyle, // border style, window state, flat, password character...
    ccRepaint, // asked to repaint
    ccCursor,
};

class TFormObserver {
public:
    virtual ~TFormObserver() = default;

    // After the form's construction and OnCreate.
    virtual void FormCreated(TCustomForm& /*Form*/) {}
    // After OnShow; Modal for ShowModal.
    virtual void FormShown(TCustomForm& /*Form*/, bool /*Modal*/) {}
    virtual void FormHidden(TCustomForm& /*Form*/) {}
    virtual void FormActivated(TCustomForm& /*Form*/) {}
    // Before the form and its controls go.
    virtual void FormDestroying(TCustomForm& /*Form*/) {}
    virtual void ControlChanged(TControl& /*Control*/, TControlChange /*Change*/) {}
    virtual void ControlDestroying(TControl& /*Control*/) {}
    virtual void MenuItemChanged(TMenuItem& /*Item*/) {}
    // Alt with the accelerator of an item of the form's menu bar, which no
    // control of the form took: the item's menu opens (only a backend that
    // shows the menu bar has one to open).
    virtual void MenuKey(TCustomForm& /*Form*/, TMenuItem& /*Item*/) {}
    // Screen.Cursor changed.
    virtual void ScreenCursorChanged(int /*Cursor*/) {}
};

void AddFormObserver(TFormObserver* Observer);
void RemoveFormObserver(TFormObserver* Observer);

// Used by the model to tell the observers.
namespace observers {
bool Any();
void FormCreated(TCustomForm& Form);
void FormShown(TCustomForm& Form, bool Modal);
void FormHidden(TCustomForm& Form);
void FormActivated(TCustomForm& Form);
void FormDestroying(TCustomForm& Form);
void ControlChanged(TControl& Control, TControlChange Change);
void ControlDestroying(TControl& Control);
void MenuItemChanged(TMenuItem& Item);
void MenuKey(TCustomForm& Form, TMenuItem& Item);
void ScreenCursorChanged(int Cursor);
} // namespace observers

} // namespace trx
