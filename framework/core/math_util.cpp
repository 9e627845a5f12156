#include "framework/core/math_util.h"

#include <cmath>

#include "framework/core/clock.h"
#include "framework/core/exceptions.h"

namespace trx {

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    int64_t product = static_cast<int64_t>(Number) * Numerator;
    bool negative = (product < 0) != (Denominator < 0);
    uint64_t p = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    uint64_t d = Denominator < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(Denominator))
                                 : static_cast<uint64_t>(Denominator);
    // Adding half the divisor before dividing rounds a half up in magnitude.
    uint64_t q = (p + d / 2) / d;
    int64_t result = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
    if (result < INT32_MIN || result > INT32_MAX) return -1;
    return static_cast<int>(result);
}

namespace {

constexpr double TwoPow63 = 9223372036854775808.0;

void CheckRange(double X) {
    if (!(X >= -TwoPow63 && X < TwoPow63)) throw EMathError("Invalid floating point operation");
}

} // namespace

int64_t Round(double X) {
    CheckRange(X);
    double whole = std::trunc(X);
    double rest = std::fabs(X - whole);
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) whole += X < 0 ? -1.0 : 1.0;
    CheckRange(whole);
    return static_cast<int64_t>(whole);
}

int64_t Trunc(double X) {
    CheckRange(X);
    return static_cast<int64_t>(X);
}

double Int(double X) { return std::trunc(X); }

double Frac(double X) { return X - std::trunc(X); }

namespace {

uint32_t randSeed = 0;

uint32_t NextSeed() {
    randSeed = randSeed * 134775813u + 1u;
    return randSeed;
}

} // namespace

int Random(int Range) {
    uint32_t s = NextSeed();
    if (Range <= 0) return 0;
    return static_cast<int>((static_cast<uint64_t>(s) * static_cast<uint32_t>(Range)) >> 32);
}

double Random() { return NextSeed() * (1.0 / 4294967296.0); }

void Randomize() {
    TClock& c = Clock();
    double ms = std::fmod(c.LocalDateTime() * 86400000.0, 4294967296.0);
    uint32_t wall = std::isfinite(ms) && ms >= 0 ? static_cast<uint32_t>(ms) : 0;
    randSeed = static_cast<uint32_t>(c.TickCount()) * 2654435761u + wall;
}

int32_t GetRandSeed() { return static_cast<int32_t>(randSeed); }

void SetRandSeed(int32_t Seed) { randSeed = static_cast<uint32_t>(Seed); }

} // namespace trx
