// Small value types shared by every layer.
#pragma once

#include <cstdint>

namespace trx {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle of four 32-bit values: left, top, right, bottom.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

inline TPoint Point(int32_t X, int32_t Y) { return TPoint{X, Y}; }
inline TRect Rect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) { return TRect{Left, Top, Right, Bottom}; }

// Horizontal alignment of text, with the framework's ordinals.
enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

} // namespace trx
