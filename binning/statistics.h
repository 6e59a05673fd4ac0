// Mean, sample variance, the mesh suggestions and the bin count, each an IEEE
// double computation in the order written.
#pragma once

#include "binning/binning_run.h"

#include <cstdint>

// mean = sum / count; variance = sum of (value - mean)^2 / (count - 1).
void computeMeanAndVariance(BinningRun& run);
// suggestionStep = (maximum - minimum) / 20.
void suggestions(BinningRun& run);
// binCount = (upper - lower) / width truncated toward zero; -2147483648 for
// NaN, infinities and quotients outside the 32-bit range.
void computeBinCount(BinningRun& run);
std::int32_t truncateToInt32(double value);
