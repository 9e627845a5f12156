// Byte-string routines with the framework's semantics: positions are 1-based,
// counts of 0 or less give empty results, case rules are ASCII only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/compiler_warnings.h"

namespace trx {

inline constexpr char CR = '\r';
inline constexpr char LF = '\n';
inline const std::string CRLF = "\r\n";

inline int Length(std::string_view s) { return static_cast<int>(s.size()); }

// Count characters from Index (1-based). An Index below 1 counts from 1; a
// Count of 0 or less, or an Index beyond the end, gives empty text.
std::string Copy(std::string_view s, int Index, int Count);
// Index (1-based) of the first occurrence of Sub in S; 0 when absent or Sub is empty.
int Pos(std::string_view Sub, std::string_view S);
// Removes Count characters from Index (1-based). An Index below 1 or beyond
// the end, or a Count of 0 or less, leaves S as it is.
void Delete(std::string& S, int Index, int Count);
// Inserts Sub before position Index (1-based), clamped to 1..Length(S)+1.
void Insert(std::string_view Sub, std::string& S, int Index);

// Trim removes every character up to and including a blank (codes 0 to 32).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
char UpCase(char c);
// <0, 0, >0 comparing case-insensitively (ASCII only), byte order otherwise.
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

std::string IntToStr(int64_t Value);
std::string IntToHex(int64_t Value, int Digits);
// Decimal (or "$" hexadecimal) text with optional sign and leading blanks.
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int Default);
// The framework's Val: Code is 0 on success, else the 1-based position of
// the first character that could not be converted.
void Val(std::string_view s, int& Value, int& Code);

std::string StringOfChar(char c, int Count);
std::string QuotedStr(std::string_view s);

// A length-prefixed string of at most N characters: assigning longer text
// cuts it to its first N characters.
template <std::size_t N>
class ShortString {
public:
    ShortString() = default;
    ShortString(std::string_view s) { assign(s); }
    ShortString(const char* s) { assign(s ? std::string_view(s) : std::string_view()); }
    ShortString(const std::string& s) { assign(s); }
    ShortString& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    ShortString& operator=(const std::string& s) {
        assign(s);
        return *this;
    }
    ShortString& operator=(const char* s) {
        assign(s ? std::string_view(s) : std::string_view());
        return *this;
    }

    operator const std::string&() const { return value_; }
    const std::string& str() const { return value_; }
    const char* c_str() const { return value_.c_str(); }
    int Length() const { return static_cast<int>(value_.size()); }
    bool empty() const { return value_.empty(); }
    std::size_t size() const { return value_.size(); }
    static constexpr int MaxLength = static_cast<int>(N);
    // 1-based character access, as the framework indexes strings.
    char operator[](int Index) const { return value_.at(static_cast<std::size_t>(Index - 1)); }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.value_ == b.value_; }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.value_ == b; }
    friend std::string operator+(const ShortString& a, std::string_view b) { return a.value_ + std::string(b); }
    friend std::string operator+(std::string_view a, const ShortString& b) { return std::string(a) + b.value_; }

private:
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    void assign(std::string_view s) { value_.assign(s.substr(0, N)); }
    TRX_GCC_BOGUS_RESTRICT_END
    std::string value_;
};

} // namespace trx
