// Report layout on standard error, the branches of a channel failure, and the
// math-library report.
#include "runtime/reports.h"

#include "channels/channel.h"
#include "runtime/message_catalog.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

TEST(FormatCatalogText, FillsPlaceholdersInOrder) {
    EXPECT_EQ(formatCatalogText("a %d b %s c %lx d %ld%%\r\n", {-5, "x", -1, 7}), "a -5 b x c ffffffff d 7%%\r\n");
    EXPECT_EQ(formatCatalogText("unit %d, file %s", {21}), "unit 21, file ");
}

TEST(MessageCatalog, EveryRowEndsWithCrLf) {
    for (const CatalogRow& row : messageCatalog()) EXPECT_TRUE(row.text.ends_with("\r\n")) << row.text;
}

TEST(IssueDiagnostic, LayoutAndExitStatus) {
    struct Case {
        const char* what;
        std::function<void()> body;
        std::string err;
        int status;
    } cases[] = {
        {"severe", [] { issueDiagnostic(diagnostic::fileNotFound, {21, "/w/h.txt"}); },
         "ffio: severe (29): file not found, unit 21, file /w/h.txt\r\r\n", 29},
        {"error returns", [] { issueDiagnostic(diagnostic::consoleEvent, {"control-C"}); },
         "ffio: error (200): program aborting due to control-C event\r\r\n", 250},
        // The catalog is searched for the whole code: info 9 has no row.
        {"info returns", [] { issueDiagnostic(makeDiagnosticCode(Severity::info, 9), {1, "x"}); },
         "ffio: info (9): Message not found\r\n", 250},
        {"no row", [] { issueDiagnostic(makeDiagnosticCode(Severity::severe, 999), {}); },
         "ffio: severe (999): Message not found\r\n", 999 & 0xFF},
        {"negative number", [] { issueDiagnostic(makeDiagnosticCode(Severity::error, 0xFFFF), {}); },
         "ffio: error (-1): Message not found\r\n", 250},
        {"no memory", [] { issueDiagnostic(diagnostic::outOfMemory, {5, "x"}); },
         "ffio: severe (41): insufficient virtual memory\r\r\n", 41},
    };
    for (const Case& c : cases) {
        ChildResult result = runInChild(c.body);
        EXPECT_EQ(result.err, c.err) << c.what;
        EXPECT_EQ(result.status, c.status) << c.what;
    }
}

TEST(ReportChannelFailure, BranchesHandBackWithoutAWord) {
    struct Case {
        bool errorBranch, endBranch;
        DiagnosticCode code;
        std::int16_t result;
    } cases[] = {
        {true, false, diagnostic::fileNotFound, 29},
        {true, false, diagnostic::endOfFile, -1},
        {false, true, diagnostic::endOfFile, -1},
        {true, true, diagnostic::readError, 39},
    };
    for (const Case& c : cases) {
        ChildResult result = runInChild([&] {
            Channel channel;
            channel.number = 15;
            channel.errorBranch = c.errorBranch;
            channel.endBranch = c.endBranch;
            channel.lastSystemError = ENOENT;
            std::int16_t got = reportChannelFailure(ChannelDisposal::keep, c.code, channel);
            _exit(got == c.result && channel.lastSystemError == 0 ? 0 : 1);
        });
        EXPECT_EQ(result.status, 0) << c.code;
        EXPECT_EQ(result.err, "");
    }
}

TEST(ReportChannelFailure, SystemLineComesFirst) {
    ChildResult result = runInChild([] {
        Channel channel;
        channel.number = 21;
        channel.name = "/w/h.txt";
        channel.named = true;
        channel.lastSystemError = ENOENT;
        reportChannelFailure(ChannelDisposal::discard, diagnostic::fileNotFound, channel);
    });
    EXPECT_EQ(result.err, "ffio: " + std::string(strerror(ENOENT)) +
                              "\r\r\nffio: severe (29): file not found, unit 21, file /w/h.txt\r\r\n");
    EXPECT_EQ(result.status, 29);
}

TEST(ReportChannelFailure, ChannelWithoutNameIsUnknown) {
    ChildResult result = runInChild([] {
        Channel channel;
        channel.number = 16;
        reportChannelFailure(ChannelDisposal::release, diagnostic::writeError, channel);
    });
    EXPECT_EQ(result.err, "ffio: severe (38): error during write, unit 16, file \"Unknown\"\r\r\n");
}

TEST(ReportMathError, ThreeLinesAndStatus3) {
    ChildResult result = runInChild([] { reportMathError(6201, "sqrt: DOMAIN error"); });
    EXPECT_EQ(result.err, "\r\r\nrun-time error M6201: MATH\r\r\n- sqrt: DOMAIN error\r\r\n");
    EXPECT_EQ(result.status, 3);
}

TEST(ReportSystemError, UnknownNumberGetsAPlaceholderText) {
    ChildResult result = runInChild([] {
        reportSystemError(EIO);
        _exit(0);
    });
    EXPECT_EQ(result.err, "ffio: " + std::string(strerror(EIO)) + "\r\r\n");
}

}  // namespace
