// referenceRealField: the field rules applied to the exact decimal expansion.
#include "tests/support/reference_field.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Exact {
    std::string digits;  // all significant digits of the exact value
    int exponent;        // value = 0.digits x 10^exponent
};

Exact exactExpansion(double magnitude) {
    // 800 digits hold the whole expansion of every double.
    char buffer[1000];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 800);
    std::string text(buffer, result.ptr);
    std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    return {digits, std::atoi(text.c_str() + e + 1) + 1};
}

// Half-up rounding of the exact digits to n digits; a carry makes "1000..".
Exact roundTo(const Exact& exact, int n, bool gainDigitOnCarry, int limit) {
    if (n < 0) return {"", exact.exponent};
    std::string kept = exact.digits.substr(0, std::min<std::size_t>(n, exact.digits.size()));
    kept.resize(n, '0');
    char next = n < static_cast<int>(exact.digits.size()) ? exact.digits[n] : '0';
    if (next < '5') return {kept, exact.exponent};
    int i = n - 1;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
        ++kept[i];
        return {kept, exact.exponent};
    }
    int length = gainDigitOnCarry ? std::min(n + 1, limit) : std::max(n, 1);
    return {"1" + std::string(length - 1, '0'), exact.exponent + 1};
}

Exact byPlaces(const Exact& exact, int places, int limit) {
    return roundTo(exact, std::min(places + exact.exponent, limit), true, limit);
}

}  // namespace

std::string referenceRealField(double value) {
    Exact exact = exactExpansion(std::fabs(value));
    std::string sign = std::signbit(value) ? "-" : "";
    Exact decision = byPlaces(exact, 17, 24);
    int e = decision.exponent;
    if (decision.digits.size() > 15 && decision.digits.compare(0, 15, std::string(15, '9')) == 0 &&
        decision.digits[15] >= '5')
        e += 1;
    std::string text;
    if (!decision.digits.empty() && e >= 0 && e <= 15) {
        int places = 15 - e;
        Exact fixed = byPlaces(exact, places, 19);
        std::string all = fixed.digits + std::string(40, '0');
        text = sign + (e == 0 ? "0" : all.substr(0, e)) + "." + all.substr(e, places);
        return std::string(19 - text.size(), ' ') + text + "     ";
    }
    Exact shown = roundTo(exact, 16, false, 16);
    int exponent = shown.exponent - 1;
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    text = sign + shown.digits.substr(0, 1) + "." + shown.digits.substr(1) + tail;
    return std::string(24 - text.size(), ' ') + text;
}
