// TSet: a set of enumeration values as the toolkit stores it, one bit per ordinal (csLoading in ComponentState).
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E value : values) FBits |= Bit(value);
    }
    static constexpr TSet FromBits(uint32_t bits) {
        TSet set;
        set.FBits = bits;
        return set;
    }

    constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint32_t Bits() const { return FBits; }
    void Include(E value) { FBits |= Bit(value); }
    void Exclude(E value) { FBits &= ~Bit(value); }

    constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
    constexpr bool operator==(TSet other) const { return FBits == other.FBits; }
    constexpr bool operator!=(TSet other) const { return FBits != other.FBits; }

private:
    static constexpr uint32_t Bit(E value) { return uint32_t(1) << static_cast<unsigned>(value); }
    uint32_t FBits = 0;
};
