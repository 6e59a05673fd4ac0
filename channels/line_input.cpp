// readRecord and readLine.
#include "channels/line_input.h"

#include "channels/channel_table.h"
#include "runtime/reports.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr char ctrlZ = 26;

// Drops the CR before the line end and spots the lone Ctrl-Z end mark.
DiagnosticCode finishRecord(Channel& channel) {
    const char* data = channel.buffer.data();
    if (channel.recordEnd > channel.recordStart && data[channel.recordEnd - 1] == '\r') --channel.recordEnd;
    if (channel.recordEnd - channel.recordStart == 1 && data[channel.recordStart] == ctrlZ)
        return diagnostic::endOfFile;
    return 0;
}

// Doubles the buffer, keeping its content; the new free space is the added
// half. False when it cannot grow.
bool growBuffer(Channel& channel, std::size_t& freeSpace) {
    std::size_t capacity = channel.buffer.size();
    if (capacity * 2 > maximumBufferSize) return false;
    try {
        channel.buffer.resize(capacity * 2);
    } catch (const std::bad_alloc&) {
        return false;
    }
    channel.recordLength = static_cast<std::int32_t>(capacity * 2);
    freeSpace = capacity;
    return true;
}

}  // namespace

DiagnosticCode readRecord(Channel& channel) {
    char* data = channel.buffer.data();
    const char* unread = data + channel.unreadStart;
    if (const void* lineFeed = std::memchr(unread, '\n', channel.unreadCount)) {
        std::size_t end = static_cast<const char*>(lineFeed) - data;
        channel.recordStart = channel.unreadStart;
        channel.recordEnd = end;
        channel.unreadCount -= end + 1 - channel.unreadStart;
        channel.unreadStart = end + 1;
        return finishRecord(channel);
    }

    // The unread bytes begin the next record: move them to the front.
    std::size_t held = channel.unreadCount;
    std::memmove(data, unread, held);
    channel.unreadStart = 0;
    channel.unreadCount = held;
    std::size_t freeSpace = channel.buffer.size() - held;
    int readAllowance = 1;
    for (;;) {
        platform::IoResult got = platform::readFile(channel.handle, channel.buffer.data() + held, freeSpace);
        if (got.error != 0) {
            channel.lastSystemError = got.error;
            return platform::isEndOfFileError(got.error) ? diagnostic::endOfFile : diagnostic::readError;
        }
        // An unterminated last line is not delivered.
        if (got.count == 0) return diagnostic::endOfFile;
        data = channel.buffer.data();
        if (const void* lineFeed = std::memchr(data + held, '\n', got.count)) {
            std::size_t end = static_cast<const char*>(lineFeed) - data;
            channel.recordStart = 0;
            channel.recordEnd = end;
            channel.unreadStart = end + 1;
            channel.unreadCount = held + got.count - (end + 1);
            return finishRecord(channel);
        }
        held += got.count;
        channel.unreadCount = held;
        if (got.count == freeSpace) {
            if (!growBuffer(channel, freeSpace)) return diagnostic::recordTooLong;
            readAllowance = std::max(readAllowance, 1);
        } else {
            // On a disk file a short read means the end of the file: a second
            // one in the same record means the line cannot be had whole.
            if (channel.diskFile && readAllowance == 0) return diagnostic::recordTooLong;
            freeSpace -= got.count;
        }
        --readAllowance;
    }
}

std::int32_t readLine(std::int32_t number, char* field, std::size_t length, bool endBranch) {
    Channel& channel = channelFor(number, false);
    channel.endBranch = endBranch;
    channel.errorBranch = false;
    if (DiagnosticCode failure = readRecord(channel))
        return reportChannelFailure(ChannelDisposal::release, failure, channel);
    std::size_t recordLength = channel.recordEnd - channel.recordStart;
    std::size_t copied = std::min(recordLength, length);
    std::memcpy(field, channel.buffer.data() + channel.recordStart, copied);
    std::memset(field + copied, ' ', length - copied);
    releaseChannel(number);
    return 0;
}
