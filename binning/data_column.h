// Reading the chosen column of the data file (channel 15) into the data set.
#pragma once

#include "binning/binning_run.h"

inline constexpr int dataChannel = 15;
inline constexpr int dataLineWidth = 1024;

// Reads at most 20000 lines; skips lines with # as first or second
// character; accepts a line once its first field is delivered, taking the
// chosen column's value as last delivered by any line (0.0 before that).
// Fills dataSet, count, minimum, maximum and sum.
void readDataColumn(BinningRun& run);
