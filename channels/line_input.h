// Line input: records located in place in a channel's buffer, and the
// whole-line read into a fixed blank-padded field.
#pragma once

#include "channels/channel.h"
#include "runtime/diagnostic_code.h"

#include <cstddef>
#include <cstdint>

// The largest buffer a channel may grow to; a longer line is "too long".
inline constexpr std::size_t maximumBufferSize = std::size_t{1} << 28;

// Locates the next record of the channel between recordStart and recordEnd
// (its LF and one CR before it excluded). Returns 0, or the failure:
// endOfFile (no more bytes, or a lone Ctrl-Z record), recordTooLong, readError
// (lastSystemError keeps the system's code). On a disk file only the first
// read of one call may come back short without a line feed; on a pipe or a
// terminal, input arriving in pieces is read until a line feed or the end.
DiagnosticCode readRecord(Channel& channel);

// Reads the next record of channel `number` into field (length characters,
// blank-padded; the rest of a longer record is skipped). Returns 0, or -1 at
// end of file when endBranch is set; any other failure ends the run.
std::int32_t readLine(std::int32_t number, char* field, std::size_t length, bool endBranch);
