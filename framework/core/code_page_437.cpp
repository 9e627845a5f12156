#include "framework/core/code_page_437.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "framework/core/display_width.h"

namespace trx {

namespace {

// Bytes 0x80 to 0xFF.
constexpr char16_t UpperHalf[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0, // F8
};

// The UTF-8 of the upper half, worked out once by the compiler: every
// line of a table page is made of these.
struct TUpperUtf8 {
    char Bytes[3];
    unsigned char Size;
};

constexpr std::array<TUpperUtf8, 128> MakeUpperUtf8() {
    std::array<TUpperUtf8, 128> t{};
    for (std::size_t b = 0; b < 128; ++b) {
        const char32_t c = UpperHalf[b];
        if (c < 0x800) {
            t[b] = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0}, 2};
        } else {
            t[b] = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (c & 0x3F))},
                    3};
        }
    }
    return t;
}

constexpr std::array<TUpperUtf8, 128> UpperUtf8 = MakeUpperUtf8();

// The upper half by character, for the way back.
using TBack = std::array<std::pair<char16_t, unsigned char>, 128>;
const TBack& Back() {
    static const TBack back = [] {
        TBack t{};
        for (int b = 0; b < 128; ++b)
            t[static_cast<std::size_t>(b)] = {UpperHalf[b], static_cast<unsigned char>(0x80 + b)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return back;
}

char FromUnicode(char32_t C) {
    if (C < 0x80) return static_cast<char>(C);
    const TBack& back = Back();
    const auto it =
        std::lower_bound(back.begin(), back.end(), std::pair<char16_t, unsigned char>{static_cast<char16_t>(C), 0},
                         [](const auto& A, const auto& B) { return A.first < B.first; });
    if (C > 0xFFFF || it == back.end() || it->first != C) return '?';
    return static_cast<char>(it->second);
}

// The one character that a character and its marks compose to, else Base.
char32_t Composed(std::string_view Cluster, char32_t Base) {
    utf8proc_uint8_t* nfc = utf8proc_NFC(reinterpret_cast<const utf8proc_uint8_t*>(std::string(Cluster).c_str()));
    if (!nfc) return Base;
    const std::string_view composed(reinterpret_cast<const char*>(nfc));
    std::size_t i = 0;
    const char32_t c = composed.empty() ? Base : NextChar(composed, i);
    const bool one = i == composed.size();
    std::free(nfc);
    return one ? c : Base;
}

} // namespace

char32_t Cp437ToUnicode(unsigned char Byte) { return Byte < 0x80 ? Byte : UpperHalf[Byte - 0x80]; }

std::string_view Cp437CharToUtf8(unsigned char Byte) {
    static constexpr char Ascii[128] = {
        0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,  20,  21,
        22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,
        44,  45,  46,  47,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,  64,  65,
        66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  81,  82,  83,  84,  85,  86,  87,
        88,  89,  90,  91,  92,  93,  94,  95,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109,
        110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127};
    if (Byte < 0x80) return std::string_view(Ascii + Byte, 1);
    const TUpperUtf8& u = UpperUtf8[Byte - 0x80];
    return std::string_view(u.Bytes, u.Size);
}

void AppendCp437AsUtf8(std::string& Out, std::string_view Text) {
    const std::size_t ascii = AsciiPrefix(Text);
    const std::size_t start = Out.size();
    const std::size_t n = Text.size();
    // At most three bytes a character; the string is cut to size after.
    // So while eight bytes are left there is room for eight more.
    Out.resize(start + ascii + (n - ascii) * 3);
    char* p = Out.data() + start;
    std::memcpy(p, Text.data(), ascii);
    p += ascii;
    auto upper = [&p](unsigned char B) {
        const TUpperUtf8& u = UpperUtf8[B - 0x80];
        std::memcpy(p, u.Bytes, 3);
        p += u.Size;
    };
    std::size_t i = ascii;
    while (i + 8 <= n) {
        // Eight bytes go at once; those up to the first of the upper half
        // stay, and that one is replaced.
        uint64_t x = 0;
        std::memcpy(&x, Text.data() + i, 8);
        std::memcpy(p, &x, 8);
        const uint64_t high = x & 0x8080808080808080ULL;
        if (!high) {
            p += 8;
            i += 8;
            continue;
        }
        const std::size_t k = std::endian::native == std::endian::little
                                  ? static_cast<std::size_t>(std::countr_zero(high) / 8)
                                  : static_cast<std::size_t>(std::countl_zero(high) / 8);
        p += k;
        i += k;
        upper(static_cast<unsigned char>(Text[i++]));
    }
    for (; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(Text[i]);
        if (b < 0x80)
            *p++ = static_cast<char>(b);
        else
            upper(b);
    }
    Out.resize(static_cast<std::size_t>(p - Out.data()));
}

std::string Cp437ToUtf8(std::string_view Text) {
    std::string r;
    AppendCp437AsUtf8(r, Text);
    return r;
}

std::string Utf8ToCp437(std::string_view Text) {
    std::size_t i = AsciiPrefix(Text);
    if (i > 0 && i < Text.size()) --i; // the letter that marks may follow
    std::string r(Text.substr(0, i));
    while (i < Text.size()) {
        const std::size_t at = i;
        char32_t c = NextChar(Text, i);
        // The marks of no width after a character go with it: a letter and
        // its accent are the accented letter where the code page has it.
        std::size_t end = i;
        for (std::size_t j = end; j < Text.size() && static_cast<unsigned char>(Text[j]) >= 0x80;) {
            if (CharWidth(NextChar(Text, j)) != 0) break;
            end = j;
        }
        if (end > i) {
            c = Composed(Text.substr(at, end - at), c);
            i = end;
        }
        const char b = FromUnicode(c);
        // A wide character keeps its two cells, so the columns after it stay.
        r.append(b == '?' && CharWidth(c) == 2 ? 2 : 1, b);
    }
    return r;
}

} // namespace trx
