// The record writer: the layouts byte for byte, the cut of an existing file,
// and writes the system refuses.
#include "textio/record_writer.h"

#include "channels/channel_table.h"
#include "channels/open_channel.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_test.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class RecordWriter : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        path = directory + "/out.txt";
    }
    void open() { ASSERT_EQ(openChannel(21, path.data(), path.size(), OpenMode::OpenOrCreate, false), 0); }

    std::string path;
};

const std::string nameField = "dati.txt" + std::string(72, ' ');
const std::string field80 = " dati.txt" + std::string(71, ' ');
const std::string real15 = "   1.50000000000000     ";
const std::string a74(74, 'a'), a79(79, 'a'), a80(80, 'a'), a158(158, 'a');

TEST_F(RecordWriter, WorkedLayouts) {
    struct Case {
        std::initializer_list<OutputItem> items;
        std::string records;
    } cases[] = {
        {{textItem("letti "), integerItem(1234), textItem(" dati")}, " letti         1234 dati\r\n"},
        {{realItem(1.5), integerItem(3)}, real15 + "           3\r\n"},
        {{textItem("file dati: "), textItem(nameField)}, " file dati: \r\n" + field80 + "\r\n  \r\n"},
        {{textItem("il file"), textItem(nameField), textItem(" Non esiste, 99 per uscire")},
         " il file\r\n" + field80 + "\r\n   Non esiste, 99 per uscire\r\n"},
        {{textItem(" range: "), realItem(1.5), realItem(1.5)}, "  range: " + real15 + real15 + "\r\n"},
        {{textItem("N. dati: "), integerItem(5), textItem(" Range: "), realItem(1.5), realItem(1.5)},
         " N. dati:            5 Range: " + real15 + real15 + "\r\n"},
        {{integerItem(7), textItem("x")}, "           7x\r\n"},
        {{}, "\r\n"},
        // A 79-character text fills its record; what follows starts a new one.
        {{textItem(a79), integerItem(7)}, " " + std::string(79, 'a') + "\r\n           7\r\n"},
        {{textItem(a79), textItem("x")}, " " + std::string(79, 'a') + "\r\n x\r\n"},
        {{textItem(a80)}, " " + std::string(79, 'a') + "\r\n a\r\n"},
        {{textItem(a158), integerItem(1)},
         " " + std::string(79, 'a') + "\r\n " + std::string(79, 'a') + "\r\n           1\r\n"},
        // Five positions free and a text of six: the text opens the next record.
        {{textItem(a74), textItem("bbbbbb")}, " " + std::string(74, 'a') + "\r\n bbbbbb\r\n"},
        {{textItem(a74), textItem("bbbbb")}, " " + std::string(74, 'a') + "bbbbb\r\n"},
        // A number that does not fit starts the next record with its own blanks.
        {{realItem(1.5), realItem(1.5), realItem(1.5), integerItem(5)}, real15 + real15 + real15 + "\r\n           5\r\n"},
    };
    for (const Case& c : cases) {
        resetChannelTable();
        std::filesystem::remove(path);
        open();
        writeItems(21, c.items);
        EXPECT_EQ(readWholeFile(path), c.records);
    }
}

TEST_F(RecordWriter, ItemsOneAtATime) {
    open();
    RecordWrite write = beginWrite(21);
    placeItem(write, textItem("std dev.: "));
    placeItem(write, realItem(1.5));
    endWrite(write);
    EXPECT_EQ(readWholeFile(path), " std dev.: " + real15 + "\r\n");
}

TEST_F(RecordWriter, FirstRecordCutsAnExistingFileOnlyWhenWritten) {
    std::string old(10000, 'o');
    writeWholeFile(path, old);
    open();
    closeAllChannels();
    EXPECT_EQ(readWholeFile(path), old) << "opening and closing leave a file as it was";

    resetChannelTable();
    open();
    writeItems(21, {textItem("uno")});
    writeItems(21, {textItem("due")});
    EXPECT_EQ(readWholeFile(path), " uno\r\n due\r\n");
}

TEST_F(RecordWriter, ConsoleOutputConnectsOnFirstWrite) {
    ChildResult result = runInChild([] {
        writeItems(6, {textItem("ciao"), integerItem(1)});
        _exit(0);
    });
    EXPECT_EQ(result.out, " ciao           1\r\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(RecordWriter, RefusedWritesReportTheSystemReasonAnd38) {
    struct Case {
        const char* what;
        platform::FaultOperation operation;
        int nth;
        int error;
        std::string kept;  // what the file holds afterwards
    } cases[] = {
        {"first write refused", platform::FaultOperation::write, 1, ENOSPC, ""},
        {"cut refused", platform::FaultOperation::cut, 1, EIO, " " + std::string(79, 'a') + "\r\n"},
        {"text piece refused", platform::FaultOperation::write, 2, ENOSPC, " " + std::string(79, 'a') + "\r\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path);
        ChildResult result = runInChild([&] {
            open();
            platform::injectFault(c.operation, c.nth, c.error);
            writeItems(21, {textItem(a158), integerItem(1)});
        });
        EXPECT_EQ(result.err, "ffio: " + std::string(strerror(c.error)) + "\r\r\nffio: severe (38): error during write, unit 21, file " +
                                  path + "\r\r\n")
            << c.what;
        EXPECT_EQ(result.status, 38) << c.what;
        EXPECT_EQ(readWholeFile(path), c.kept) << c.what;
    }
}

TEST_F(RecordWriter, FullDeviceGives38) {
    ChildResult result = runInChild([] {
        openChannel(21, "/dev/full", 9, OpenMode::OpenOrCreate, false);
        writeItems(21, {textItem("x")});
    });
    EXPECT_EQ(result.err, "ffio: " + std::string(strerror(ENOSPC)) +
                              "\r\r\nffio: severe (38): error during write, unit 21, file /dev/full\r\r\n");
    EXPECT_EQ(result.status, 38);
}

TEST_F(RecordWriter, ReadOnlyFileGives47BeforeWriting) {
    writeWholeFile(path, "old\n");
    chmod(path.c_str(), 0444);
    chmod(directory.c_str(), 0755);
    ChildResult result = runInChild([&] {
        // Root may write anything: drop to an ordinary user first.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(200);
        open();
        writeItems(21, {textItem("x")});
    });
    ASSERT_NE(result.status, 200) << "could not drop privileges to test a read-only file";
    EXPECT_EQ(result.err, "ffio: severe (47): write to READONLY file, unit 21, file " + path + "\r\r\n");
    EXPECT_EQ(result.status, 47);
    EXPECT_EQ(readWholeFile(path), "old\n");
}

}  // namespace
