// The histogram: bins partition the mesh, the sorted count agrees with a scan
// of every value, and the file holds the expected records.
#include "binning/histogram.h"

#include "channels/channel_table.h"
#include "channels/open_channel.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace {

// The reference: every value against the bin's two edges.
std::int32_t scanCount(const std::vector<double>& values, double low, double high) {
    std::int32_t tally = 0;
    for (double v : values)
        if (v >= low && v < high) ++tally;
    return tally;
}

struct Mesh {
    double lower, width, upper;
};

std::unique_ptr<BinningRun> meshRun(const Mesh& mesh, const std::vector<double>& values) {
    auto run = std::make_unique<BinningRun>();
    run->lower = mesh.lower;
    run->width = mesh.width;
    run->upper = mesh.upper;
    run->binCount = static_cast<std::int32_t>((mesh.upper - mesh.lower) / mesh.width);
    for (double v : values) run->dataSet[++run->count] = v;
    return run;
}

std::vector<std::int32_t> tallies(const BinningRun& run, const std::vector<double>& values) {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::int32_t> counts;
    for (std::int32_t k = 1; k <= run.binCount; ++k) {
        BinEdges edges = binEdges(run, k);
        counts.push_back(countInBin(sorted, edges.low, edges.high));
    }
    return counts;
}

TEST(Histogram, GridValuesAreEachCountedOnce) {
    std::vector<double> grid;
    for (int i = 0; i <= 100; ++i) grid.push_back(i / 10.0);
    auto run = meshRun({0.0, 0.1, 10.0}, grid);
    ASSERT_EQ(run->binCount, 100);
    for (double v : grid) {
        int bins = 0;
        for (std::int32_t k = 1; k <= run->binCount; ++k) {
            BinEdges edges = binEdges(*run, k);
            bins += v >= edges.low && v < edges.high;
        }
        EXPECT_EQ(bins, 1) << v;
    }
    std::vector<std::int32_t> counts = tallies(*run, grid);
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 101);
}

TEST(Histogram, EdgeCasesOfTheMesh) {
    struct Case {
        Mesh mesh;
        std::vector<double> values;
        std::vector<std::int32_t> counts;
    } cases[] = {
        {{0.5, 1, 5.5}, {1, 2, 3, 4, 5}, {1, 1, 1, 1, 1}},
        {{0, 1, 2}, {0, 1, 2}, {1, 2}},          // the value equal to upper is in the widened last bin
        {{0, 1, 2.5}, {0.5, 1.5, 2.4}, {1, 1}},  // 2.4 lies beyond the last bin
        {{0, 1, 3}, {-1, 0, 0, 0.999, 3.002, 3.001}, {3, 0, 0}},
    };
    for (const Case& c : cases) {
        auto run = meshRun(c.mesh, c.values);
        EXPECT_EQ(tallies(*run, c.values), c.counts) << c.mesh.lower << " " << c.mesh.width << " " << c.mesh.upper;
    }
}

TEST(Histogram, SortedCountEqualsScanOnRandomData) {
    std::mt19937_64 random(42);
    for (int trial = 0; trial < 200; ++trial) {
        Mesh mesh{std::uniform_real_distribution<double>(-10, 10)(random),
                  std::uniform_real_distribution<double>(0.01, 3)(random), 0};
        mesh.upper = mesh.lower + mesh.width * static_cast<double>(random() % 50) + 0.3 * mesh.width;
        auto run = meshRun(mesh, {});
        std::vector<double> values;
        for (int i = 0; i < 300; ++i) {
            switch (random() % 4) {
            case 0: values.push_back(std::uniform_real_distribution<double>(-15, 25)(random)); break;
            case 1: values.push_back(binEdges(*run, static_cast<std::int32_t>(random() % 60) + 1).low); break;
            case 2: values.push_back(values.empty() ? 0.0 : values[random() % values.size()]); break;
            default: values.push_back(binEdges(*run, std::max(run->binCount, 1)).high); break;
            }
        }
        for (double v : values) run->dataSet[++run->count] = v;
        std::vector<std::int32_t> counts = tallies(*run, values);
        for (std::int32_t k = 1; k <= run->binCount; ++k) {
            BinEdges edges = binEdges(*run, k);
            ASSERT_EQ(counts[k - 1], scanCount(values, edges.low, edges.high)) << "trial " << trial << " bin " << k;
        }
    }
}

TEST(Histogram, FileRecords) {
    std::string directory = makeScratchDirectory();
    std::string path = directory + "/hist.txt";
    ChildResult result = runInChild([&] {
        openChannel(21, path.data(), path.size(), OpenMode::OpenOrCreate, false);
        auto run = meshRun({0, 1, 2}, {0, 1, 2, std::nan("")});
        writeHistogram(*run);
        auto none = meshRun({0, 0, 2}, {1});
        none->binCount = -2147483647 - 1;
        writeHistogram(*none);
        _exit(0);
    });
    EXPECT_EQ(result.status, 0);
    std::string heading = " # talvo dei dati\r\n  # <y>                           N_y\r\n";
    EXPECT_EQ(readWholeFile(path), heading + "  0.500000000000000                1\r\n"
                                             "   1.50000000000000                2\r\n" + heading);
    std::filesystem::remove_all(directory);
}

}  // namespace
