// Diagnostic codes: a 32-bit value holding a severity and a message number.
// Every failure the run reports is one of these; the catalog gives its text.
#pragma once

#include <cstdint>

using DiagnosticCode = std::uint32_t;

enum class Severity : std::uint32_t { info = 1, error = 2, severe = 3 };

constexpr DiagnosticCode makeDiagnosticCode(Severity severity, std::uint16_t number) {
    return (static_cast<std::uint32_t>(severity) << 30) | number;
}
constexpr Severity severityOf(DiagnosticCode code) { return static_cast<Severity>(code >> 30); }
// The message number as reports print it: bits 15-0 read as a signed 16-bit value.
constexpr std::int16_t messageNumberOf(DiagnosticCode code) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(code & 0xFFFF));
}

namespace diagnostic {
inline constexpr DiagnosticCode permissionDenied = makeDiagnosticCode(Severity::severe, 9);
inline constexpr DiagnosticCode recordTooLong = makeDiagnosticCode(Severity::severe, 22);
inline constexpr DiagnosticCode endOfFile = makeDiagnosticCode(Severity::severe, 24);
inline constexpr DiagnosticCode closeError = makeDiagnosticCode(Severity::severe, 28);
inline constexpr DiagnosticCode fileNotFound = makeDiagnosticCode(Severity::severe, 29);
inline constexpr DiagnosticCode openFailure = makeDiagnosticCode(Severity::severe, 30);
inline constexpr DiagnosticCode writeError = makeDiagnosticCode(Severity::severe, 38);
inline constexpr DiagnosticCode readError = makeDiagnosticCode(Severity::severe, 39);
inline constexpr DiagnosticCode recursiveOperation = makeDiagnosticCode(Severity::severe, 40);
inline constexpr DiagnosticCode outOfMemory = makeDiagnosticCode(Severity::severe, 41);
inline constexpr DiagnosticCode noSuchDevice = makeDiagnosticCode(Severity::severe, 42);
inline constexpr DiagnosticCode badFileName = makeDiagnosticCode(Severity::severe, 43);
inline constexpr DiagnosticCode writeToReadOnly = makeDiagnosticCode(Severity::severe, 47);
inline constexpr DiagnosticCode syntaxError = makeDiagnosticCode(Severity::severe, 59);
inline constexpr DiagnosticCode conversionError = makeDiagnosticCode(Severity::severe, 64);
inline constexpr DiagnosticCode consoleEvent = makeDiagnosticCode(Severity::error, 200);
}  // namespace diagnostic
