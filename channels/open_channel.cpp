// openChannel: name preparation, the open with its read-only fallback, the
// check that no other channel holds the same file, and the failure mapping.
#include "channels/open_channel.h"

#include "channels/channel_table.h"
#include "channels/file_name.h"
#include "runtime/reports.h"

namespace {

std::int32_t failOpen(Channel& channel, DiagnosticCode code) {
    return reportChannelFailure(ChannelDisposal::discard, code, channel);
}

platform::OpenMode platformMode(OpenMode mode) {
    return mode == OpenMode::OpenOrCreate ? platform::OpenMode::openOrCreate : platform::OpenMode::existingOnly;
}

}  // namespace

DiagnosticCode diagnosticForOpenError(int error) {
    switch (platform::classifyOpenError(error)) {
    case platform::OpenFailure::notFound: return diagnostic::fileNotFound;
    case platform::OpenFailure::accessDenied: return diagnostic::permissionDenied;
    case platform::OpenFailure::noDevice: return diagnostic::noSuchDevice;
    case platform::OpenFailure::badName: return diagnostic::badFileName;
    default: return diagnostic::openFailure;
    }
}

std::int32_t openChannel(std::int32_t number, const char* nameText, std::size_t nameLength, OpenMode mode,
                         bool errorBranch) {
    Channel& channel = channelFor(number, false);
    channel.errorBranch = errorBranch;
    channel.endBranch = false;
    PreparedName prepared = prepareFileName(nameText, nameLength);
    channel.name = prepared.name;
    channel.named = true;

    switch (prepared.kind) {
    case NameKind::standardStream:
        connectStandardStream(channel, prepared.stream, mode == OpenMode::OpenOrCreate);
        releaseChannel(number);
        return 0;
    case NameKind::refusedDevice: return failOpen(channel, diagnostic::noSuchDevice);
    default: break;
    }

    std::string path = prepared.kind == NameKind::nullDevice ? platform::nullDeviceName() : prepared.name;
    platform::OpenResult opened = platform::openFile(path, platformMode(mode), false);
    if (opened.handle == platform::invalidHandle &&
        platform::classifyOpenError(opened.error) == platform::OpenFailure::accessDenied) {
        opened = platform::openFile(path, platformMode(mode), true);
        channel.readOnly = opened.handle != platform::invalidHandle;
    }
    if (opened.handle == platform::invalidHandle) {
        channel.lastSystemError = opened.error;
        return failOpen(channel, diagnosticForOpenError(opened.error));
    }
    channel.handle = opened.handle;
    finishConnection(channel);
    // One file on two channels would interleave and cut each other's records.
    if (identityInUse(channel.identity, number)) {
        channel.lastSystemError = 0;
        return failOpen(channel, diagnostic::openFailure);
    }
    releaseChannel(number);
    return 0;
}
