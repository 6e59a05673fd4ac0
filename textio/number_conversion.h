// Number texts to values: 32-bit integers, doubles (correctly rounded from at
// most 27 significant digits), and the value of a logical word. Pure
// computation: no state, no allocation, no message.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ConversionStatus { success, badCharacter, outOfRange };

struct Int32Conversion {
    ConversionStatus status = ConversionStatus::success;
    std::int32_t value = 0;
};

struct DoubleConversion {
    ConversionStatus status = ConversionStatus::success;
    double value = 0.0;
};

// [sign] digits; empty text or a lone sign is 0.
Int32Conversion parseInt32Text(const char* text, std::size_t length);

// [sign] mantissa (digits with at most one period, possibly none) and an
// optional exponent introduced by E, D or Q (either case) or directly by a
// sign; one exponent sign may stand before its first non-zero digit. Digits
// past the 27th significant one are dropped without rounding. A mantissa
// without a non-zero digit gives +0.0; underflow gives a signed zero; a
// magnitude above the largest double is out of range.
DoubleConversion parseDoubleText(const char* text, std::size_t length);

// -1 for a word starting with T or t, 0 for F or f.
std::int32_t logicalWordValue(char firstLetter);
