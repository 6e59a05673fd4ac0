// squareRoot: the correctly rounded root, with the math-library domain report.
#include "runtime/square_root.h"

#include "runtime/reports.h"

#include <cmath>

double squareRoot(double x) {
    if (x == 0.0) return x;  // keeps the sign of -0.0
    if (std::isnan(x) || x < 0.0) reportMathError(6201, "sqrt: DOMAIN error");
    return std::sqrt(x);
}
