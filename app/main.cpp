// talvo's entry: start-up, then the run, which ends the process itself.
#include "binning/binning_run.h"
#include "runtime/start_up.h"

int main() {
    startUp();
    run();
}
