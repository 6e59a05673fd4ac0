// formatIntegerField and formatRealField.
#include "textio/number_fields.h"

#include "textio/round_decimal.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int significantDigits = 15;
constexpr int fixedFormWidth = 19;
constexpr int decisionPlaces = 17;
constexpr int decisionDigitLimit = 24;

// Puts text (length characters) into the field after `lead` blanks, blanks after.
void placeLeft(const char* text, int length, char* field) {
    std::memset(field, ' ', realFieldWidth);
    std::memcpy(field + 1, text, static_cast<std::size_t>(length));
}

void writeFixedForm(bool negative, const DecimalDigits& digits, int integerDigits, int places, char* field) {
    char text[fixedFormWidth];
    int length = 0;
    if (negative) text[length++] = '-';
    // digits holds integerDigits + places digits; missing ones are zeros.
    auto digitAt = [&digits](int i) { return i < digits.count ? digits.digits[i] : '0'; };
    if (integerDigits == 0) text[length++] = '0';
    for (int i = 0; i < integerDigits; ++i) text[length++] = digitAt(i);
    text[length++] = '.';
    for (int i = 0; i < places; ++i) text[length++] = digitAt(integerDigits + i);
    std::memset(field, ' ', realFieldWidth);
    std::memcpy(field + fixedFormWidth - length, text, static_cast<std::size_t>(length));
}

void writeExponentForm(bool negative, const DecimalDigits& digits, char* field) {
    char text[realFieldWidth];
    int length = 0;
    if (negative) text[length++] = '-';
    text[length++] = digits.digits[0];
    text[length++] = '.';
    std::memcpy(text + length, digits.digits + 1, significantDigits);
    length += significantDigits;
    int exponent = digits.exponent - 1;
    text[length++] = 'E';
    text[length++] = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    text[length++] = static_cast<char>('0' + magnitude / 100);
    text[length++] = static_cast<char>('0' + magnitude / 10 % 10);
    text[length++] = static_cast<char>('0' + magnitude % 10);
    std::memset(field, ' ', realFieldWidth);
    std::memcpy(field + realFieldWidth - length, text, static_cast<std::size_t>(length));
}

}  // namespace

void formatIntegerField(std::int32_t value, char field[integerFieldWidth]) {
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::memset(field, ' ', integerFieldWidth);
    int position = integerFieldWidth;
    do {
        field[--position] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) field[--position] = '-';
}

void formatRealField(double value, char field[realFieldWidth]) {
    if (std::isnan(value)) return placeLeft("NaN", 3, field);
    if (std::isinf(value)) return value > 0 ? placeLeft("Infinity", 8, field) : placeLeft("-Infinity", 9, field);
    if (value == 0.0) {
        std::memset(field, ' ', realFieldWidth);
        std::memcpy(field + 2, "0.000000000000000E+000", 22);
        return;
    }
    bool negative = std::signbit(value);
    // Every rounding below starts from the same exact digits.
    DecimalDigits exact = exactDigits(std::fabs(value), DecimalDigits::maximumCount);

    DecimalDigits decision = roundDigits(exact, RoundMode::placesAfterPoint, decisionPlaces, decisionDigitLimit);
    int exponent = decision.exponent;
    if (decision.count > significantDigits && std::memcmp(decision.digits, "999999999999999", significantDigits) == 0 &&
        decision.digits[significantDigits] >= '5')
        exponent += 1;  // the 15-digit rounding carries into a new digit
    if (decision.count > 0 && exponent >= 0 && exponent <= significantDigits) {
        int places = significantDigits - exponent;
        DecimalDigits fixed = roundDigits(exact, RoundMode::placesAfterPoint, places, fixedFormWidth);
        return writeFixedForm(negative, fixed, exponent, places, field);
    }
    writeExponentForm(negative, roundDigits(exact, RoundMode::significantDigits, significantDigits + 1), field);
}
