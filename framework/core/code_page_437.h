// Code page 437, the character set of raw printer text and of the stored
// line-drawing characters: its bytes 0x80 to 0xFF are accented letters,
// Greek letters, shades and the IBM line-drawing characters. The bytes
// below 0x80 are ASCII in both directions.
#pragma once

#include <string>
#include <string_view>

namespace trx {

// The Unicode character a byte stands for.
char32_t Cp437ToUnicode(unsigned char Byte);
// The UTF-8 bytes of the character a byte stands for.
std::string_view Cp437CharToUtf8(unsigned char Byte);
std::string Cp437ToUtf8(std::string_view Text);
// Cp437ToUtf8 of Text appended to Out.
void AppendCp437AsUtf8(std::string& Out, std::string_view Text);
// UTF-8 text in code page 437: "?" stands for a character that the code
// page lacks (and for a byte that is no part of valid UTF-8). Characters of
// no width go with the character before them.
std::string Utf8ToCp437(std::string_view Text);

} // namespace trx
