// parseDoubleText beside strtod and std::from_chars, over the shared peer
// vectors and over typical data fields; and the in-memory parse of a
// 1024-character line of 90 numeric fields.
#include "textio/number_conversion.h"
#include "textio/value_reader.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string>& peerVectors() {
    static std::vector<std::string> texts = [] {
        std::vector<std::string> v;
        std::ifstream file(std::string(TALVO_SHARED_TESTDATA) + "/number-parsing/vectors.txt");
        std::string text, bits;
        while (file >> text >> bits) v.push_back(text);
        return v;
    }();
    return texts;
}

const std::vector<std::string>& typicalFields() {
    static std::vector<std::string> texts = {"12.5", "-3.25e-4", "1000", "0.001", "273.15", "6.02e23", "-17", "3.14159"};
    return texts;
}

template <typename Parse>
void parseAll(benchmark::State& state, const std::vector<std::string>& texts, Parse parse) {
    if (texts.empty()) state.SkipWithError("no shared test data");
    for (auto _ : state)
        for (const std::string& t : texts) benchmark::DoNotOptimize(parse(t));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

double ours(const std::string& t) { return parseDoubleText(t.data(), t.size()).value; }
double strtodParse(const std::string& t) { return std::strtod(t.c_str(), nullptr); }
double fromChars(const std::string& t) {
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

void parseDoubleTextPeer(benchmark::State& s) { parseAll(s, peerVectors(), ours); }
void strtodPeer(benchmark::State& s) { parseAll(s, peerVectors(), strtodParse); }
void fromCharsPeer(benchmark::State& s) { parseAll(s, peerVectors(), fromChars); }
void parseDoubleTextTypical(benchmark::State& s) { parseAll(s, typicalFields(), ours); }
void strtodTypical(benchmark::State& s) { parseAll(s, typicalFields(), strtodParse); }
void fromCharsTypical(benchmark::State& s) { parseAll(s, typicalFields(), fromChars); }

// 90 fields in a 1024-character line, each requested as a double.
void textParseOfAWideLine(benchmark::State& state) {
    std::string line;
    for (int i = 0; i < 90; ++i) line += std::to_string(i * 7.25 - 300.5) + (i % 3 ? " " : ",");
    line.resize(1024, ' ');
    for (auto _ : state) {
        beginTextParse(line.data(), line.size());
        double value;
        for (int i = 0; i < 90; ++i) parseValue(realTarget(value));
        endTextParse();
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations() * 90);
}

BENCHMARK(parseDoubleTextPeer);
BENCHMARK(strtodPeer);
BENCHMARK(fromCharsPeer);
BENCHMARK(parseDoubleTextTypical);
BENCHMARK(strtodTypical);
BENCHMARK(fromCharsTypical);
BENCHMARK(textParseOfAWideLine);

}  // namespace

BENCHMARK_MAIN();
