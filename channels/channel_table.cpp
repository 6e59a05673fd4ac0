// The channel table and the life of its records: first use, connection of the
// console channels, release, discard and the closing at the end of the run.
#include "channels/channel_table.h"

#include "channels/open_channel.h"
#include "runtime/reports.h"

#include <atomic>
#include <cassert>

namespace {

struct ChannelSlot {
    std::atomic<bool> busy{false};
    bool created = false;
    Channel channel;
};

ChannelSlot table[channelTableSize];
std::atomic<bool> anyConnected{false};
std::atomic<bool> closingDone{false};

ChannelSlot& slotFor(std::int32_t number) {
    assert(number >= 0 && number < channelTableSize);
    return table[number];
}

}  // namespace

Channel& channelFor(std::int32_t number, bool forWriting) {
    ChannelSlot& slot = slotFor(number);
    if (!slot.created) {
        slot.created = true;
        slot.channel = Channel{};
        slot.channel.number = number;
    }
    Channel& channel = slot.channel;
    if (slot.busy.exchange(true))
        issueDiagnostic(diagnostic::recursiveOperation, {number, channel.named ? channel.name : "\"Unknown\""});
    if ((number == consoleInputChannel || number == consoleOutputChannel) && !channel.connected) {
        bool input = number == consoleInputChannel;
        channel.name = input ? "CONIN$" : "CONOUT$";
        channel.named = true;
        connectStandardStream(channel, input ? platform::StandardStream::input : platform::StandardStream::output,
                              forWriting);
    }
    return channel;
}

void releaseChannel(std::int32_t number) {
    if (number >= 0 && number < channelTableSize) table[number].busy = false;
}

void discardChannel(Channel& channel) {
    if (channel.handle != platform::invalidHandle && !platform::isStandardHandle(channel.handle))
        platform::closeFile(channel.handle);
    std::int32_t number = channel.number;
    channel.clear();
    releaseChannel(number);
}

void connectStandardStream(Channel& channel, platform::StandardStream stream, bool forWriting) {
    channel.handle = platform::standardHandle(stream);
    if (channel.handle == platform::invalidHandle) {
        platform::OpenResult opened =
            platform::openConsole(forWriting ? platform::OpenMode::openOrCreate : platform::OpenMode::existingOnly);
        if (opened.handle == platform::invalidHandle) {
            channel.lastSystemError = opened.error;
            channel.errorBranch = channel.endBranch = false;
            reportChannelFailure(ChannelDisposal::discard, diagnosticForOpenError(opened.error), channel);
            return;
        }
        channel.handle = opened.handle;
    }
    finishConnection(channel);
}

void finishConnection(Channel& channel) {
    platform::FileKind kind = platform::fileKind(channel.handle);
    channel.diskFile = kind == platform::FileKind::disk;
    channel.truncateAtNextWrite = channel.diskFile;
    if (channel.diskFile && !platform::isStandardHandle(channel.handle))
        channel.identity = platform::fileIdentity(channel.handle);
    channel.recordLength = nominalRecordLength;
    channel.lineWidth = standardLineWidth;
    channel.buffer.assign(initialBufferSize, '\0');
    channel.unreadStart = channel.unreadCount = channel.recordStart = channel.recordEnd = 0;
    channel.connected = true;
    anyConnected = true;
}

bool identityInUse(const platform::FileIdentity& identity, std::int32_t except) {
    if (!identity.known) return false;
    for (ChannelSlot& slot : table) {
        const Channel& channel = slot.channel;
        if (slot.created && channel.connected && channel.number != except && channel.identity == identity)
            return true;
    }
    return false;
}

void closeAllChannels() {
    if (!anyConnected || closingDone.exchange(true)) return;
    for (std::int32_t number = 0; number < channelTableSize; ++number) {
        ChannelSlot& slot = table[number];
        // A channel held by an interrupted operation is passed over, and the
        // record it was building is never written.
        if (!slot.created || slot.busy || !slot.channel.connected) continue;
        Channel& channel = slot.channel;
        int error = platform::isStandardHandle(channel.handle) ? 0 : platform::closeFile(channel.handle);
        if (error != 0) {
            channel.buffer = {};
            channel.name.clear();
            channel.named = false;
            channel.connected = false;
            channel.lastSystemError = error;
            issueDiagnostic(diagnostic::closeError, {number, "\"Unknown\""});
        }
        slot.channel = Channel{};
        slot.created = false;
    }
}

void resetChannelTable() {
    for (ChannelSlot& slot : table) {
        platform::Handle handle = slot.channel.handle;
        if (slot.channel.connected && !platform::isStandardHandle(handle)) platform::closeFile(handle);
        slot.busy = false;
        slot.created = false;
        slot.channel = Channel{};
    }
    anyConnected = false;
    closingDone = false;
}
