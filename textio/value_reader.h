// The free-format value reader: console answers (one value per request, each
// on a new record of the channel) and the fields of one text held in memory.
// Separators, null values, repeat counts, the slash, logical words, strings
// and parenthesised pairs; every failure but the in-memory end of the record
// ends the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class TargetKind { text, integer, real };

// What one request fills; written only when a value is delivered.
struct ValueTarget {
    TargetKind kind;
    char* text = nullptr;  // a text field of `width` characters
    std::size_t width = 0;
    std::int32_t* integer = nullptr;
    double* real = nullptr;
};

inline ValueTarget textTarget(char* field, std::size_t width) { return {TargetKind::text, field, width}; }
inline ValueTarget integerTarget(std::int32_t& value) { return {TargetKind::integer, nullptr, 0, &value}; }
inline ValueTarget realTarget(double& value) { return {TargetKind::real, nullptr, 0, nullptr, &value}; }

enum class ParseResult { delivered, endOfFile };

// The channel number and name that reports give an in-memory parse.
inline constexpr std::int32_t internalReadChannel = -5;
inline constexpr std::string_view internalReadName = "Internal List-Directed Read";

// Strings longer than this are a syntax error.
inline constexpr std::size_t maximumStringLength = 2049;

// One console request on channel `number`: fetches a new record, skips blank
// records, takes one value and ignores the rest of the record.
void readValue(std::int32_t number, const ValueTarget& target);

// Starts parsing a private copy of text as one record.
void beginTextParse(const char* text, std::size_t length);
// Takes the next value; endOfFile when the record holds none (the parse is
// then over and endTextParse is not called).
ParseResult parseValue(const ValueTarget& target);
// Takes up to `count` values and throws them away, as `count` requests into
// a scratch variable would, but passes over repeats and the rest of the list
// after a slash at once. `taken` tells how many were taken before an
// endOfFile.
ParseResult skipValues(std::int64_t count, std::int64_t& taken);
// Ends a parse whose requests all returned delivered.
void endTextParse();
