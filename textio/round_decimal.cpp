// The exact decimal expansion of a double and its half-up rounding. A double
// is m x 2^e; its first digits are those of floor(m x 2^e x 10^k) for a k that
// leaves a few more digits than wanted, computed in a fixed big integer.
#include "textio/round_decimal.h"

#include "textio/big_integer.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>

namespace {

// Writes the decimal digits of value (not zero) into out, returns their number.
int decimalDigitsOf(BigInteger value, char* out, int room) {
    char reversed[400];
    int length = 0;
    while (!value.isZero()) {
        std::uint32_t chunk = value.divideSmall(1000000000);
        bool last = value.isZero();
        for (int i = 0; i < 9 && (!last || chunk != 0); ++i) {
            reversed[length++] = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
    }
    int kept = std::min(length, room);
    for (int i = 0; i < kept; ++i) out[i] = reversed[length - 1 - i];
    return length;
}

}  // namespace

DecimalDigits exactDigits(double magnitude, int count) {
    assert(magnitude > 0.0 && std::isfinite(magnitude) && count <= DecimalDigits::maximumCount);
    std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
    int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    // log10 may miss the true decimal exponent by one either way; two spare
    // digits cover that.
    int estimate = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    int scale = std::max(0, count + 2 - estimate);

    BigInteger value(mantissa);
    value.multiplyPowerOfTen(scale);
    if (exponent >= 0)
        value.shiftLeft(exponent);
    else
        value.shiftRight(-exponent);

    DecimalDigits result;
    int length = decimalDigitsOf(value, result.digits, count);
    assert(length >= count);
    result.count = count;
    result.exponent = length - scale;
    return result;
}

DecimalDigits roundDigits(const DecimalDigits& exact, RoundMode mode, int count, int limit) {
    int wanted = count;
    if (mode == RoundMode::placesAfterPoint) wanted = std::min(count + exact.exponent, limit);
    DecimalDigits result;
    result.exponent = exact.exponent;
    if (wanted < 0) return result;  // nothing reaches that place, not even by rounding
    assert(wanted < exact.count);
    std::memcpy(result.digits, exact.digits, static_cast<std::size_t>(wanted));
    result.count = wanted;
    if (exact.digits[wanted] < '5') {
        if (wanted == 0) result.count = 0;
        return result;
    }
    int i = wanted - 1;
    while (i >= 0 && result.digits[i] == '9') result.digits[i--] = '0';
    if (i >= 0) {
        ++result.digits[i];
        return result;
    }
    // Carried out of the first digit: 1 followed by zeros, one place higher.
    result.digits[0] = '1';
    std::fill(result.digits + 1, result.digits + std::max(wanted, 1), '0');
    result.exponent += 1;
    if (mode == RoundMode::placesAfterPoint) {
        result.count = std::min(wanted + 1, limit);
        std::fill(result.digits + 1, result.digits + result.count, '0');
    } else {
        result.count = wanted;
    }
    return result;
}

DecimalDigits roundDecimal(double magnitude, RoundMode mode, int count, int limit) {
    return roundDigits(exactDigits(magnitude, DecimalDigits::maximumCount), mode, count, limit);
}
