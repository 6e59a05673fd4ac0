// Test seams shared by every backend: a test names the Nth call of an
// operation that is to fail and the error it fails with; a fuzzer hooks the
// process exit.
#include "platform/platform.h"

#include <atomic>

namespace platform {
namespace {

struct FaultPlan {
    std::atomic<int> callsLeft{0};  // 0: no fault planned
    std::atomic<int> error{0};
};

FaultPlan plans[static_cast<int>(FaultOperation::count_)];

}  // namespace

void injectFault(FaultOperation operation, int nth, int error) {
    FaultPlan& plan = plans[static_cast<int>(operation)];
    plan.error = error;
    plan.callsLeft = nth;
}

void clearFaults() {
    for (FaultPlan& plan : plans) plan.callsLeft = 0;
}

int takeFault(FaultOperation operation) {
    FaultPlan& plan = plans[static_cast<int>(operation)];
    if (plan.callsLeft.load() <= 0) return 0;
    return --plan.callsLeft == 0 ? plan.error.load() : 0;
}

namespace {
std::atomic<ExitHook> exitHook{nullptr};
}  // namespace

void setExitHook(ExitHook hook) { exitHook = hook; }

void runExitHook(std::uint32_t status) {
    if (ExitHook hook = exitHook.load()) hook(status);
}

}  // namespace platform
