// Reports on standard error: the catalog-form report, the system-error line and
// the math-library report, and the hand-back of channel failures to callers
// that gave a branch. Standard error is written in text mode (LF -> CR LF),
// one write per report.
#pragma once

#include "runtime/diagnostic_code.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

struct Channel;

// The run-time tag that opens every catalog-form report and system-error line.
inline constexpr std::string_view runTimeTag = "ffio";

// One argument of a report: a 32-bit integer or a text.
struct DiagnosticArgument {
    DiagnosticArgument(std::int32_t value) : number(value) {}
    DiagnosticArgument(std::string_view value) : isText(true), text(value) {}
    DiagnosticArgument(const char* value) : isText(true), text(value) {}
    DiagnosticArgument(const std::string& value) : isText(true), text(value) {}
    bool isText = false;
    std::int32_t number = 0;
    std::string_view text;
};

// What happens to the channel of a failed operation.
enum class ChannelDisposal { keep, release, discard };

// Writes one catalog-form report. Returns for info and error codes; a severe
// code closes the channels and ends the process.
void issueDiagnostic(DiagnosticCode code, std::initializer_list<DiagnosticArgument> arguments);

// Hands a failed channel operation to its caller's branch (-1 for an end of
// file, else the message number) or reports it. A severe report never returns.
std::int16_t reportChannelFailure(ChannelDisposal disposal, DiagnosticCode code, Channel& channel);

// Writes the system-error line: the tag and the system's text for error.
void reportSystemError(int error);

// Writes the three-line math-library report and ends the run with status 3.
[[noreturn]] void reportMathError(int number, std::string_view text);

// Fills a catalog template; exposed for tests.
std::string formatCatalogText(std::string_view text, std::initializer_list<DiagnosticArgument> arguments);
