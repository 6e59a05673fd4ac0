// The histogram file (channel 21): two heading records and one record per bin
// with its centre and the number of values in it.
#pragma once

#include "binning/binning_run.h"

#include <cstdint>
#include <span>

inline constexpr int histogramChannel = 21;

// Edges of bin k (1 to binCount): [low, high). Consecutive bins share an edge,
// k x width + lower; the last bin reaches a thousandth of a width beyond the
// far edge binCount x width + lower.
struct BinEdges {
    double low;
    double centre;
    double high;
};
BinEdges binEdges(const BinningRun& run, std::int32_t k);

// Values v of sorted (ascending, no NaN) with low <= v < high.
std::int32_t countInBin(std::span<const double> sorted, double low, double high);

void writeHistogram(const BinningRun& run);
