// Line input over a byte stream delivered through a pipe in chunks of random
// sizes (the first bytes seed them), and over the same bytes in a disk file.
// The records must be exactly the stream's lines: LF ends one, one CR before
// it is dropped, a lone Ctrl-Z line ends the input, an unterminated tail is
// never delivered.
#include "channels/line_input.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The records the bytes hold, and whether an unterminated tail follows them.
std::vector<std::string> expectedRecords(const std::string& bytes, bool& tail) {
    std::vector<std::string> records;
    std::size_t start = 0;
    tail = false;
    for (;;) {
        std::size_t lineFeed = bytes.find('\n', start);
        if (lineFeed == std::string::npos) {
            tail = start < bytes.size();
            return records;
        }
        std::string record = bytes.substr(start, lineFeed - start);
        if (!record.empty() && record.back() == '\r') record.pop_back();
        if (record == "\x1a") return records;
        records.push_back(record);
        start = lineFeed + 1;
    }
}

// Reads every record of the channel; returns the final result.
DiagnosticCode readAll(Channel& channel, std::vector<std::string>& records) {
    for (;;) {
        DiagnosticCode result = readRecord(channel);
        if (result != 0) return result;
        records.emplace_back(channel.buffer.data() + channel.recordStart, channel.recordEnd - channel.recordStart);
    }
}

Channel channelOn(int fd, bool diskFile) {
    Channel channel;
    channel.handle = fd;
    channel.diskFile = diskFile;
    channel.buffer.assign(initialBufferSize, '\0');
    return channel;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader stops at a Ctrl-Z line while the writer may still be writing.
    signal(SIGPIPE, SIG_IGN);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 200000) return 0;
    std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    bool tail = false;
    std::vector<std::string> expected = expectedRecords(bytes, tail);

    // A pipe, written in chunks of random sizes.
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    std::thread writer([&] {
        std::mt19937 random(data[0] | data[1] << 8);
        for (std::size_t at = 0; at < bytes.size();) {
            std::size_t chunk = std::min<std::size_t>(1 + random() % 9000, bytes.size() - at);
            if (write(ends[1], bytes.data() + at, chunk) < 0) break;
            at += chunk;
        }
        close(ends[1]);
    });
    Channel pipeChannel = channelOn(ends[0], false);
    std::vector<std::string> records;
    DiagnosticCode result = readAll(pipeChannel, records);
    close(ends[0]);
    writer.join();
    if (records != expected || result != diagnostic::endOfFile) std::abort();

    // The same bytes as a disk file: a long unterminated tail may end as 22.
    FILE* file = tmpfile();
    if (file == nullptr) std::abort();
    fwrite(bytes.data(), 1, bytes.size(), file);
    fflush(file);
    rewind(file);
    Channel diskChannel = channelOn(fileno(file), true);
    records.clear();
    result = readAll(diskChannel, records);
    fclose(file);
    bool ended = result == diagnostic::endOfFile || (tail && result == diagnostic::recordTooLong);
    if (records != expected || !ended) std::abort();
    return 0;
}
