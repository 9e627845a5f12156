#include "framework/qt/qt_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace trx {

namespace {

// The keys of the US layout's symbols, shifted or not.
constexpr uint16_t VK_OEM_1 = 0xBA; // ; :
constexpr uint16_t VK_OEM_PLUS = 0xBB; // = +
constexpr uint16_t VK_OEM_COMMA = 0xBC; // , <
constexpr uint16_t VK_OEM_MINUS = 0xBD; // - _
constexpr uint16_t VK_OEM_PERIOD = 0xBE; // . >
constexpr uint16_t VK_OEM_2 = 0xBF; // / ?
constexpr uint16_t VK_OEM_3 = 0xC0; // ` ~
constexpr uint16_t VK_OEM_4 = 0xDB; // [ {
constexpr uint16_t VK_OEM_5 = 0xDC; // \ |
constexpr uint16_t VK_OEM_6 = 0xDD; // ] }
constexpr uint16_t VK_OEM_7 = 0xDE; // ' "

struct TKeyPair {
    int Qt;
    uint16_t Vk;
};

constexpr TKeyPair kKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Cancel, VK_CANCEL},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// The keypad's operators keep their own codes.
constexpr TKeyPair kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Slash, VK_DIVIDE}, {Qt::Key_Comma, VK_SEPARATOR},
};

} // namespace

uint16_t VirtualKeyOfQtKey(int Key, Qt::KeyboardModifiers Modifiers) {
    const bool keypad = Modifiers.testFlag(Qt::KeypadModifier);
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
        return static_cast<uint16_t>(keypad ? VK_NUMPAD0 + (Key - Qt::Key_0) : '0' + (Key - Qt::Key_0));
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z) return static_cast<uint16_t>('A' + (Key - Qt::Key_A));
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (Key - Qt::Key_F1));
    if (keypad)
        for (const TKeyPair& k : kKeypad)
            if (k.Qt == Key) return k.Vk;
    for (const TKeyPair& k : kKeys)
        if (k.Qt == Key) return k.Vk;
    return 0;
}

TShiftState ShiftStateOfQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState s;
    if (Modifiers.testFlag(Qt::ShiftModifier)) s.Include(TShiftFlag::ssShift);
    if (Modifiers.testFlag(Qt::ControlModifier)) s.Include(TShiftFlag::ssCtrl);
    if (Modifiers.testFlag(Qt::AltModifier)) s.Include(TShiftFlag::ssAlt);
    if (Buttons.testFlag(Qt::LeftButton)) s.Include(TShiftFlag::ssLeft);
    if (Buttons.testFlag(Qt::RightButton)) s.Include(TShiftFlag::ssRight);
    if (Buttons.testFlag(Qt::MiddleButton)) s.Include(TShiftFlag::ssMiddle);
    return s;
}

TQtKeystroke KeystrokeOfQt(const QKeyEvent& Event) {
    TQtKeystroke k;
    k.Key = VirtualKeyOfQtKey(Event.key(), Event.modifiers());
    k.Shift = ShiftStateOfQt(Event.modifiers());
    // Shift+Tab arrives as its own key.
    if (Event.key() == Qt::Key_Backtab) k.Shift.Include(TShiftFlag::ssShift);
    // Control characters and what Ctrl or Alt make are left to the form
    // layer, which makes them from the key.
    if (k.Shift.Contains(TShiftFlag::ssCtrl) || k.Shift.Contains(TShiftFlag::ssAlt)) return k;
    const QString text = Event.text();
    bool printable = !text.isEmpty();
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) printable = false;
    if (printable) k.Chars = text.toStdString();
    return k;
}

int16_t QtKeyState(int VirtKey) {
    bool down = false;
    switch (VirtKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: down = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: down = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: down = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier); break;
    case VK_LBUTTON: down = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton); break;
    case VK_RBUTTON: down = QGuiApplication::mouseButtons().testFlag(Qt::RightButton); break;
    case VK_MBUTTON: down = QGuiApplication::mouseButtons().testFlag(Qt::MiddleButton); break;
    default: break;
    }
    return down ? int16_t{-32768} : int16_t{0};
}

} // namespace trx
