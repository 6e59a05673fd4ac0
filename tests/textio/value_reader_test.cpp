// The free-format value reader: data lines parsed in memory and console
// answers read from standard input, with the failures that end the run.
#include "textio/value_reader.h"

#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double untouched = 99.0;

// The values `requests` double requests deliver from line: "_" for a request
// that left its variable alone, "EOF" where the line ran out of values.
std::string parseLine(const std::string& line, int requests) {
    beginTextParse(line.data(), line.size());
    std::string shown;
    for (int i = 0; i < requests; ++i) {
        double value = untouched;
        if (!shown.empty()) shown += ' ';
        if (parseValue(realTarget(value)) == ParseResult::endOfFile) return shown + "EOF";
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        shown += value == untouched ? "_" : text;
    }
    endTextParse();
    return shown;
}

TEST(TextParse, SeparatorsNullsRepeatsAndSlash) {
    struct Case {
        const char* line;
        int requests;
        const char* values;
    } cases[] = {
        {"1 2 3 4", 4, "1 2 3 4"},
        {"1,2,3,4", 4, "1 2 3 4"},
        {"1 , 2 ,3, 4", 4, "1 2 3 4"},
        {"1\t2", 2, "1 2"},
        {"1,,3,4", 4, "1 _ 3 4"},
        {",2,3,4", 4, "_ 2 3 4"},
        {"1, ,3", 3, "1 _ 3"},
        {"4,,6", 3, "4 _ 6"},
        {"1 2 / 9", 4, "1 2 _ _"},
        {"1 2", 3, "1 2 EOF"},
        {"1,2,", 3, "1 2 EOF"},
        {"1,2,,", 4, "1 2 _ EOF"},
        {"3*1.5 9", 4, "1.5 1.5 1.5 9"},
        {"2* 9", 3, "_ _ 9"},
        {"2*,5", 3, "_ _ 5"},
        {"2*/ 5", 3, "_ _ _"},
        {"0*5", 2, "5 EOF"},
        {"-1*5 6", 2, "5 6"},
        {"", 1, "EOF"},
        {"      ", 1, "EOF"},
        {"- . E", 3, "0 0 0"},
        {"T Temp F Flux .TRUE. .f", 6, "-1 -1 0 0 -1 0"},
        {"(1.5,2.5) 7", 2, "1.5 7"},
        {"(1.5 ,-2E) 7", 2, "1.5 7"},
        {"1.0+2 2D3", 2, "100 2000"},
        {"1,5 7", 3, "1 5 7"},
    };
    for (const Case& c : cases) EXPECT_EQ(parseLine(c.line, c.requests), c.values) << c.line;
}

TEST(TextParse, CallerBufferMayChangeDuringTheParse) {
    char line[] = "1 2";
    beginTextParse(line, sizeof line - 1);
    std::memcpy(line, "7 8", 3);
    double first = 0, second = 0;
    parseValue(realTarget(first));
    parseValue(realTarget(second));
    endTextParse();
    EXPECT_EQ(first, 1.0);
    EXPECT_EQ(second, 2.0);
}

std::string internalReport(int number, const char* text) {
    return "ffio: severe (" + std::to_string(number) + "): " + text +
           ", unit -5, file Internal List-Directed Read\r\r\n";
}

TEST(TextParse, BadFieldsEndTheRunNamingTheInternalRead) {
    const std::string syntax = internalReport(59, "list-directed I/O syntax error");
    const std::string conversion = internalReport(64, "input conversion error");
    struct Case {
        const char* line;
        const std::string& report;
        int status;
    } cases[] = {
        {"x1", syntax, 59},         {"1.5abc", syntax, 59},     {"1.2.3", syntax, 59},
        {"1E5E", syntax, 59},       {"(1.5, 2.5)", syntax, 59}, {"(1.5,2.5", syntax, 59},
        {"(", syntax, 59},          {")", syntax, 59},          {"((1,2)", syntax, 59},
        {"*5", syntax, 59},         {"1\r", syntax, 59},        {"'abc", syntax, 59},
        {"value", syntax, 59},      {"  #", syntax, 59},        {"(T,1)", syntax, 59},
        {"'12'", conversion, 64},   {"1E999", conversion, 64},  {"99999999999*5", conversion, 64},
        {"3*'a'", conversion, 64},  {"1+2+3", conversion, 64},
    };
    for (const Case& c : cases) {
        ChildResult result = runInChild([&] { parseLine(c.line, 3); });
        EXPECT_EQ(result.err, c.report) << c.line;
        EXPECT_EQ(result.status, c.status) << c.line;
    }
}

TEST(TextParse, RandomBytesEndInAValueTheEndOrAReport) {
    // Every outcome is a delivered value, the end of the record, or a report
    // with status 59 or 64; nothing crashes or reads outside the line.
    std::mt19937_64 random(17);
    const char alphabet[] = "0123456789+-.,/*()'\" \tTFEDQxz#\r";
    for (int i = 0; i < 300; ++i) {
        std::string line(random() % 60, ' ');
        for (char& c : line) c = alphabet[random() % (sizeof alphabet - 1)];
        if (i % 50 == 0) line += std::string(2000 + random() % 200, '7');
        if (i % 7 == 0) line[random() % (line.size() + 1) % std::max<std::size_t>(line.size(), 1)] = '\0';
        ChildResult result = runInChild([&] {
            parseLine(line, 40);
            _exit(0);
        });
        EXPECT_TRUE(result.status == 0 || result.status == 59 || result.status == 64)
            << "status " << result.status << " signal " << result.signal << " for [" << line << "]";
    }
}

// Console requests: each line of the output names what one request stored.
std::string answer(const std::string& input, const std::vector<TargetKind>& kinds, ChildResult* failed = nullptr) {
    ChildResult result = runInChild(
        [&] {
            for (TargetKind kind : kinds) {
                char text[80];
                std::memset(text, 'Z', sizeof text);
                std::int32_t integer = 12345;
                double real = untouched;
                if (kind == TargetKind::text) readValue(5, textTarget(text, sizeof text));
                if (kind == TargetKind::integer) readValue(5, integerTarget(integer));
                if (kind == TargetKind::real) readValue(5, realTarget(real));
                if (kind == TargetKind::text) {
                    std::string shown(text, sizeof text);
                    shown.erase(shown.find_last_not_of(' ') + 1);
                    dprintf(1, "[%s]\n", shown.c_str());
                }
                if (kind == TargetKind::integer) dprintf(1, "%d\n", integer);
                if (kind == TargetKind::real) dprintf(1, "%g\n", real);
            }
            _exit(0);
        },
        input);
    if (failed) *failed = result;
    return result.out;
}

TEST(ConsoleAnswer, TextFields) {
    const std::string zs(80, 'Z');
    struct Case {
        std::string input;
        std::string stored;
    } cases[] = {
        {"my file.dat\n", "[my]\n"},
        {"'my file.dat'\n", "[my file.dat]\n"},
        {"C:/data/x.dat\n", "[C:]\n"},
        {"'C:/data/x.dat'\n", "[C:/data/x.dat]\n"},
        {"'it''s'\n", "[it's]\n"},
        {"\"say \"\"hi\"\", 'x'\"\n", "[say \"hi\", 'x']\n"},
        {"test.dat\n", "[test.dat]\n"},
        {".profile\n", "[.profile]\n"},
        {"(a)\n", "[(a)]\n"},
        {"2data.txt\n", "[2data.txt]\n"},
        {"True\n", "[True]\n"},
        {"2*'name'\n", "[name]\n"},
        {"2*\n", "[" + zs + "]\n"},
        {",\n", "[" + zs + "]\n"},
        {"/\n", "[" + zs + "]\n"},
        {"\n  \n\t\nname\n", "[name]\n"},
        {"'abc\ndef'\n", "[abcdef]\n"},
        {"''\n", "[]\n"},
        {"dati.txt\r\n", "[dati.txt]\n"},
        {std::string(100, 'a') + "\n", "[" + std::string(80, 'a') + "]\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(answer(c.input, {TargetKind::text}), c.stored) << c.input;
}

TEST(ConsoleAnswer, IntegersAndDoubles) {
    struct Case {
        const char* input;
        TargetKind kind;
        const char* stored;
    } cases[] = {
        {"3\n", TargetKind::integer, "3\n"},
        {"3.9\n", TargetKind::integer, "3\n"},
        {"-3.9\n", TargetKind::integer, "-3\n"},
        {"1E1\n", TargetKind::integer, "10\n"},
        {"3,\n", TargetKind::integer, "3\n"},
        {"3 abc\n", TargetKind::integer, "3\n"},
        {"T\n", TargetKind::integer, "-1\n"},
        {"F\n", TargetKind::integer, "0\n"},
        {"-\n", TargetKind::integer, "0\n"},
        {"1.0+2\n", TargetKind::integer, "100\n"},
        {"4294967297.0\n", TargetKind::integer, "1\n"},
        {"2147483648.5\n", TargetKind::integer, "-2147483648\n"},
        {"-1E19\n", TargetKind::integer, "0\n"},
        {"1E19\n", TargetKind::integer, "0\n"},
        {"(7,8)\n", TargetKind::integer, "7\n"},
        {",\n", TargetKind::integer, "12345\n"},
        {"1+2\n", TargetKind::real, "100\n"},
        {"2D3\n", TargetKind::real, "2000\n"},
        {"true\n", TargetKind::real, "-1\n"},
        {"(1.5,2.5)\n", TargetKind::real, "1.5\n"},
        {"/\n", TargetKind::real, "99\n"},
        {"\n\n  7\n", TargetKind::real, "7\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(answer(c.input, {c.kind}), c.stored) << c.input;
}

TEST(ConsoleAnswer, EachRequestStartsOnANewRecord) {
    EXPECT_EQ(answer("3 4\n5\n", {TargetKind::integer, TargetKind::integer}), "3\n5\n");
    EXPECT_EQ(answer("a b\nc\n", {TargetKind::text, TargetKind::text}), "[a]\n[c]\n");
}

std::string consoleReport(int number, const char* text) {
    return "ffio: severe (" + std::to_string(number) + "): " + text + ", unit 5, file CONIN$\r\r\n";
}

TEST(ConsoleAnswer, BadAnswersAndEndOfInputEndTheRun) {
    struct Case {
        const char* input;
        TargetKind kind;
        int status;
        std::string report;
    } cases[] = {
        {"3abc\n", TargetKind::integer, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"x\n", TargetKind::integer, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"'3'\n", TargetKind::integer, 64, consoleReport(64, "input conversion error")},
        {"1+2\n", TargetKind::integer, 64, consoleReport(64, "input conversion error")},
        {"hello\n", TargetKind::real, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"2*name\n", TargetKind::text, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"2*3\n", TargetKind::text, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"2*T\n", TargetKind::text, 59, consoleReport(59, "list-directed I/O syntax error")},
        {"", TargetKind::text, 24, consoleReport(24, "end-of-file during read")},
        {"\n\n", TargetKind::real, 24, consoleReport(24, "end-of-file during read")},
        {"'abc\n", TargetKind::text, 24, consoleReport(24, "end-of-file during read")},
        {"7", TargetKind::real, 24, consoleReport(24, "end-of-file during read")},
    };
    for (const Case& c : cases) {
        ChildResult result;
        answer(c.input, {c.kind}, &result);
        EXPECT_EQ(result.err, c.report) << c.input;
        EXPECT_EQ(result.status, c.status) << c.input;
    }
}

}  // namespace
