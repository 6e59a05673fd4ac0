// The Channel record: one numbered text stream with its handle, its byte
// buffer and the flags that the reader, the writer and the reports use.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::int32_t consoleInputChannel = 5;
inline constexpr std::int32_t consoleOutputChannel = 6;
inline constexpr std::size_t initialBufferSize = 8192;
inline constexpr std::int32_t nominalRecordLength = 134;
inline constexpr std::int16_t standardLineWidth = 80;

struct Channel {
    std::int32_t number = 0;
    std::string name;    // absolute file name, device name, or console name
    bool named = false;  // false once the name is released: reports say "Unknown"
    platform::Handle handle = platform::invalidHandle;
    bool connected = false;
    bool readOnly = false;             // opened through the read-only fallback
    bool diskFile = false;             // a regular file, the only kind ever cut
    bool truncateAtNextWrite = false;  // the next record cuts the file after itself
    bool errorBranch = false;          // the current operation's caller handles failures
    bool endBranch = false;            // the current operation's caller handles end of file
    std::int32_t lastSystemError = 0;
    std::int32_t recordLength = 0;
    std::int16_t lineWidth = 0;
    std::vector<char> buffer;  // its size is the channel's capacity
    std::size_t unreadStart = 0, unreadCount = 0;
    std::size_t recordStart = 0, recordEnd = 0;
    platform::FileIdentity identity;

    // Resets every field but the number, as after a failed open.
    void clear() {
        std::int32_t kept = number;
        *this = Channel{};
        number = kept;
    }
};
