// Printer text to Unicode. The report's text font is an OEM (code page 437)
// font: the bytes 0x80 to 0xFF are its accented letters, shades and the IBM
// line-drawing characters, so a printed table gets real box lines.
#pragma once

#include <QString>

#include <string>

namespace trx {

// The Unicode character a byte shows in code page 437. Control bytes
// (0x00-0x1F, 0x7F) show as a blank so that the columns after them stay
// in place.
char16_t OemCharToUnicode(unsigned char Byte);

// Every byte of Text through OemCharToUnicode.
QString OemToUnicode(const std::string& Text);

} // namespace trx
