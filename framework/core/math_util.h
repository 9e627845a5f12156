// Integer scaling, rounding and the pseudo-random generator, as the
// framework computes them.
#pragma once

#include <cstdint>

namespace trx {

// Number * Numerator / Denominator with a 64-bit product, rounded to the
// nearest integer with halves away from zero. -1 when Denominator is 0 or
// the result does not fit in 32 bits.
int MulDiv(int Number, int Numerator, int Denominator);

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// A value that is not a number or lies outside 64 bits raises EMathError
// "Invalid floating point operation"; so does Trunc.
int64_t Round(double X);
// The integer part, toward zero.
int64_t Trunc(double X);
// The integer part as a floating-point value, and what lies beyond it; both
// keep the sign of X.
double Int(double X);
double Frac(double X);

// The generator: each draw sets RandSeed := RandSeed * 134775813 + 1 (mod
// 2^32). Random(Range) is then (unsigned RandSeed * Range) >> 32, in
// 0 .. Range - 1 (0 for a Range of 0 or less); Random() is the unsigned
// seed / 2^32, in [0, 1). The seed starts at 0, so a run is repeatable until
// Randomize seeds it from the clock in force.
int Random(int Range);
double Random();
void Randomize();
int32_t GetRandSeed();
void SetRandSeed(int32_t Seed);

} // namespace trx
