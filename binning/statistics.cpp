// computeMeanAndVariance, suggestions and computeBinCount.
#include "binning/statistics.h"

#include <cmath>
#include <limits>

void computeMeanAndVariance(BinningRun& run) {
    run.mean = run.sum / static_cast<double>(run.count);
    double accumulator = 0.0;
    for (std::int32_t i = 1; i <= run.count; ++i) {
        double d = run.dataSet[i] - run.mean;
        accumulator = d * d + accumulator;
    }
    run.variance = accumulator / static_cast<double>(run.count - 1);
}

void suggestions(BinningRun& run) { run.suggestionStep = (run.maximum - run.minimum) / 20.0; }

std::int32_t truncateToInt32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::trunc(value));
}

void computeBinCount(BinningRun& run) { run.binCount = truncateToInt32((run.upper - run.lower) / run.width); }
