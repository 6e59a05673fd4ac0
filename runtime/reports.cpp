// Report layout and the decision whether a channel failure is reported.
#include "runtime/reports.h"

#include "channels/channel_table.h"
#include "platform/platform.h"
#include "runtime/message_catalog.h"
#include "runtime/stop.h"

#include <charconv>
#include <string>

namespace {

void appendInteger(std::string& out, long long value) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Standard error is a text-mode stream: every LF gains a CR before it.
void writeDiagnosticStream(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    platform::Handle handle = platform::standardHandle(platform::StandardStream::error);
    if (handle != platform::invalidHandle) platform::writeFile(handle, bytes.data(), bytes.size());
}

}  // namespace

std::string formatCatalogText(std::string_view text, std::initializer_list<DiagnosticArgument> arguments) {
    std::string out;
    const DiagnosticArgument* next = arguments.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        std::string_view rest = text.substr(i + 1);
        std::size_t length = 0;
        char kind = 0;
        for (std::string_view form : {"ld", "lx", "d", "i", "s"}) {
            if (rest.starts_with(form)) {
                length = form.size();
                kind = form.back();
                break;
            }
        }
        if (kind == 0) {
            out.push_back('%');
            continue;
        }
        i += length;
        if (next == arguments.end()) continue;
        const DiagnosticArgument& argument = *next++;
        if (kind == 's') {
            if (argument.isText) out.append(argument.text);
        } else if (kind == 'x') {
            char digits[16];
            auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(argument.number), 16).ptr;
            out.append(digits, end);
        } else {
            appendInteger(out, argument.number);
        }
    }
    return out;
}

void issueDiagnostic(DiagnosticCode code, std::initializer_list<DiagnosticArgument> arguments) {
    Severity severity = severityOf(code);
    if (severity == Severity::severe) claimEnding();
    std::string_view text = catalogText(code);
    std::string report(runTimeTag);
    report += ": ";
    report += severity == Severity::info ? "info" : severity == Severity::error ? "error" : "severe";
    report += " (";
    appendInteger(report, messageNumberOf(code));
    report += "): ";
    report += text.empty() ? std::string("Message not found\n") : formatCatalogText(text, arguments);
    writeDiagnosticStream(report);
    if (severity == Severity::severe) endRun(code);
}

std::int16_t reportChannelFailure(ChannelDisposal disposal, DiagnosticCode code, Channel& channel) {
    std::string name = channel.named ? channel.name : std::string("\"Unknown\"");
    std::int32_t number = channel.number;
    std::int16_t result = 0;
    bool reported = false;
    if (channel.errorBranch) {
        channel.lastSystemError = 0;
        result = code == diagnostic::endOfFile ? -1 : messageNumberOf(code);
    } else if (channel.endBranch && code == diagnostic::endOfFile) {
        channel.lastSystemError = 0;
        result = -1;
    } else {
        reported = true;
        if (severityOf(code) == Severity::severe) claimEnding();
        if (channel.lastSystemError != 0) {
            reportSystemError(channel.lastSystemError);
            channel.lastSystemError = 0;
        }
    }
    switch (disposal) {
    case ChannelDisposal::keep: break;
    case ChannelDisposal::release: releaseChannel(number); break;
    case ChannelDisposal::discard: discardChannel(channel); break;
    }
    if (reported) {
        issueDiagnostic(code, {number, name});
        result = messageNumberOf(code);
    }
    return result;
}

void reportSystemError(int error) {
    std::string text = platform::errorText(error);
    if (text.empty()) {
        text = "FormatMessage failed for sysmem message number ";
        appendInteger(text, error);
        text += "\r\n";
    }
    std::string line(runTimeTag);
    line += ": ";
    line += text;
    writeDiagnosticStream(line);
}

void reportMathError(int number, std::string_view text) {
    claimEnding();
    std::string report = "\r\nrun-time error M";
    appendInteger(report, number);
    report += ": MATH\r\n- ";
    report += text;
    report += "\r\n";
    writeDiagnosticStream(report);
    endRun(3);
}
