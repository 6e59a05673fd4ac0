// parseInt32Text, parseDoubleText and logicalWordValue. The double conversion
// keeps its digits in three groups of nine; small cases take one exact
// floating-point operation, the rest are settled by exact comparisons with the
// halfway points between neighbouring doubles.
#include "textio/number_conversion.h"

#include "textio/big_integer.h"

#include <bit>
#include <cfloat>
#include <cmath>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSign(char c) { return c == '+' || c == '-'; }

bool isExponentLetter(char c) {
    switch (c) {
    case 'E': case 'e': case 'D': case 'd': case 'Q': case 'q': return true;
    default: return false;
    }
}

constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr int groupDigits = 9;
constexpr int maximumKeptDigits = 27;
constexpr std::int64_t exponentCap = 100000000;  // far beyond any double

// digits x 10^power, digits holding the significant digits that take part.
struct DecimalValue {
    unsigned __int128 digits = 0;
    int digitCount = 0;
    std::int64_t power = 0;
};

// value x 10^tenPower x 2^twoPower as a big integer; both powers >= 0.
BigInteger scaled(unsigned __int128 value, std::int64_t tenPower, std::int64_t twoPower) {
    BigInteger result = BigInteger::fromUint128(value);
    result.multiplyPowerOfTen(static_cast<int>(tenPower));
    result.shiftLeft(static_cast<int>(twoPower));
    return result;
}

// Sign of (decimal value) - odd x 2^twoPower, computed exactly.
int compareWithBinary(const DecimalValue& decimal, std::uint64_t odd, std::int64_t twoPower) {
    BigInteger left = scaled(decimal.digits, std::max<std::int64_t>(decimal.power, 0),
                             std::max<std::int64_t>(-twoPower, 0));
    BigInteger right = scaled(odd, std::max<std::int64_t>(-decimal.power, 0), std::max<std::int64_t>(twoPower, 0));
    return compare(left, right);
}

struct BinaryParts {
    std::uint64_t mantissa;  // with the hidden bit for normal numbers
    int exponent;            // value = mantissa x 2^exponent
    bool binadeBottom;       // a normal power of two whose lower neighbour has a smaller step
};

BinaryParts partsOf(double x) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    int biased = static_cast<int>(bits >> 52);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074, false};
    return {fraction | (std::uint64_t{1} << 52), biased - 1075, biased > 1 && fraction == 0};
}

double neighbour(double x, int step) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) + static_cast<std::uint64_t>(step));
}

bool hasEvenMantissa(double x) { return (std::bit_cast<std::uint64_t>(x) & 1) == 0; }

// The double nearest to a positive decimal value, ties to even; false when it
// rounds beyond the largest double.
bool nearestDouble(const DecimalValue& decimal, double& result) {
    // Magnitudes that are plainly below half the smallest subnormal or above
    // the largest double.
    if (decimal.digitCount + decimal.power <= -324) {
        result = 0.0;
        return true;
    }
    if (decimal.digitCount - 1 + decimal.power >= 309) return false;

    long double estimate = static_cast<long double>(decimal.digits) * std::pow(10.0L, static_cast<long double>(decimal.power));
    double x = static_cast<double>(estimate);
    if (std::isinf(x)) x = DBL_MAX;

    // Walk to the right double: the estimate is a few steps off at most.
    for (;;) {
        BinaryParts parts = partsOf(x);
        int above = compareWithBinary(decimal, 2 * parts.mantissa + 1, parts.exponent - 1);
        if (above >= 0) {
            bool stepUp = above > 0 || !hasEvenMantissa(x);
            if (!stepUp) break;
            if (x == DBL_MAX) return false;
            x = neighbour(x, 1);
            if (above == 0) break;
            continue;
        }
        if (x == 0.0) break;
        int below = parts.binadeBottom ? compareWithBinary(decimal, 4 * parts.mantissa - 1, parts.exponent - 2)
                                       : compareWithBinary(decimal, 2 * parts.mantissa - 1, parts.exponent - 1);
        if (below > 0 || (below == 0 && hasEvenMantissa(x))) break;
        x = neighbour(x, -1);
        if (below == 0) break;
    }
    result = x;
    return true;
}

}  // namespace

Int32Conversion parseInt32Text(const char* text, std::size_t length) {
    std::size_t i = 0;
    bool negative = false;
    if (i < length && isSign(text[i])) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    for (; i < length; ++i) {
        if (!isDigit(text[i])) return {ConversionStatus::badCharacter, 0};
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{1} << 31) return {ConversionStatus::outOfRange, 0};
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return {ConversionStatus::outOfRange, 0};
    return {ConversionStatus::success, static_cast<std::int32_t>(value)};
}

DoubleConversion parseDoubleText(const char* text, std::size_t length) {
    std::size_t i = 0;
    bool negative = false;
    if (i < length && isSign(text[i])) negative = text[i++] == '-';

    // Mantissa: the significant digits in groups of nine, at most three groups.
    std::uint32_t groups[3] = {0, 0, 0};
    int kept = 0;
    std::int64_t dropped = 0, afterPoint = 0;
    bool seenPoint = false, nonZero = false;
    for (; i < length; ++i) {
        char c = text[i];
        if (isDigit(c)) {
            if (seenPoint) ++afterPoint;
            if (c == '0' && !nonZero) continue;
            nonZero = true;
            if (kept < maximumKeptDigits) {
                std::uint32_t& group = groups[kept / groupDigits];
                group = group * 10 + static_cast<std::uint32_t>(c - '0');
                ++kept;
            } else {
                ++dropped;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }

    // Exponent: a letter (consumed) or a sign (kept as the exponent's sign).
    std::int64_t exponent = 0;
    bool exponentNegative = false;
    if (i < length) {
        if (isExponentLetter(text[i]))
            ++i;
        else if (!isSign(text[i]))
            return {ConversionStatus::badCharacter, 0.0};
        bool signSeen = false, exponentNonZero = false;
        for (; i < length; ++i) {
            char c = text[i];
            if (isDigit(c)) {
                exponentNonZero = exponentNonZero || c != '0';
                exponent = std::min(exponent * 10 + (c - '0'), exponentCap);
            } else if (isSign(c) && !signSeen && !exponentNonZero) {
                signSeen = true;
                exponentNegative = c == '-';
            } else {
                return {ConversionStatus::badCharacter, 0.0};
            }
        }
    }
    if (!nonZero) return {ConversionStatus::success, 0.0};

    DecimalValue decimal;
    decimal.digitCount = kept;
    for (int g = 0; g * groupDigits < kept; ++g) {
        int digitsInGroup = std::min(groupDigits, kept - g * groupDigits);
        unsigned __int128 scale = 1;
        for (int d = 0; d < digitsInGroup; ++d) scale *= 10;
        decimal.digits = decimal.digits * scale + groups[g];
    }
    decimal.power = (exponentNegative ? -exponent : exponent) - afterPoint + dropped;

    double magnitude;
    if (kept <= 15 && decimal.power >= -22 && decimal.power <= 22) {
        double digits = static_cast<double>(static_cast<std::uint64_t>(decimal.digits));
        magnitude = decimal.power < 0 ? digits / exactPowersOfTen[-decimal.power]
                                      : digits * exactPowersOfTen[decimal.power];
    } else if (!nearestDouble(decimal, magnitude)) {
        return {ConversionStatus::outOfRange, 0.0};
    }
    return {ConversionStatus::success, negative ? -magnitude : magnitude};
}

std::int32_t logicalWordValue(char firstLetter) { return firstLetter == 'T' || firstLetter == 't' ? -1 : 0; }
