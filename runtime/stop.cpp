// Ending the run: the single claim on the ending, the close and the exit.
#include "runtime/stop.h"

#include "channels/channel_table.h"
#include "platform/platform.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<bool> endingClaimed{false};
thread_local bool holdsEnding = false;

}  // namespace

bool tryClaimEnding() {
    if (holdsEnding) return true;
    bool expected = false;
    if (!endingClaimed.compare_exchange_strong(expected, true)) return false;
    holdsEnding = true;
    return true;
}

void claimEnding() {
    if (tryClaimEnding()) return;
    // Another thread is ending the run; it will end the process.
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

void endRun(std::uint32_t status) {
    claimEnding();
    closeAllChannels();
    platform::exitProcess(status);
}

void normalStop() { endRun(0); }
