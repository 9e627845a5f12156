// Virtual key codes, shift states, menu short cuts and the keyboard state.
//
// GetKeyState answers from the headless keyboard: keys a test holds down
// with SetKeyDown, and the shift keys of a keystroke that the form layer is
// delivering; a backend with a real keyboard adds the keys held on it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/enum_array.h"

namespace trx {

// Virtual key codes as the platform numbers them. Letters and digits are
// their upper-case ASCII codes ('A' = 65, '0' = 48).
constexpr uint16_t VK_LBUTTON = 0x01;
constexpr uint16_t VK_RBUTTON = 0x02;
constexpr uint16_t VK_CANCEL = 0x03; // Ctrl+Break
constexpr uint16_t VK_MBUTTON = 0x04;
constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_CLEAR = 0x0C;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12; // Alt
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_CAPITAL = 0x14;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21; // Page Up
constexpr uint16_t VK_NEXT = 0x22; // Page Down
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_SELECT = 0x29;
constexpr uint16_t VK_PRINT = 0x2A;
constexpr uint16_t VK_EXECUTE = 0x2B;
constexpr uint16_t VK_SNAPSHOT = 0x2C;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_HELP = 0x2F;
constexpr uint16_t VK_LWIN = 0x5B;
constexpr uint16_t VK_RWIN = 0x5C;
constexpr uint16_t VK_APPS = 0x5D;
constexpr uint16_t VK_NUMPAD0 = 0x60;
constexpr uint16_t VK_NUMPAD9 = 0x69;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F2 = 0x71;
constexpr uint16_t VK_F3 = 0x72;
constexpr uint16_t VK_F4 = 0x73;
constexpr uint16_t VK_F5 = 0x74;
constexpr uint16_t VK_F6 = 0x75;
constexpr uint16_t VK_F7 = 0x76;
constexpr uint16_t VK_F8 = 0x77;
constexpr uint16_t VK_F9 = 0x78;
constexpr uint16_t VK_F10 = 0x79;
constexpr uint16_t VK_F11 = 0x7A;
constexpr uint16_t VK_F12 = 0x7B;
constexpr uint16_t VK_NUMLOCK = 0x90;
constexpr uint16_t VK_SCROLL = 0x91;
constexpr uint16_t VK_LSHIFT = 0xA0;
constexpr uint16_t VK_RSHIFT = 0xA1;
constexpr uint16_t VK_LCONTROL = 0xA2;
constexpr uint16_t VK_RCONTROL = 0xA3;
constexpr uint16_t VK_LMENU = 0xA4;
constexpr uint16_t VK_RMENU = 0xA5;

// The shift state of a key or mouse event.
enum class TShiftFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TEnumSet<TShiftFlag>;

// A menu short cut: the key code in the low byte, plus the modifier bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift);
// "Ctrl+P", "Shift+F10", "Ctrl+Shift+Tab", "Alt+X"; empty for no short cut.
std::string ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText, case-insensitive; 0 for text it does not know.
TShortCut TextToShortCut(const std::string& Text);

// The key code of a character as typed on the keyboard (letters, digits,
// blank, Enter, Tab, Escape, Backspace); 0 for characters without one.
uint16_t KeyOfChar(char Ch);
// The character a key produces with the given shift state, or 0 when it
// produces none (navigation and function keys, Alt combinations). Enter,
// Tab, Escape and Backspace give their control characters, and so does
// Ctrl with a letter (Ctrl+C gives #3).
char CharOfKey(uint16_t Key, TShiftState Shift);

// The state of a key: negative (high bit set) while the key is down, bit 0
// set while a toggle key (Caps Lock) is on.
int16_t GetKeyState(int VirtKey);
// The current shift state as GetKeyState reports it.
TShiftState KeyboardShiftState();

// A source of key states; a backend with a real keyboard installs one.
// A key is down when either it or the headless keyboard says so.
using TKeyStateSource = std::function<int16_t(int VirtKey)>;
// Installs Source; an empty function leaves the headless keyboard alone.
void SetKeyStateSource(TKeyStateSource Source);

// The headless keyboard. SetKeyDown holds a key down (or releases it) until
// changed; ReleaseAllKeys lets go of every key.
void SetKeyDown(int VirtKey, bool Down);
void ReleaseAllKeys();

// Holds keys down for its lifetime (the keyboard as a keystroke sees it).
class TKeysHeld {
public:
    explicit TKeysHeld(TShiftState Shift);
    ~TKeysHeld();
    TKeysHeld(const TKeysHeld&) = delete;
    TKeysHeld& operator=(const TKeysHeld&) = delete;

private:
    TShiftState previous_;
};

} // namespace trx
