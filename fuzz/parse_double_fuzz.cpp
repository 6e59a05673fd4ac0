// parseDoubleText against std::from_chars on a decimal string rebuilt from the
// digits that take part (the first 27 significant ones), checked by a grammar
// written here: any difference in validity, range or bits is a finding.
#include "textio/number_conversion.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Expected {
    bool valid = true;
    bool zero = false;  // no non-zero mantissa digit
    bool negative = false;
    std::string digits;  // the significant digits that take part
    long long power = 0;
};

bool digit(char c) { return c >= '0' && c <= '9'; }
bool sign(char c) { return c == '+' || c == '-'; }
bool letter(char c) { return std::string("EeDdQq").find(c) != std::string::npos && c != '\0'; }

Expected invalid() {
    Expected e;
    e.valid = false;
    return e;
}

Expected expectationOf(const std::string& text) {
    Expected e;
    std::size_t i = 0, n = text.size();
    if (i < n && sign(text[i])) e.negative = text[i++] == '-';
    bool point = false;
    long long afterPoint = 0, dropped = 0;
    for (; i < n; ++i) {
        if (digit(text[i])) {
            if (point) ++afterPoint;
            if (e.digits.empty() && text[i] == '0') continue;
            if (e.digits.size() < 27) e.digits += text[i];
            else ++dropped;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < n) {
        if (letter(text[i])) ++i;
        else if (!sign(text[i])) return invalid();
        bool signSeen = false, nonZero = false;
        for (; i < n; ++i) {
            if (digit(text[i])) {
                nonZero = nonZero || text[i] != '0';
                exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000LL);
            } else if (sign(text[i]) && !signSeen && !nonZero) {
                signSeen = true;
                negativeExponent = text[i] == '-';
            } else {
                return invalid();
            }
        }
    }
    e.zero = e.digits.empty();
    e.power = (negativeExponent ? -exponent : exponent) - afterPoint + dropped;
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    DoubleConversion ours = parseDoubleText(text.data(), text.size());
    Expected e = expectationOf(text);
    if (!e.valid) {
        if (ours.status != ConversionStatus::badCharacter) std::abort();
        return 0;
    }
    if (e.zero) {
        if (ours.status != ConversionStatus::success || std::bit_cast<std::uint64_t>(ours.value) != 0) std::abort();
        return 0;
    }
    std::string rebuilt = e.digits + "e" + std::to_string(e.power);
    double magnitude = 0;
    auto result = std::from_chars(rebuilt.data(), rebuilt.data() + rebuilt.size(), magnitude);
    bool huge = static_cast<long long>(e.digits.size()) + e.power > 0;
    if (result.ec == std::errc::result_out_of_range) {
        if (huge) {
            if (ours.status != ConversionStatus::outOfRange) std::abort();
            return 0;
        }
        magnitude = 0.0;  // below half the smallest subnormal
    } else if (result.ec != std::errc() || std::isinf(magnitude)) {
        std::abort();
    }
    double expected = e.negative ? -magnitude : magnitude;
    if (ours.status != ConversionStatus::success) std::abort();
    if (std::bit_cast<std::uint64_t>(ours.value) != std::bit_cast<std::uint64_t>(expected)) std::abort();
    return 0;
}
