// Record layout: numbers are never split and get no blank before them; a text
// that opens a record gets one blank before it, and a text longer than the
// room is cut into 79-character pieces, each opening a record of its own.
#include "textio/record_writer.h"

#include "channels/channel_table.h"
#include "runtime/reports.h"
#include "textio/number_fields.h"

#include <algorithm>
#include <cstring>

namespace {

void startRecord(RecordWrite& write) {
    write.length = 0;
    write.room = write.channel->lineWidth;
    write.blankDue = true;
}

void append(RecordWrite& write, const char* characters, std::size_t count) {
    std::memcpy(write.channel->buffer.data() + write.length, characters, count);
    write.length += count;
    write.room -= static_cast<std::int32_t>(count);
    write.blankDue = false;
}

// Hands the record with its CR LF to the system; the first record of a disk
// file cuts the file right after itself. After a refusal nothing more of the
// write reaches the system.
void endRecord(RecordWrite& write) {
    Channel& channel = *write.channel;
    char* record = channel.buffer.data();
    record[write.length] = '\r';
    record[write.length + 1] = '\n';
    channel.recordStart = 0;
    channel.recordEnd = write.length;
    if (!write.refused) {
        platform::IoResult written = platform::writeFile(channel.handle, record, write.length + 2);
        int error = written.error;
        if (error == 0 && channel.truncateAtNextWrite) {
            error = platform::cutFile(channel.handle);
            if (error == 0) channel.truncateAtNextWrite = false;
        }
        if (error != 0) {
            channel.lastSystemError = error;
            write.refused = true;
        }
    }
    startRecord(write);
}

[[noreturn]] void failWrite(RecordWrite& write, DiagnosticCode code) {
    reportChannelFailure(ChannelDisposal::release, code, *write.channel);
    __builtin_unreachable();  // a severe report without a branch never returns
}

void placeNumber(RecordWrite& write, const char* field, int width) {
    if (write.room < width) endRecord(write);
    append(write, field, static_cast<std::size_t>(width));
}

void placeText(RecordWrite& write, std::string_view text) {
    if (static_cast<std::int32_t>(text.size()) > write.room && write.length > 0) endRecord(write);
    for (;;) {
        if (write.refused) failWrite(write, diagnostic::writeError);
        if (write.blankDue) append(write, " ", 1);
        if (static_cast<std::int32_t>(text.size()) <= write.room) {
            append(write, text.data(), text.size());
            return;
        }
        std::size_t piece = static_cast<std::size_t>(write.room);
        append(write, text.data(), piece);
        text.remove_prefix(piece);
        endRecord(write);
    }
}

}  // namespace

RecordWrite beginWrite(std::int32_t number) {
    RecordWrite write;
    write.channel = &channelFor(number, true);
    write.channel->errorBranch = write.channel->endBranch = false;
    if (write.channel->readOnly) failWrite(write, diagnostic::writeToReadOnly);
    startRecord(write);
    return write;
}

void placeItem(RecordWrite& write, const OutputItem& item) {
    switch (item.kind) {
    case OutputItem::Kind::text: placeText(write, item.text); break;
    case OutputItem::Kind::integer: {
        char field[integerFieldWidth];
        formatIntegerField(item.integer, field);
        placeNumber(write, field, integerFieldWidth);
        break;
    }
    case OutputItem::Kind::real: {
        char field[realFieldWidth];
        formatRealField(item.real, field);
        placeNumber(write, field, realFieldWidth);
        break;
    }
    }
}

void endWrite(RecordWrite& write) {
    if (write.refused) failWrite(write, diagnostic::writeError);
    endRecord(write);
    if (write.refused) failWrite(write, diagnostic::writeError);
    releaseChannel(write.channel->number);
}

void writeItems(std::int32_t number, std::initializer_list<OutputItem> items) {
    RecordWrite write = beginWrite(number);
    for (const OutputItem& item : items) placeItem(write, item);
    endWrite(write);
}
