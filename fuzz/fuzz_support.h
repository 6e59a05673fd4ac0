// What the fuzz targets share: a run that ends (a report and an exit) comes
// back to the harness as an exception carrying the exit status.
#pragma once

#include "channels/channel_table.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstdlib>

struct RunEnded {
    std::uint32_t status;
};

inline void throwRunEnded(std::uint32_t status) { throw RunEnded{status}; }

// Call at the start of every input: a fresh channel table, no faults.
inline void beginFuzzRun() {
    platform::setExitHook(throwRunEnded);
    platform::clearFaults();
    resetChannelTable();
}

// A finding: stops the fuzzer with a crash it reports.
[[noreturn]] inline void finding() { std::abort(); }

// True when status is one of the listed diagnostic numbers.
inline bool statusIn(std::uint32_t status, std::initializer_list<std::uint32_t> allowed) {
    for (std::uint32_t a : allowed)
        if ((status & 0xFF) == a) return true;
    return false;
}
