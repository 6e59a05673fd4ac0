// writeHistogram: the values are sorted once and each bin is counted by two
// binary searches, so a mesh of millions of bins costs little beyond writing.
#include "binning/histogram.h"

#include "textio/record_writer.h"

#include <algorithm>
#include <cmath>
#include <vector>

BinEdges binEdges(const BinningRun& run, std::int32_t k) {
    BinEdges edges;
    edges.low = static_cast<double>(k - 1) * run.width + run.lower;
    edges.centre = run.width / 2.0 + edges.low;
    if (k == run.binCount)
        edges.high = run.width / 1000.0 + (static_cast<double>(run.binCount) * run.width + run.lower);
    else
        edges.high = static_cast<double>(k) * run.width + run.lower;
    return edges;
}

std::int32_t countInBin(std::span<const double> sorted, double low, double high) {
    if (!(low < high)) return 0;
    auto first = std::lower_bound(sorted.begin(), sorted.end(), low);
    auto last = std::lower_bound(first, sorted.end(), high);
    return static_cast<std::int32_t>(last - first);
}

void writeHistogram(const BinningRun& run) {
    writeItems(histogramChannel, {textItem("# talvo dei dati")});
    writeItems(histogramChannel, {textItem(" # <y>                           N_y")});
    if (run.binCount < 1) return;
    static std::vector<double> sorted;
    sorted.clear();
    sorted.reserve(static_cast<std::size_t>(run.count));
    for (std::int32_t i = 1; i <= run.count; ++i)
        if (!std::isnan(run.dataSet[i])) sorted.push_back(run.dataSet[i]);
    std::sort(sorted.begin(), sorted.end());
    for (std::int32_t k = 1; k <= run.binCount; ++k) {
        BinEdges edges = binEdges(run, k);
        writeItems(histogramChannel, {realItem(edges.centre), integerItem(countInBin(sorted, edges.low, edges.high))});
        if (k == run.binCount) break;  // k + 1 would overflow at the largest count
    }
}
