// formatRealField beside snprintf("%.15E") and std::to_chars on the same
// values: typical magnitudes (1e-5 to 1e15) and the whole exponent range.
#include "textio/number_fields.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const std::vector<double>& typicalValues() {
    static std::vector<double> values = [] {
        std::mt19937_64 random(1);
        std::uniform_real_distribution<double> exponent(-5.0, 15.0);
        std::vector<double> v(4096);
        for (double& x : v) x = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        return v;
    }();
    return values;
}

const std::vector<double>& wholeRangeValues() {
    static std::vector<double> values = [] {
        std::mt19937_64 random(2);
        std::vector<double> v;
        while (v.size() < 4096) {
            double x = std::bit_cast<double>(random());
            if (std::isfinite(x)) v.push_back(x);
        }
        return v;
    }();
    return values;
}

template <typename Format>
void formatAll(benchmark::State& state, const std::vector<double>& values, Format format) {
    char out[64];
    for (auto _ : state)
        for (double x : values) {
            format(x, out);
            benchmark::DoNotOptimize(out);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}

void ours(double x, char* out) { formatRealField(x, out); }
void printfE(double x, char* out) { std::snprintf(out, 64, "%.15E", x); }
void toChars(double x, char* out) { std::to_chars(out, out + 64, x, std::chars_format::scientific, 15); }

void formatRealFieldTypical(benchmark::State& s) { formatAll(s, typicalValues(), ours); }
void snprintfTypical(benchmark::State& s) { formatAll(s, typicalValues(), printfE); }
void toCharsTypical(benchmark::State& s) { formatAll(s, typicalValues(), toChars); }
void formatRealFieldWholeRange(benchmark::State& s) { formatAll(s, wholeRangeValues(), ours); }
void snprintfWholeRange(benchmark::State& s) { formatAll(s, wholeRangeValues(), printfE); }
void toCharsWholeRange(benchmark::State& s) { formatAll(s, wholeRangeValues(), toChars); }

BENCHMARK(formatRealFieldTypical);
BENCHMARK(snprintfTypical);
BENCHMARK(toCharsTypical);
BENCHMARK(formatRealFieldWholeRange);
BENCHMARK(snprintfWholeRange);
BENCHMARK(toCharsWholeRange);

}  // namespace

BENCHMARK_MAIN();
