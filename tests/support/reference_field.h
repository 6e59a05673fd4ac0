// An independent rendering of the 24-character real field for finite
// non-zero values: the exact digits come from the standard library's full
// expansion and are rounded half up here, by string operations. Tests and the
// fuzzer compare formatRealField with it.
#pragma once

#include <string>

// The field text for a finite, non-zero value.
std::string referenceRealField(double value);
