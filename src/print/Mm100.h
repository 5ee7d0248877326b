#pragma once

#include <compare>

// A length on paper in hundredths of a millimetre, the unit every page of this
// program is laid out in. A type of its own so that layout positions cannot be
// mixed up with printer dots or points by accident.
struct Mm100 {
    int value = 0;

    constexpr Mm100() = default;
    constexpr explicit Mm100(int hundredths)
        : value(hundredths) {}

    constexpr Mm100 operator+(Mm100 other) const { return Mm100(value + other.value); }
    constexpr Mm100 operator-(Mm100 other) const { return Mm100(value - other.value); }
    constexpr Mm100& operator+=(Mm100 other) {
        value += other.value;
        return *this;
    }
    constexpr Mm100 operator*(int factor) const { return Mm100(value * factor); }
    // Integer division, as the layouts count: 1056 / 2 is 528, 1409 / 2 is 704.
    constexpr Mm100 operator/(int divisor) const { return Mm100(value / divisor); }
    constexpr auto operator<=>(const Mm100&) const = default;
};

constexpr Mm100 operator*(int factor, Mm100 length) {
    return length * factor;
}

inline constexpr int kMm100PerInch = 2540;
