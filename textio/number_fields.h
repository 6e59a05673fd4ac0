// The fixed-width text fields of numbers: 12 characters for a 32-bit integer,
// 24 for a double. Both write into the caller's buffer and never fail.
#pragma once

#include <cstdint>

inline constexpr int integerFieldWidth = 12;
inline constexpr int realFieldWidth = 24;

// Right-justified decimal, "-" before a negative value.
void formatIntegerField(std::int32_t value, char field[integerFieldWidth]);

// NaN and infinities left-aligned behind one blank; zero in the exponent form;
// values whose 15-digit rounding lies in [0.1, 10^15) in the fixed form with
// 15 significant digits (right-justified in 19 positions, 5 blanks after);
// everything else in the exponent form with 16 digits and a 3-digit exponent.
void formatRealField(double value, char field[realFieldWidth]);
