#include "framework/forms/keys.h"

#include <array>
#include <utility>

#include "framework/core/compiler_warnings.h"
#include "framework/core/strings.h"

namespace trx {

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0) return 0;
    TShortCut result = Key;
    if (Shift.Contains(TShiftFlag::ssShift)) result |= scShift;
    if (Shift.Contains(TShiftFlag::ssCtrl)) result |= scCtrl;
    if (Shift.Contains(TShiftFlag::ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift) {
    Key = Value & 0xFF;
    Shift = TShiftState{};
    if (Value & scShift) Shift.Include(TShiftFlag::ssShift);
    if (Value & scCtrl) Shift.Include(TShiftFlag::ssCtrl);
    if (Value & scAlt) Shift.Include(TShiftFlag::ssAlt);
}

namespace {

// Names of the keys that are not a letter or a digit.
const std::array<std::pair<uint16_t, const char*>, 20>& KeyNames() {
    static const std::array<std::pair<uint16_t, const char*>, 20> names{{
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},      {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"},   {VK_SPACE, "Space"},
        {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},    {VK_END, "End"},    {VK_HOME, "Home"},      {VK_LEFT, "Left"},
        {VK_UP, "Up"},       {VK_RIGHT, "Right"},  {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},
        {VK_PAUSE, "Pause"}, {VK_CANCEL, "Break"}, {VK_ADD, "Num +"},  {VK_SUBTRACT, "Num -"}, {VK_MULTIPLY, "Num *"},
    }};
    return names;
}

std::string KeyName(uint16_t Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return std::string(1, static_cast<char>(Key));
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    if (Key >= VK_F1 && Key <= VK_F12) return "F" + IntToStr(Key - VK_F1 + 1);
    TRX_GCC_BOGUS_RESTRICT_END
    for (const auto& [code, name] : KeyNames())
        if (code == Key) return name;
    return {};
}

uint16_t KeyOfName(const std::string& Name) {
    if (Name.size() == 1) {
        const char c = UpCase(Name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint16_t>(c);
    }
    if (Name.size() >= 2 && (Name[0] == 'F' || Name[0] == 'f')) {
        const int n = StrToIntDef(Name.substr(1), 0);
        if (n >= 1 && n <= 12) return static_cast<uint16_t>(VK_F1 + n - 1);
    }
    for (const auto& [code, name] : KeyNames())
        if (SameText(name, Name)) return code;
    return 0;
}

} // namespace

std::string ShortCutToText(TShortCut Value) {
    const std::string name = KeyName(Value & 0xFF);
    if (name.empty()) return {};
    std::string result;
    if (Value & scShift) result += "Shift+";
    if (Value & scCtrl) result += "Ctrl+";
    if (Value & scAlt) result += "Alt+";
    return result + name;
}

TShortCut TextToShortCut(const std::string& Text) {
    TShortCut mods = 0;
    std::string rest = Text;
    for (;;) {
        auto take = [&rest](const char* prefix) {
            const std::size_t n = std::char_traits<char>::length(prefix);
            if (rest.size() > n && SameText(rest.substr(0, n), prefix)) {
                rest.erase(0, n);
                return true;
            }
            return false;
        };
        if (take("Shift+"))
            mods |= scShift;
        else if (take("Ctrl+"))
            mods |= scCtrl;
        else if (take("Alt+"))
            mods |= scAlt;
        else
            break;
    }
    const uint16_t key = KeyOfName(rest);
    return key == 0 ? TShortCut{0} : static_cast<TShortCut>(key | mods);
}

uint16_t KeyOfChar(char Ch) {
    if (Ch >= 'a' && Ch <= 'z') return static_cast<uint16_t>(Ch - 'a' + 'A');
    if ((Ch >= 'A' && Ch <= 'Z') || (Ch >= '0' && Ch <= '9')) return static_cast<uint16_t>(Ch);
    switch (Ch) {
    case ' ': return VK_SPACE;
    case '\r': return VK_RETURN;
    case '\t': return VK_TAB;
    case 27: return VK_ESCAPE;
    case '\b': return VK_BACK;
    default: return 0;
    }
}

char CharOfKey(uint16_t Key, TShiftState Shift) {
    switch (Key) {
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_BACK: return '\b';
    default: break;
    }
    if (Shift.Contains(TShiftFlag::ssAlt)) return 0;
    if (Shift.Contains(TShiftFlag::ssCtrl))
        return Key >= 'A' && Key <= 'Z' ? static_cast<char>(Key - 'A' + 1) : char{0};
    if (Key == VK_SPACE) return ' ';
    if (Key >= 'A' && Key <= 'Z')
        return Shift.Contains(TShiftFlag::ssShift) ? static_cast<char>(Key) : static_cast<char>(Key - 'A' + 'a');
    if (Key >= '0' && Key <= '9') return static_cast<char>(Key);
    return 0;
}

namespace {

struct TKeyboard {
    std::array<bool, 256> down{};
    TShiftState held; // shift keys of the keystroke being delivered
    TKeyStateSource source;
};

TKeyboard& Keyboard() {
    static TKeyboard keyboard;
    return keyboard;
}

int16_t HeadlessKeyState(int VirtKey) {
    const TKeyboard& k = Keyboard();
    if (VirtKey < 0 || VirtKey > 255) return 0;
    bool down = k.down[static_cast<std::size_t>(VirtKey)];
    switch (VirtKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        down =
            down || k.held.Contains(TShiftFlag::ssShift) || k.down[VK_LSHIFT] || k.down[VK_RSHIFT] || k.down[VK_SHIFT];
        break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        down = down || k.held.Contains(TShiftFlag::ssCtrl) || k.down[VK_LCONTROL] || k.down[VK_RCONTROL] ||
               k.down[VK_CONTROL];
        break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        down = down || k.held.Contains(TShiftFlag::ssAlt) || k.down[VK_LMENU] || k.down[VK_RMENU] || k.down[VK_MENU];
        break;
    default: break;
    }
    return down ? int16_t{-32768} : int16_t{0};
}

} // namespace

int16_t GetKeyState(int VirtKey) {
    const TKeyboard& k = Keyboard();
    // The keystroke being delivered keeps its shift keys down even when the
    // real keyboard has let go of them since it was typed.
    const int16_t headless = HeadlessKeyState(VirtKey);
    return k.source ? static_cast<int16_t>(k.source(VirtKey) | headless) : headless;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(TShiftFlag::ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(TShiftFlag::ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(TShiftFlag::ssAlt);
    return s;
}

void SetKeyStateSource(TKeyStateSource Source) { Keyboard().source = std::move(Source); }

void SetKeyDown(int VirtKey, bool Down) {
    if (VirtKey >= 0 && VirtKey <= 255) Keyboard().down[static_cast<std::size_t>(VirtKey)] = Down;
}

void ReleaseAllKeys() {
    Keyboard().down.fill(false);
    Keyboard().held = TShiftState{};
}

TKeysHeld::TKeysHeld(TShiftState Shift) : previous_(Keyboard().held) { Keyboard().held = Shift; }
TKeysHeld::~TKeysHeld() { Keyboard().held = previous_; }

} // namespace trx
