// Typed names: trimming, the reserved device names and the absolute form.
#include "channels/file_name.h"

#include <gtest/gtest.h>

namespace {

TEST(AbsoluteName, FoldsStepsByText) {
    struct Case {
        const char* name;
        const char* directory;
        const char* absolute;
    } cases[] = {
        {"a.txt", "/home/u", "/home/u/a.txt"},
        {"../x", "/home/u", "/home/x"},
        {"./a/./b/../c", "/d", "/d/a/c"},
        {"/abs/../y", "/ignored", "/y"},
        {"../../..", "/a", "/"},
        {"a//b/", "/d", "/d/a/b"},
        {"no/such/../dir/f", "/w", "/w/no/dir/f"},
    };
    for (const Case& c : cases) EXPECT_EQ(absoluteName(c.name, c.directory), c.absolute) << c.name;
}

PreparedName prepare(const std::string& text) { return prepareFileName(text.data(), text.size(), "/w"); }

TEST(PrepareFileName, TrimsBlanksAndNulsButNotTabs) {
    EXPECT_EQ(prepare("   data.txt   ").name, "/w/data.txt");
    EXPECT_EQ(prepare(std::string("x.dat\0\0 ", 8)).name, "/w/x.dat");
    EXPECT_EQ(prepare("\tx").name, "/w/\tx");
    PreparedName blank = prepare(std::string(80, ' '));
    EXPECT_EQ(blank.kind, NameKind::file);
    EXPECT_EQ(blank.name, "") << "an all-blank name stays empty";
}

TEST(PrepareFileName, LongNamesAreCutAndLeftRelative) {
    std::string name(300, 'n');
    EXPECT_EQ(prepare(name).name, std::string(256, 'n')) << "first 256 characters, too long to be made absolute";
    EXPECT_EQ(prepare(std::string(200, 'n')).name, "/w/" + std::string(200, 'n'));
}

TEST(PrepareFileName, ReservedDeviceNames) {
    using platform::StandardStream;
    struct Case {
        const char* typed;
        NameKind kind;
        const char* name;
        StandardStream stream = StandardStream::output;
    } cases[] = {
        {"nul", NameKind::nullDevice, "NUL"},
        {"NUL.txt", NameKind::nullDevice, "NUL"},
        {"Nul.", NameKind::nullDevice, "NUL"},
        {"con", NameKind::standardStream, "CON"},
        {"CON.txt", NameKind::standardStream, "CON"},
        {"conout$", NameKind::standardStream, "CONOUT$"},
        {"CONOUT$.x", NameKind::file, "/w/CONOUT$.x"},
        {"conin$", NameKind::standardStream, "CONIN$", StandardStream::input},
        {"CONIN$.x", NameKind::file, "/w/CONIN$.x"},
        {"err", NameKind::standardStream, "ERR", StandardStream::error},
        {"err.log", NameKind::file, "/w/err.log"},
        {"user", NameKind::standardStream, "CON"},
        {"user.txt", NameKind::file, "/w/user.txt"},
        {"prn", NameKind::refusedDevice, "PRN"},
        {"prn.txt", NameKind::refusedDevice, "PRN"},
        {"aux", NameKind::refusedDevice, "COM1"},
        {"aux.c", NameKind::refusedDevice, "COM1"},
        {"com1", NameKind::refusedDevice, "COM1"},
        {"COM4.x", NameKind::refusedDevice, "COM4"},
        {"lpt2", NameKind::refusedDevice, "LPT2"},
        {"lpt2.txt", NameKind::file, "/w/lpt2.txt"},
        {"line", NameKind::refusedDevice, "COM1"},
        {"line.dat", NameKind::file, "/w/line.dat"},
        {"com5", NameKind::file, "/w/com5"},
        {".profile", NameKind::file, "/w/.profile"},
        {"dir/nul", NameKind::file, "/w/dir/nul"},
    };
    for (const Case& c : cases) {
        PreparedName prepared = prepare(c.typed);
        EXPECT_EQ(prepared.kind, c.kind) << c.typed;
        EXPECT_EQ(prepared.name, c.name) << c.typed;
        if (c.kind == NameKind::standardStream) {
            EXPECT_EQ(prepared.stream, c.stream) << c.typed;
        }
    }
}

}  // namespace
