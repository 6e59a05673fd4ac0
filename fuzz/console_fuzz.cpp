// Console answers: the input bytes are standard input, read request by
// request into text, integer and double targets (the first byte picks them).
// Every run must end in a delivered value or one of the reader's failures.
#include "fuzz/fuzz_support.h"
#include "textio/value_reader.h"

#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    int ends[2];
    if (pipe(ends) != 0 || dup2(ends[0], 0) < 0) std::abort();
    close(ends[0]);
    close(ends[1]);
    platform::noteStandardStreams();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 60000) return 0;  // all of it must fit in the pipe
    beginFuzzRun();
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    if (write(ends[1], data + 1, size - 1) != static_cast<ssize_t>(size - 1)) std::abort();
    close(ends[1]);
    dup2(ends[0], 0);
    close(ends[0]);
    std::uint8_t kinds = data[0];
    try {
        for (int request = 0;; ++request) {
            char text[80];
            std::int32_t integer = 0;
            double real = 0;
            switch ((kinds >> (request % 4 * 2)) & 3) {
            case 0: readValue(5, textTarget(text, sizeof text)); break;
            case 1: readValue(5, integerTarget(integer)); break;
            default: readValue(5, realTarget(real)); break;
            }
        }
    } catch (const RunEnded& end) {
        // The input always ends, so every run ends in a report.
        if (!statusIn(end.status, {24, 59, 64})) finding();
    }
    return 0;
}
