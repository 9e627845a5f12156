// Qt's keys and mouse buttons in the form layer's terms: virtual key codes,
// shift states and the characters a keystroke types.
#pragma once

#include <Qt>

#include <cstdint>
#include <string>

#include "framework/forms/keys.h"

class QKeyEvent;

namespace trx {

// The virtual key of a Qt key; 0 for a key without one. Keys of the main
// block give the key code of the US layout (Shift+1 on it, Qt's
// Key_Exclam, is the key '1'); digits of the keypad give VK_NUMPAD0 to 9.
uint16_t VirtualKeyOfQtKey(int Key, Qt::KeyboardModifiers Modifiers);

// The shift state of Qt's modifiers and mouse buttons.
TShiftState ShiftStateOfQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton);

// One keystroke as the form layer takes it.
struct TQtKeystroke {
    uint16_t Key = 0;
    TShiftState Shift;
    // The printable characters typed, UTF-8; empty when the key types
    // nothing or only a control character, which the form layer makes
    // from the key itself (Enter, Tab, Escape, Backspace, Ctrl+letter).
    std::string Chars;
    // Neither a key code nor a character: nothing to deliver.
    bool Empty() const { return Key == 0 && Chars.empty(); }
};

TQtKeystroke KeystrokeOfQt(const QKeyEvent& Event);

// GetKeyState of the real keyboard and mouse: the shift keys (either side
// answers for both) and the mouse buttons as Qt knows them now; other keys
// are up, since Qt cannot ask the keyboard about them.
int16_t QtKeyState(int VirtKey);

} // namespace trx
