// BinningRun: the state of the one binning run, from the dialogue's answers
// through the data set to the mesh and the bin count.
#pragma once

#include <cstdint>

inline constexpr int nameFieldWidth = 80;
inline constexpr int dataSetCapacity = 40000;
inline constexpr int maximumDataLines = 20000;

struct BinningRun {
    char dataFileName[nameFieldWidth] = {};
    char histogramFileName[nameFieldWidth] = {};
    std::int32_t column = 0;
    double dataSet[dataSetCapacity + 1] = {};  // numbered from 1
    std::int32_t count = 0;
    double minimum = 0.0;
    double maximum = 0.0;
    double sum = 0.0;
    double mean = 0.0;
    double variance = 0.0;
    double suggestionStep = 0.0;
    double lower = 0.0;
    double width = 0.0;
    double upper = 0.0;
    std::int32_t binCount = 0;
    double finalAnswer = 0.0;
};

// The dialogue, the files, the statistics and the histogram; ends the process.
[[noreturn]] void run();
