// The 12- and 24-character number fields: the worked examples and boundaries,
// then a sweep against digits computed another way (the standard library's
// exact expansion, rounded half up here).
#include "textio/number_fields.h"

#include "tests/support/reference_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

std::string realField(double value) {
    char field[realFieldWidth];
    formatRealField(value, field);
    return {field, realFieldWidth};
}

std::string integerField(std::int32_t value) {
    char field[integerFieldWidth];
    formatIntegerField(value, field);
    return {field, integerFieldWidth};
}

double below(double value, int steps) {
    for (int i = 0; i < steps; ++i) value = std::nextafter(value, 0.0);
    return value;
}

TEST(IntegerField, RightJustifiedWithSign) {
    struct Case {
        std::int32_t value;
        const char* field;
    } cases[] = {
        {0, "           0"},
        {42, "          42"},
        {-7, "          -7"},
        {2147483647, "  2147483647"},
        {-2147483647 - 1, " -2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(integerField(c.value), c.field) << c.value;
}

TEST(RealField, WorkedExamplesAndBoundaries) {
    struct Case {
        double value;
        const char* field;
    } cases[] = {
        {0.0, "  0.000000000000000E+000"},
        {-0.0, "  0.000000000000000E+000"},
        {1.0, "   1.00000000000000     "},
        {-1.0, "  -1.00000000000000     "},
        {1.5, "   1.50000000000000     "},
        {20.0, "   20.0000000000000     "},
        {1.0e8, "   100000000.000000     "},
        {123456789.0, "   123456789.000000     "},
        {12345.678, "   12345.6780000000     "},
        {0.1, "  0.100000000000000     "},
        {1.0 / 3.0, "  0.333333333333333     "},
        {2.0 / 3.0, "  0.666666666666667     "},
        {-2.5, "  -2.50000000000000     "},
        {0.05, "  5.000000000000000E-002"},
        {1.0e-5, "  1.000000000000000E-005"},
        {999999999999999.0, "   999999999999999.     "},
        {1.0e15, "  1.000000000000000E+015"},
        {999999999999999.5, "  9.999999999999995E+014"},
        {below(0.1, 1), "  0.100000000000000     "},  // carries into 0.1: fixed form
        {below(0.1, 4), "  0.100000000000000     "},  // 16th decision digit exactly 5
        {below(0.1, 5), "  9.999999999999994E-002"},
        {below(100000.0, 1), "   100000.000000000     "},
        {100000.0009765625, "   100000.000976563     "},  // an exact half rounds up
        {-1.5e-300, " -1.500000000000000E-300"},
        {std::numeric_limits<double>::denorm_min(), "  4.940656458412465E-324"},
        {std::numeric_limits<double>::max(), "  1.797693134862316E+308"},
        {-std::numeric_limits<double>::max(), " -1.797693134862316E+308"},
        {std::numeric_limits<double>::infinity(), " Infinity               "},
        {-std::numeric_limits<double>::infinity(), " -Infinity              "},
        {std::numeric_limits<double>::quiet_NaN(), " NaN                    "},
        {-std::numeric_limits<double>::quiet_NaN(), " NaN                    "},
        {-2147483648.0, "  -2147483648.00000     "},
        {0.5, "  0.500000000000000     "},
        {9.5, "   9.50000000000000     "},
        {2.3, "   2.30000000000000     "},
        {0.4, "  0.400000000000000     "},
    };
    for (const Case& c : cases) EXPECT_EQ(realField(c.value), c.field) << std::hexfloat << c.value;
}

void expectLikeReference(double value) {
    if (value == 0.0) return;  // zero is in the table
    ASSERT_EQ(realField(value), referenceRealField(value)) << std::hexfloat << value;
}

// value and `radius` neighbouring doubles on each side.
void expectNeighbourhoodLikeReference(double value, int radius) {
    double up = value, down = value;
    for (int step = 0; step <= radius; ++step) {
        expectLikeReference(up);
        expectLikeReference(down);
        up = std::nextafter(up, INFINITY);
        down = std::nextafter(down, 0.0);
    }
}

TEST(RealField, RandomBitPatternsMatchExactDigits) {
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 200000; ++i) {
        double value = std::bit_cast<double>(random());
        if (std::isfinite(value)) expectLikeReference(value);
    }
}

TEST(RealField, TypicalMagnitudesMatchExactDigits) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-5.0, 15.0);
    for (int i = 0; i < 100000; ++i) expectLikeReference(std::pow(10.0, exponent(random)) * (i % 2 ? 1 : -1));
}

TEST(RealField, NeighboursOfPowersOfTenMatchExactDigits) {
    for (int k = -323; k <= 308; ++k) expectNeighbourhoodLikeReference(std::strtod(("1e" + std::to_string(k)).c_str(), nullptr), 5);
}

TEST(RealField, DecisionBoundariesMatchExactDigits) {
    // Values whose 15- or 16-digit rounding sits on a tie or a carry.
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        double whole = static_cast<double>(random() % 900000000000000ull + 100000000000000ull);
        expectLikeReference(whole + 0.5);  // exact half at the last fixed place
        int shift = static_cast<int>(random() % 30) - 15;
        expectNeighbourhoodLikeReference((whole + 0.5) * std::pow(10.0, shift), 1);
    }
    for (int digits = 1; digits <= 17; ++digits) {
        // 0.999..95 and 9.99..95 patterns at every length.
        std::string nines(digits, '9');
        for (const char* shape : {"0.%s5", "%s.5", "%s5e-20", "%s5e20", "0.0%s5"}) {
            char text[64];
            std::snprintf(text, sizeof text, shape, nines.c_str());
            expectNeighbourhoodLikeReference(std::stod(text), 2);
        }
    }
}

TEST(RealField, SubnormalsMatchExactDigits) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 5000; ++i) expectLikeReference(std::bit_cast<double>(random() & ((1ull << 52) - 1)) + 0.0);
}

}  // namespace
