#include "framework/core/strings.h"

#include <algorithm>
#include <limits>

#include "framework/core/compiler_warnings.h"
#include "framework/core/exceptions.h"

namespace trx {

std::string Copy(std::string_view s, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > Length(s)) return {};
    const std::size_t start = static_cast<std::size_t>(Index - 1);
    return std::string(s.substr(start, static_cast<std::size_t>(Count)));
}

int Pos(std::string_view Sub, std::string_view S) {
    if (Sub.empty()) return 0;
    const auto at = S.find(Sub);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

void Delete(std::string& S, int Index, int Count) {
    if (Index < 1 || Index > Length(S) || Count <= 0) return;
    S.erase(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Count));
}

void Insert(std::string_view Sub, std::string& S, int Index) {
    Index = std::clamp(Index, 1, Length(S) + 1);
    S.insert(static_cast<std::size_t>(Index - 1), Sub);
}

static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(std::string_view s) {
    std::size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first])) ++first;
    while (last > first && IsBlank(s[last - 1])) --last;
    return std::string(s.substr(first, last - first));
}

std::string TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
static char LoCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = UpCase(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = LoCase(c);
    return r;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(UpCase(a[i]));
        const int cb = static_cast<unsigned char>(UpCase(b[i]));
        if (ca != cb) return ca - cb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareStr(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(a[i]);
        const int cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) return ca - cb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(int64_t Value, int Digits) {
    static const char* hex = "0123456789ABCDEF";
    uint64_t v = static_cast<uint64_t>(Value);
    std::string r;
    do {
        r.insert(r.begin(), hex[v & 15]);
        v >>= 4;
    } while (v != 0);
    while (Length(r) < Digits) r.insert(r.begin(), '0');
    return r;
}

// Parses like the framework's Val for 64-bit values. Returns the 1-based
// position of the failing character, 0 on success.
static int ParseInt(std::string_view s, int64_t lo, int64_t hi, int64_t& out) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return static_cast<int>(i) + 1;
    // Accumulate as a negative number so that the minimum fits.
    const __int128 limit = neg ? -static_cast<__int128>(lo) : static_cast<__int128>(hi);
    __int128 v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return static_cast<int>(i) + 1;
        v = v * base + d;
        if (v > limit) return static_cast<int>(i) + 1;
    }
    out = static_cast<int64_t>(neg ? -v : v);
    return 0;
}

TRX_GCC_BOGUS_RESTRICT_BEGIN
static std::string NotAnInteger(std::string_view s) { return "'" + std::string(s) + "' is not a valid integer value"; }
TRX_GCC_BOGUS_RESTRICT_END

int StrToInt(std::string_view s) {
    int64_t v = 0;
    if (ParseInt(s, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v) != 0)
        throw EConvertError(NotAnInteger(s));
    return static_cast<int>(v);
}

int64_t StrToInt64(std::string_view s) {
    int64_t v = 0;
    if (ParseInt(s, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), v) != 0)
        throw EConvertError(NotAnInteger(s));
    return v;
}

int StrToIntDef(std::string_view s, int Default) {
    int64_t v = 0;
    if (ParseInt(s, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v) != 0) return Default;
    return static_cast<int>(v);
}

void Val(std::string_view s, int& Value, int& Code) {
    int64_t v = 0;
    Code = ParseInt(s, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v);
    Value = Code == 0 ? static_cast<int>(v) : 0;
}

std::string StringOfChar(char c, int Count) {
    return Count <= 0 ? std::string() : std::string(static_cast<std::size_t>(Count), c);
}

std::string QuotedStr(std::string_view s) {
    std::string r = "'";
    for (char c : s) {
        r += c;
        if (c == '\'') r += '\'';
    }
    r += '\'';
    return r;
}

void Abort() { throw EAbort("Operation aborted"); }

} // namespace trx
