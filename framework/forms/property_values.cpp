#include "framework/forms/property_values.h"

#include <array>
#include <utility>

#include "framework/core/compiler_warnings.h"
#include "framework/core/strings.h"

namespace trx {

namespace {
const std::array<std::pair<const char*, TColor>, 45>& ColorNames() {
    static const std::array<std::pair<const char*, TColor>, 45> names{{
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clLtGray", clLtGray},
        {"clDkGray", clDkGray},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clActiveBorder", clActiveBorder},
        {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
    }};
    return names;
}
} // namespace

bool PropBool(const std::string& Value) {
    const std::string v = Trim(Value);
    if (SameText(v, "True")) return true;
    if (SameText(v, "False")) return false;
    throw EConvertError("'" + Value + "' is not a valid boolean value");
}

int PropInt(const std::string& Value) { return StrToInt(Trim(Value)); }

TColor PropColor(const std::string& Value) {
    const std::string v = Trim(Value);
    for (const auto& [name, color] : ColorNames())
        if (SameText(name, v)) return color;
    return static_cast<TColor>(StrToInt64(v));
}

std::string ColorToString(TColor Color) {
    for (const auto& [name, color] : ColorNames())
        if (color == Color) return name;
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    return "$" + IntToHex(static_cast<uint32_t>(Color), 8);
    TRX_GCC_BOGUS_RESTRICT_END
}

TFontStyles PropFontStyles(const std::string& Value) {
    std::string v = Trim(Value);
    if (!v.empty() && v.front() == '[') v.erase(0, 1);
    if (!v.empty() && v.back() == ']') v.pop_back();
    TFontStyles styles;
    std::size_t i = 0;
    while (i <= v.size()) {
        std::size_t j = v.find(',', i);
        if (j == std::string::npos) j = v.size();
        const std::string item = Trim(v.substr(i, j - i));
        if (!item.empty())
            styles.Include(PropEnum<TFontStyle>(item, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
        i = j + 1;
    }
    return styles;
}

TShortCut PropShortCut(const std::string& Value) {
    const std::string v = Trim(Value);
    if (v.empty()) return 0;
    if ((v[0] >= '0' && v[0] <= '9') || v[0] == '$') return static_cast<TShortCut>(StrToInt(v));
    const TShortCut sc = TextToShortCut(v);
    if (sc == 0) throw EConvertError("'" + Value + "' is not a valid short cut");
    return sc;
}

int PropEnumIndex(const std::string& Value, std::initializer_list<const char*> Names) {
    const std::string v = Trim(Value);
    int i = 0;
    for (const char* n : Names) {
        if (SameText(n, v)) return i;
        ++i;
    }
    throw EConvertError("'" + Value + "' is not a valid value here");
}

} // namespace trx
