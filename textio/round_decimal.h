// Exact decimal digits of a double, rounded half up at the cut.
#pragma once

#include <cstdint>

// Digits d1..dn (d1 not zero) and exponent E with magnitude ~ 0.d1..dn x 10^E.
// count 0 means no significant digit survived the rounding.
struct DecimalDigits {
    static constexpr int maximumCount = 25;
    char digits[maximumCount];
    int count = 0;
    int exponent = 0;
};

enum class RoundMode { significantDigits, placesAfterPoint };

// The first `count` exact significant digits of a finite magnitude > 0, cut
// (not rounded): enough for every rounding below. count <= 25.
DecimalDigits exactDigits(double magnitude, int count);

// Rounds exact digits half up (an exact half rounds away from zero):
// by significant digits keeps n = count digits; by places keeps the digits
// down to `count` places after the point, n = count + E but at most limit.
// A carry out of the first digit gives 1 and zeros and raises E; by places the
// string then gains a digit (within the limit). `exact` must hold n + 1 digits.
DecimalDigits roundDigits(const DecimalDigits& exact, RoundMode mode, int count, int limit = 0);

// exactDigits then roundDigits.
DecimalDigits roundDecimal(double magnitude, RoundMode mode, int count, int limit = 0);
