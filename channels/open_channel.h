// Opening a channel on a named file, device or standard stream.
#pragma once

#include "platform/platform.h"
#include "runtime/diagnostic_code.h"

#include <cstddef>
#include <cstdint>

enum class OpenMode { OpenOrCreate, ExistingOnly };

// Connects channel `number` to the file named by the first nameLength
// characters of nameText. Returns 0; on failure returns the diagnostic number
// when errorBranch is set (the channel stays unconnected, nothing is printed),
// and otherwise ends the run with the diagnostic.
std::int32_t openChannel(std::int32_t number, const char* nameText, std::size_t nameLength, OpenMode mode,
                         bool errorBranch);

// The diagnostic for a system error met while opening.
DiagnosticCode diagnosticForOpenError(int error);
