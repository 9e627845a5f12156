// Arrays indexed by an enumeration and small sets of enumeration values,
// as the framework's "array [TEnum] of" and "set of TEnum".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace trx {

// An array with one element per value of E; E's values run 0 .. N-1.
template <class E, class T, std::size_t N>
struct TEnumArray {
    std::array<T, N> Items{};

    constexpr T& operator[](E e) { return Items[static_cast<std::size_t>(e)]; }
    constexpr const T& operator[](E e) const { return Items[static_cast<std::size_t>(e)]; }
    static constexpr std::size_t size() { return N; }
    constexpr void Fill(const T& v) { Items.fill(v); }
    auto begin() { return Items.begin(); }
    auto end() { return Items.end(); }
    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }
    friend bool operator==(const TEnumArray&, const TEnumArray&) = default;
};

// A set of values of E (at most 64 values).
template <class E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }
    constexpr bool Contains(E v) const { return (bits_ >> static_cast<unsigned>(v)) & 1u; }
    constexpr void Include(E v) { bits_ |= uint64_t(1) << static_cast<unsigned>(v); }
    constexpr void Exclude(E v) { bits_ &= ~(uint64_t(1) << static_cast<unsigned>(v)); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint64_t Bits() const { return bits_; }
    static constexpr TEnumSet FromBits(uint64_t b) {
        TEnumSet s;
        s.bits_ = b;
        return s;
    }
    constexpr TEnumSet operator+(TEnumSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TEnumSet operator*(TEnumSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(bits_ & ~o.bits_); }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    uint64_t bits_ = 0;
};

// The ordinal of an enumeration value.
template <class E>
constexpr int Ord(E e) {
    return static_cast<int>(e);
}

} // namespace trx
