// Property values as the form layouts write them: "True", "12", "clBtnFace",
// "$00FF8000", "[fsBold, fsItalic]", "taCenter", "Ctrl+P".
#pragma once

#include <initializer_list>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/forms/keys.h"
#include "framework/printing/graphics.h"

namespace trx {

// "True" or "False" in any case; raises EConvertError otherwise.
bool PropBool(const std::string& Value);
// A decimal or "$" hexadecimal integer; raises EConvertError otherwise.
int PropInt(const std::string& Value);
// A colour name (clRed, clBtnFace...) or a number; raises EConvertError.
TColor PropColor(const std::string& Value);
// "[fsBold, fsUnderline]" (the brackets may be left out); raises EConvertError.
TFontStyles PropFontStyles(const std::string& Value);
// A short cut as text ("Ctrl+P") or as its number; raises EConvertError.
TShortCut PropShortCut(const std::string& Value);
// The index of Value among Names (case-insensitive); raises EConvertError.
int PropEnumIndex(const std::string& Value, std::initializer_list<const char*> Names);

template <class E>
E PropEnum(const std::string& Value, std::initializer_list<const char*> Names) {
    return static_cast<E>(PropEnumIndex(Value, Names));
}

// The colour's name when it has one, else "$" and eight hex digits.
std::string ColorToString(TColor Color);

} // namespace trx
