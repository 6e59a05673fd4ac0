// Line input: records from files and pipes, the Ctrl-Z end mark, long lines,
// and the failures 22 and 39.
#include "channels/line_input.h"

#include "channels/channel_table.h"
#include "channels/open_channel.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_test.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class LineInput : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        path = directory + "/data.txt";
    }
    // Every line readLine delivers (trailing blanks trimmed), then "EOF".
    std::vector<std::string> readAll(const std::string& content) {
        resetChannelTable();
        writeWholeFile(path, content);
        EXPECT_EQ(openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true), 0);
        std::vector<std::string> lines;
        char field[1024];
        while (readLine(15, field, sizeof field, true) == 0) {
            std::string line(field, sizeof field);
            line.erase(line.find_last_not_of(' ') + 1);
            lines.push_back(line);
        }
        lines.push_back("EOF");
        return lines;
    }
    std::string path;
};

using Lines = std::vector<std::string>;

TEST_F(LineInput, RecordsAndTheirEnds) {
    std::string longLine(5000, 'x'), veryLong(20000, 'y');
    struct Case {
        std::string content;
        Lines lines;
    } cases[] = {
        {"a\r\nb\n", {"a", "b", "EOF"}},
        {"a\nb\r\n", {"a", "b", "EOF"}},
        {"a\nlast", {"a", "EOF"}},
        {"x\r\r\n", {"x\r", "EOF"}},
        {"\x1a\nmore\n", {"EOF"}},
        {"1\n\x1a\r\nmore\n", {"1", "EOF"}},
        {"ab\x1a\n\x1a" "b\n", {"ab\x1a", "\x1a" "b", "EOF"}},
        {"\n\n", {"", "", "EOF"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3), "EOF"}},
        {"a\rb\rc\r", {"EOF"}},
        {longLine + "\nnext\n", {std::string(1024, 'x'), "next", "EOF"}},
        {veryLong + "\r\nnext\n", {std::string(1024, 'y'), "next", "EOF"}},
        {"", {"EOF"}},
    };
    for (const Case& c : cases) EXPECT_EQ(readAll(c.content), c.lines) << c.content.substr(0, 40);
}

TEST_F(LineInput, EmptyLineIsAFieldOfBlanks) {
    writeWholeFile(path, "\n");
    openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true);
    char field[1024];
    std::memset(field, 'Z', sizeof field);
    ASSERT_EQ(readLine(15, field, sizeof field, true), 0);
    EXPECT_EQ(std::string(field, sizeof field), std::string(1024, ' '));
}

TEST_F(LineInput, LinesThatCannotBeHadWholeGive22) {
    struct Case {
        const char* what;
        std::string content;
    } cases[] = {
        {"carriage returns only, longer than the buffer", std::string(10000, '\r')},
        {"unterminated last line needing two reads", "ok\n" + std::string(12000, 'z')},
    };
    for (const Case& c : cases) {
        writeWholeFile(path, c.content);
        ChildResult result = runInChild([&] {
            openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true);
            char field[1024];
            while (readLine(15, field, sizeof field, true) == 0) {
            }
            _exit(0);
        });
        EXPECT_EQ(result.err, "ffio: severe (22): input record too long, unit 15, file " + path + "\r\r\n") << c.what;
        EXPECT_EQ(result.status, 22) << c.what;
    }
}

TEST_F(LineInput, FailedReadGives39WithTheSystemReason) {
    writeWholeFile(path, "1\n");
    ChildResult result = runInChild([&] {
        openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true);
        platform::injectFault(platform::FaultOperation::read, 1, EIO);
        char field[1024];
        readLine(15, field, sizeof field, true);
    });
    EXPECT_EQ(result.err, "ffio: " + std::string(strerror(EIO)) +
                              "\r\r\nffio: severe (39): error during read, unit 15, file " + path + "\r\r\n");
    EXPECT_EQ(result.status, 39);
}

TEST_F(LineInput, EndOfFileWithoutBranchIs24) {
    writeWholeFile(path, "");
    ChildResult result = runInChild([&] {
        openChannel(15, path.data(), path.size(), OpenMode::ExistingOnly, true);
        char field[1024];
        readLine(15, field, sizeof field, false);
    });
    EXPECT_EQ(result.err, "ffio: severe (24): end-of-file during read, unit 15, file " + path + "\r\r\n");
    EXPECT_EQ(result.status, 24);
}

TEST(PipeInput, ALineArrivingInPiecesIsOneRecord) {
    // A pipe's short reads are no sign of an overlong record.
    for (std::size_t size : {5ul, 30000ul}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        std::string line(size, 'p');
        std::thread writer([&] {
            for (std::size_t at = 0; at < line.size(); at += 1000) {
                (void)!write(ends[1], line.data() + at, std::min<std::size_t>(1000, line.size() - at));
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            (void)!write(ends[1], "\nnext\n", 6);
            close(ends[1]);
        });
        Channel channel;
        channel.handle = ends[0];
        channel.buffer.assign(initialBufferSize, '\0');
        ASSERT_EQ(readRecord(channel), 0u);
        EXPECT_EQ(std::string(channel.buffer.data() + channel.recordStart, channel.recordEnd - channel.recordStart), line);
        ASSERT_EQ(readRecord(channel), 0u);
        EXPECT_EQ(std::string(channel.buffer.data() + channel.recordStart, channel.recordEnd - channel.recordStart), "next");
        EXPECT_EQ(readRecord(channel), diagnostic::endOfFile);
        writer.join();
        close(ends[0]);
    }
}

}  // namespace
