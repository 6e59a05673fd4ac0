// The square root the run uses: exact for +0, positive numbers and +Infinity,
// -0.0 unchanged, and a domain error report for negatives and NaN.
#pragma once

double squareRoot(double x);
