// Reading the chosen column: comments, remembered values, acceptance, the
// running range and the line limit.
#include "binning/data_column.h"

#include "channels/channel_table.h"
#include "channels/open_channel.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

class DataColumn : public ScratchTest {
protected:
    std::unique_ptr<BinningRun> read(const std::string& content, std::int32_t column) {
        resetChannelTable();
        std::string path = directory + "/data.txt";
        writeWholeFile(path, content);
        EXPECT_EQ(openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true), 0);
        auto run = std::make_unique<BinningRun>();
        run->column = column;
        readDataColumn(*run);
        return run;
    }
    std::vector<double> values(const std::string& content, std::int32_t column) {
        auto run = read(content, column);
        return {run->dataSet + 1, run->dataSet + 1 + run->count};
    }
};

using Values = std::vector<double>;

TEST_F(DataColumn, AcceptanceAndRememberedValues) {
    std::string wide;
    for (int i = 1; i <= 100; ++i) wide += std::to_string(i) + " ";
    struct Case {
        std::string content;
        std::int32_t column;
        Values accepted;
    } cases[] = {
        {"1 10\n2 20\n3\n", 2, {10, 20, 20}},
        {"5\n", 2, {0}},
        {"1,2,3\n", 2, {2}},
        {"1,5 7\n", 2, {5}},
        {"1,5 7\n", 3, {7}},
        {"1 8\n4,,6\n", 2, {8, 8}},
        {"1 8\n4 / 6\n", 2, {8, 8}},
        {"1 2\n3 4\n", 0, {}},
        {"1 2\n3 4\n", -3, {}},
        {"#x 1\n #y 2\n1 2\n", 2, {2}},
        {"Time Flux\n1 2\n", 2, {0, 2}},
        {"\n   \n1 2\n", 1, {1}},
        {"3*7\n", 3, {7}},
        {"1 2\n3 4\nlast 5", 2, {2, 4}},
        {"1 2\n\x1a\n3 4\n", 2, {2}},
        {wide + "\n", 95, {95}},
        {"1 2 /\n", 2000000000, {0}},
        {"1 2000000000*4\n", 2000000000, {4}},
    };
    for (const Case& c : cases) EXPECT_EQ(values(c.content, c.column), c.accepted) << c.content << " col " << c.column;
}

TEST_F(DataColumn, RangeStartsAtPlusMinusOneHundredMillion) {
    auto above = read("2e8\n3e8\n", 1);
    EXPECT_EQ(above->maximum, 3e8);
    EXPECT_EQ(above->minimum, 1e8);
    EXPECT_EQ(above->sum, 5e8);
    auto below = read("-2e8\n-3e8\n", 1);
    EXPECT_EQ(below->minimum, -3e8);
    EXPECT_EQ(below->maximum, -1e8);
    auto none = read("# nothing\n", 1);
    EXPECT_EQ(none->count, 0);
    EXPECT_EQ(none->minimum, 1e8);
    EXPECT_EQ(none->maximum, -1e8);
}

TEST_F(DataColumn, AtMost20000LinesCommentsIncluded) {
    std::string lines;
    for (int i = 0; i < 20005; ++i) lines += "1\n";
    EXPECT_EQ(read(lines, 1)->count, 20000);
    EXPECT_EQ(read("# heading\n" + lines, 1)->count, 19999);
}

TEST_F(DataColumn, BadFieldEndsTheRunWith59) {
    for (const char* content : {"  # comment\n", "time value\n", "1 abc\n"}) {
        std::string path = directory + "/bad.txt";
        writeWholeFile(path, content);
        ChildResult result = runInChild([&] {
            openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true);
            auto run = std::make_unique<BinningRun>();
            run->column = 2;
            readDataColumn(*run);
            _exit(0);
        });
        EXPECT_EQ(result.err,
                  "ffio: severe (59): list-directed I/O syntax error, unit -5, file Internal List-Directed Read\r\r\n")
            << content;
        EXPECT_EQ(result.status, 59) << content;
    }
}

}  // namespace
