// startUp and the console-event handler.
#include "runtime/start_up.h"

#include "channels/channel_table.h"
#include "platform/platform.h"
#include "runtime/reports.h"
#include "runtime/stop.h"

#include <atomic>

void startUp() {
    static std::atomic<bool> done{false};
    if (done.exchange(true)) return;
    platform::noteStandardStreams();
    platform::startConsoleEvents(consoleEventHandler);
    setUpFloatingPoint();
}

const char* consoleEventName(int event) {
    switch (event) {
    case 0: return "control-C";
    case 1: return "control-BREAK";
    case 2: return "menu-CLOSE";
    default: return "unknown";
    }
}

void consoleEventHandler(int event) {
    if (!tryClaimEnding()) return;
    issueDiagnostic(diagnostic::consoleEvent, {consoleEventName(event)});
    endRun(static_cast<std::uint32_t>(event));
}
