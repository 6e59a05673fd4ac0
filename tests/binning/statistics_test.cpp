// Mean and variance, the suggestions and the bin count, including the
// degenerate data sets and meshes.
#include "binning/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

std::unique_ptr<BinningRun> runWith(std::initializer_list<double> values) {
    auto run = std::make_unique<BinningRun>();
    run->minimum = 1.0e8;
    run->maximum = -1.0e8;
    for (double v : values) {
        run->dataSet[++run->count] = v;
        run->sum += v;
        run->minimum = std::min(run->minimum, v);
        run->maximum = std::max(run->maximum, v);
    }
    return run;
}

TEST(MeanAndVariance, SampleForm) {
    auto run = runWith({2, 4, 4, 4, 5, 5, 7, 9});
    computeMeanAndVariance(*run);
    EXPECT_EQ(run->mean, 5.0);
    EXPECT_EQ(run->variance, 32.0 / 7.0);
}

TEST(MeanAndVariance, EmptyAndSingleDataSets) {
    auto empty = runWith({});
    computeMeanAndVariance(*empty);
    EXPECT_TRUE(std::isnan(empty->mean));
    EXPECT_EQ(empty->variance, 0.0);
    EXPECT_TRUE(std::signbit(empty->variance)) << "0.0 / -1.0 is -0.0";
    suggestions(*empty);
    EXPECT_EQ(empty->suggestionStep, -1.0e7);
    EXPECT_EQ(empty->minimum - empty->suggestionStep, 1.1e8);
    EXPECT_EQ(empty->suggestionStep * 2.0, -2.0e7);
    EXPECT_EQ(empty->suggestionStep + empty->maximum, -1.1e8);

    auto single = runWith({3.5});
    computeMeanAndVariance(*single);
    EXPECT_EQ(single->mean, 3.5);
    EXPECT_TRUE(std::isnan(single->variance));
}

TEST(BinCount, TruncatedTowardZeroOrMostNegative) {
    const std::int32_t most = std::numeric_limits<std::int32_t>::min();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double lower, width, upper;
        std::int32_t bins;
    } cases[] = {
        {0.5, 1, 5.5, 5},
        {0, 1, 2, 2},
        {0, 1, 2.5, 2},
        {0, 0.1, 10, 100},
        {0, 0, 5, most},
        {0, 0, 0, most},
        {5, 1, 0, -5},
        {5, 2, 4, 0},
        {0, 1e-300, 1, most},
        {nan, 1, 2, most},
        {0, HUGE_VAL, 2, 0},
        {-HUGE_VAL, 1, 2, most},
        {0, 1, 2147483647.5, 2147483647},
        {0, 1, 2147483648.0, most},
        {0, -1, 2147483648.5, -2147483647 - 1},
        {0, -1, 2147483649.0, most},
    };
    for (const Case& c : cases) {
        BinningRun run;
        run.lower = c.lower;
        run.width = c.width;
        run.upper = c.upper;
        computeBinCount(run);
        EXPECT_EQ(run.binCount, c.bins) << c.lower << " " << c.width << " " << c.upper;
    }
}

}  // namespace
