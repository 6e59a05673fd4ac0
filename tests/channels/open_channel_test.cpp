// Opening channels: each failure and its number, with and without an error
// branch, the read-only fallback, devices, and one file on two channels.
#include "channels/open_channel.h"

#include "channels/channel_table.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_test.h"
#include "textio/record_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class OpenChannel : public ScratchTest {
protected:
    std::int32_t open(int number, const std::string& name, OpenMode mode, bool branch) {
        return openChannel(number, name.data(), name.size(), mode, branch);
    }
};

std::string systemLine(int error) { return "ffio: " + std::string(strerror(error)) + "\r\r\n"; }

TEST_F(OpenChannel, ErrorBranchGetsTheNumberAndNothingIsPrinted) {
    writeWholeFile(directory + "/exists.txt", "1\n");
    std::filesystem::create_symlink(directory + "/exists.txt", directory + "/link.txt");
    struct Case {
        std::string name;
        std::int32_t number;
    } cases[] = {
        {directory + "/missing.txt", 29},
        {directory + "/no/such/dir.txt", 29},
        {std::string(80, ' '), 29},
        {directory, 9},
        {directory + "/exists.txt", 30},
        {directory + "/./sub/../exists.txt", 30},
        {directory + "/link.txt", 30},  // another name for the same file
        {"PRN", 42},
        {"lpt1", 42},
        {std::string(256, 'n'), 43},
    };
    for (const Case& c : cases) {
        ChildResult result = runInChild([&] {
            // Each case in a child, so an unexpected report shows as such.
            ASSERT_EQ(open(21, directory + "/exists.txt", OpenMode::OpenOrCreate, false), 0);
            std::int32_t got = open(15, c.name, OpenMode::ExistingOnly, true);
            Channel& channel = channelFor(15, false);
            _exit(got == c.number && !channel.connected ? 0 : 100 + got);
        });
        EXPECT_EQ(result.status, 0) << c.name << " gave " << result.status - 100;
        EXPECT_EQ(result.err, "") << c.name;
    }
}

TEST_F(OpenChannel, FailuresWithoutBranchEndTheRunWithTheirReport) {
    std::string missing = directory + "/none/h.txt";
    std::string log = directory + "/talvo.log";
    struct Case {
        std::string name;
        std::string report;
        int status;
        bool openLogFirst = false;
    } cases[] = {
        {missing, systemLine(ENOENT) + "ffio: severe (29): file not found, unit 21, file " + missing + "\r\r\n", 29},
        {directory, systemLine(EISDIR) + "ffio: severe (9): permission to access file denied, unit 21, file " +
                        directory + "\r\r\n",
         9},
        {"   ", systemLine(ENOENT) + "ffio: severe (29): file not found, unit 21, file \r\r\n", 29},
        {"prn.txt", "ffio: severe (42): no such device, unit 21, file PRN\r\r\n", 42},
        {std::string(256, 'n'), systemLine(ENAMETOOLONG) + "ffio: severe (43): file name specification error, unit 21, file " +
                                    std::string(256, 'n') + "\r\r\n",
         43},
        {log, "ffio: severe (30): open failure, unit 21, file " + log + "\r\r\n", 30, true},
    };
    for (const Case& c : cases) {
        ChildResult result = runInChild([&] {
            if (c.openLogFirst) open(16, log, OpenMode::OpenOrCreate, false);
            open(21, c.name, OpenMode::OpenOrCreate, false);
        });
        EXPECT_EQ(result.err, c.report) << c.name;
        EXPECT_EQ(result.status, c.status) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(directory + "/none"));
}

TEST_F(OpenChannel, CreatesAMissingFileEmptyAndFlagsDiskFiles) {
    std::string path = directory + "/new.txt";
    ASSERT_EQ(open(21, "  " + path + "  ", OpenMode::OpenOrCreate, false), 0);
    Channel& channel = channelFor(21, true);
    releaseChannel(21);
    EXPECT_TRUE(channel.connected);
    EXPECT_TRUE(channel.diskFile);
    EXPECT_TRUE(channel.truncateAtNextWrite);
    EXPECT_FALSE(channel.readOnly);
    EXPECT_EQ(channel.name, path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(OpenChannel, ReadOnlyFileOpensThroughTheFallback) {
    std::string path = directory + "/ro.txt";
    writeWholeFile(path, "data\n");
    chmod(path.c_str(), 0444);
    chmod(directory.c_str(), 0755);
    ChildResult result = runInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(200);
        std::int32_t got = open(15, path, OpenMode::ExistingOnly, true);
        _exit(got == 0 && channelFor(15, false).readOnly ? 0 : 1);
    });
    ASSERT_NE(result.status, 200) << "could not drop privileges to test a read-only file";
    EXPECT_EQ(result.status, 0);
}

TEST_F(OpenChannel, NullDeviceAndConsoleNames) {
    ChildResult result = runInChild([&] {
        open(21, "nul.txt", OpenMode::OpenOrCreate, false);
        writeItems(21, {textItem("lost")});
        open(16, "Con.dat", OpenMode::OpenOrCreate, false);
        writeItems(16, {textItem("shown")});
        _exit(channelFor(21, true).diskFile ? 1 : 0);
    });
    EXPECT_EQ(result.out, " shown\r\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(OpenChannel, ConsoleWithoutStandardStreamOrTerminalFails) {
    ChildResult result = runInChild(
        [] {
            setsid();  // no controlling terminal: the console device cannot be opened
            channelFor(5, false);
            _exit(0);
        },
        "", true);
    EXPECT_EQ(result.err, systemLine(ENXIO) + "ffio: severe (42): no such device, unit 5, file CONIN$\r\r\n");
    EXPECT_EQ(result.status, 42);
}

}  // namespace
