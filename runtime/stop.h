// The ways the run ends. Exactly one thread ends the run: the first to claim
// the ending (the main line's fatal path or stop, or the console-event
// handler) finishes it; a later claimant from another thread waits for the
// process to end and never writes a report.
#pragma once

#include <cstdint>

// Claims the ending for this thread. Returns at once when this thread already
// holds it or gets it now; otherwise parks the thread for good.
void claimEnding();

// Claims the ending for this thread and returns true, or returns false when
// another thread holds it already.
bool tryClaimEnding();

// Closes every channel no operation holds and ends the process with status.
[[noreturn]] void endRun(std::uint32_t status);

// The normal stop: closes the channels and exits with status 0, silently.
[[noreturn]] void normalStop();
