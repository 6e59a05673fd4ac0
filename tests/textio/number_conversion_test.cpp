// Number text conversion: the grammar's edge cases, the integer limits, and
// every line of the shared peer vectors bit for bit.
#include "textio/number_conversion.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr auto success = ConversionStatus::success;
constexpr auto badCharacter = ConversionStatus::badCharacter;
constexpr auto outOfRange = ConversionStatus::outOfRange;

DoubleConversion toDouble(const std::string& text) { return parseDoubleText(text.data(), text.size()); }
Int32Conversion toInt(const std::string& text) { return parseInt32Text(text.data(), text.size()); }

TEST(ParseInt32Text, LimitsSignsAndBadCharacters) {
    struct Case {
        const char* text;
        ConversionStatus status;
        std::int32_t value;
    } cases[] = {
        {"", success, 0},           {"+", success, 0},           {"-", success, 0},
        {"+7", success, 7},         {"-0", success, 0},          {"0042", success, 42},
        {"2147483647", success, 2147483647},                      {"-2147483648", success, -2147483647 - 1},
        {"2147483648", outOfRange, 0},                            {"-2147483649", outOfRange, 0},
        {"99999999999999999999999", outOfRange, 0},               {"1-2", badCharacter, 0},
        {"1.5", badCharacter, 0},   {"--1", badCharacter, 0},    {"1*", badCharacter, 0},
        {"12a", badCharacter, 0},
    };
    for (const Case& c : cases) {
        Int32Conversion result = toInt(c.text);
        EXPECT_EQ(result.status, c.status) << c.text;
        if (c.status == success) {
            EXPECT_EQ(result.value, c.value) << c.text;
        }
    }
}

TEST(ParseDoubleText, GrammarAndRange) {
    const double denormMin = std::numeric_limits<double>::denorm_min();
    struct Case {
        const char* text;
        ConversionStatus status;
        double value;
    } cases[] = {
        {"1+2", success, 100.0},    {"1.5-3", success, 0.0015},  {"2D3", success, 2000.0},
        {"2d3", success, 2000.0},   {"2Q3", success, 2000.0},    {"2q3", success, 2000.0},
        {"2E3", success, 2000.0},   {"2e3", success, 2000.0},    {".5", success, 0.5},
        {"5.", success, 5.0},       {"1.5E", success, 1.5},      {"1.5E+", success, 1.5},
        {"1+", success, 1.0},       {"1E0-5", success, 1.0e-5},  {"1E00+2", success, 100.0},
        {"1E5.5", badCharacter, 0}, {"1E5-3", badCharacter, 0},  {"1E-0-5", badCharacter, 0},
        {"1E+-5", badCharacter, 0}, {"1.2.3", badCharacter, 0},  {"1E5E", badCharacter, 0},
        {"1E308", success, 1e308},  {"1E309", outOfRange, 0},    {"1E99999", outOfRange, 0},
        {"1E-400", success, 0.0},   {"-1E-400", success, -0.0},  {"1E-99999", success, 0.0},
        {"4.9E-324", success, denormMin},                         {"2.4703282292062328E-324", success, denormMin},
        {"2.4703282292062327E-324", success, 0.0},                {"-0", success, 0.0},
        {"-0.0", success, 0.0},     {"-0.0E5", success, 0.0},    {"0E99999", success, 0.0},
        {".", success, 0.0},        {"-", success, 0.0},         {"+", success, 0.0},
        {"E", success, 0.0},        {"", success, 0.0},          {"0.1", success, 0.1},
        {"-12.5", success, -12.5},  {"1000", success, 1000.0},   {"-3.25e-4", success, -3.25e-4},
        {"1.7976931348623157E308", success, std::numeric_limits<double>::max()},
        {"1.7976931348623158E308", success, std::numeric_limits<double>::max()},
        {"1.7976931348623159E308", outOfRange, 0},
        {"1E000000000000000000000000000000000000001", success, 10.0},
        // 30 significant digits: only the first 27 count, as if followed by zeros.
        {"123456789012345678901234567999", success, 123456789012345678901234567000.0},
        {"0.000000000000000000000000000000001", success, 1e-33},
    };
    for (const Case& c : cases) {
        DoubleConversion result = toDouble(c.text);
        EXPECT_EQ(result.status, c.status) << c.text;
        if (c.status == success) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(result.value), std::bit_cast<std::uint64_t>(c.value))
                << c.text << " gave " << std::hexfloat << result.value;
        }
    }
}

TEST(ParseDoubleText, NoMantissaDigitGivesPositiveZero) {
    for (const char* text : {"-", "-.", "-E5", "-0E-5", "-000.000", "--5"}) {
        DoubleConversion result = toDouble(text);
        EXPECT_EQ(result.status, success) << text;
        EXPECT_FALSE(std::signbit(result.value)) << text;
    }
}

// Each line: a decimal string, a blank, the 16 hex digits of the expected bits.
void checkVectorFile(const std::string& name) {
    std::ifstream file(std::string(TALVO_SHARED_TESTDATA) + "/number-parsing/" + name);
    ASSERT_TRUE(file) << "missing shared test data " << name;
    std::string text, hex;
    int lines = 0, failures = 0;
    while (file >> text >> hex) {
        ++lines;
        std::uint64_t bits = std::stoull(hex, nullptr, 16);
        DoubleConversion result = toDouble(text);
        bool overflow = (bits & 0x7fffffffffffffffull) == 0x7ff0000000000000ull;
        bool ok = overflow ? result.status == outOfRange
                           : result.status == success && std::bit_cast<std::uint64_t>(result.value) == bits;
        if (!ok && ++failures <= 10) ADD_FAILURE() << name << ": " << text << " expected " << hex;
    }
    EXPECT_GT(lines, 1000);
    EXPECT_EQ(failures, 0);
}

TEST(ParseDoubleText, PeerVectors) { checkVectorFile("vectors.txt"); }
TEST(ParseDoubleText, LongVectorsCutAt27Digits) { checkVectorFile("vectors-long.txt"); }

TEST(ParseDoubleText, RoundTripsOfRandomDoubles) {
    // The shortest round-trip text of a double must come back to the same bits.
    std::mt19937_64 random(5);
    for (int i = 0; i < 100000; ++i) {
        double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        char text[64];
        int length = std::snprintf(text, sizeof text, "%.17g", value);
        DoubleConversion result = parseDoubleText(text, static_cast<std::size_t>(length));
        ASSERT_EQ(result.status, success) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(result.value), std::bit_cast<std::uint64_t>(value)) << text;
    }
}

TEST(ParseDoubleText, RandomBytesNeverReadOutOfBounds) {
    // Run under the sanitizers this proves the scan stays inside its text.
    std::mt19937_64 random(9);
    const char alphabet[] = "0123456789+-.eEdDqQ \t*x";
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 40, ' ');
        for (char& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        std::unique_ptr<char[]> exact(new char[text.size()]);
        std::memcpy(exact.get(), text.data(), text.size());
        parseDoubleText(exact.get(), text.size());
        parseInt32Text(exact.get(), text.size());
    }
}

TEST(LogicalWordValue, TrueIsMinusOne) {
    EXPECT_EQ(logicalWordValue('T'), -1);
    EXPECT_EQ(logicalWordValue('t'), -1);
    EXPECT_EQ(logicalWordValue('F'), 0);
    EXPECT_EQ(logicalWordValue('f'), 0);
}

}  // namespace
