// Preparing a typed file name: trimming, the reserved device names, and the
// absolute form against the current directory, folded by text alone.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <string>

enum class NameKind {
    file,            // an ordinary file: open `name`
    standardStream,  // no file is opened: the channel takes `stream`
    nullDevice,      // the null device
    refusedDevice,   // a device this system does not offer
};

struct PreparedName {
    NameKind kind = NameKind::file;
    std::string name;  // what the channel keeps and reports
    platform::StandardStream stream = platform::StandardStream::output;
};

inline constexpr std::size_t maximumNameLength = 256;

// Trims text (its first `length` characters, at most 256) and classifies it.
// A file name is made absolute against the current directory when the result
// is shorter than 256 characters; an empty name stays empty.
PreparedName prepareFileName(const char* text, std::size_t length);
