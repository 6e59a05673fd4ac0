// The channel table: closing passes over a busy channel, a refused close is
// reported as 28, and a channel found busy is 40.
#include "channels/channel_table.h"

#include "channels/open_channel.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_test.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>

namespace {

class ChannelTable : public ScratchTest {
protected:
    platform::Handle open(int number, const std::string& file) {
        std::string name = directory + "/" + file;
        openChannel(number, name.data(), name.size(), OpenMode::OpenOrCreate, false);
        platform::Handle handle = channelFor(number, false).handle;
        releaseChannel(number);
        return handle;
    }
};

bool isOpen(platform::Handle handle) { return fcntl(static_cast<int>(handle), F_GETFD) != -1; }

TEST_F(ChannelTable, CloseAllPassesOverABusyChannel) {
    platform::Handle log = open(16, "talvo.log");
    platform::Handle histogram = open(21, "h.txt");
    channelFor(21, true);  // an operation cut short still holds it
    closeAllChannels();
    EXPECT_FALSE(isOpen(log));
    EXPECT_TRUE(isOpen(histogram));
    closeAllChannels();  // a second call finds nothing to do
    EXPECT_TRUE(isOpen(histogram));
    close(static_cast<int>(histogram));
}

TEST_F(ChannelTable, RefusedCloseIs28WithoutName) {
    ChildResult result = runInChild([&] {
        open(16, "talvo.log");
        open(21, "h.txt");
        platform::injectFault(platform::FaultOperation::close, 1, EIO);
        closeAllChannels();
    });
    EXPECT_EQ(result.err, "ffio: severe (28): CLOSE error, unit 16, file \"Unknown\"\r\r\n");
    EXPECT_EQ(result.status, 28);
}

TEST_F(ChannelTable, BusyChannelIs40) {
    std::string path = directory + "/h.txt";
    ChildResult result = runInChild([&] {
        open(21, "h.txt");
        channelFor(21, true);
        channelFor(21, true);
    });
    EXPECT_EQ(result.err, "ffio: severe (40): recursive I/O operation, unit 21, file " + path + "\r\r\n");
    EXPECT_EQ(result.status, 40);
}

}  // namespace
