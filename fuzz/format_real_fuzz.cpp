// formatRealField against an independent exact rendering of the same rules
// (the standard library's full expansion, rounded half up by string
// operations), for random bit patterns: any byte difference is a finding.
#include "tests/support/reference_field.h"
#include "textio/number_fields.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::uint64_t bits;
    std::memcpy(&bits, data, 8);
    double value = std::bit_cast<double>(bits);
    if (!std::isfinite(value) || value == 0.0) return 0;
    char field[realFieldWidth];
    formatRealField(value, field);
    if (std::string(field, realFieldWidth) != referenceRealField(value)) std::abort();
    return 0;
}
