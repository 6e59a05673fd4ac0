// The floating-point environment of the run: round to nearest, flags clear,
// every exception masked (no traps are ever enabled).
#include "runtime/start_up.h"

#include <cfenv>

void setUpFloatingPoint() {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_TONEAREST);
}
