// Typed names: trimming, the reserved device names and the absolute form.
#include "channels/file_name.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

PreparedName prepare(const std::string& text) { return prepareFileName(text.data(), text.size()); }

// The absolute form of a name in the current directory.
std::string here(const std::string& name) { return std::filesystem::current_path().string() + "/" + name; }

TEST(PrepareFileName, TrimsBlanksAndNulsButNotTabs) {
    EXPECT_EQ(prepare("   data.txt   ").name, here("data.txt"));
    EXPECT_EQ(prepare(std::string("x.dat\0\0 ", 8)).name, here("x.dat"));
    EXPECT_EQ(prepare("\tx").name, here("\tx"));
    PreparedName blank = prepare(std::string(80, ' '));
    EXPECT_EQ(blank.kind, NameKind::file);
    EXPECT_EQ(blank.name, "") << "an all-blank name stays empty";
}

TEST(PrepareFileName, LongNamesAreCutAndLeftRelative) {
    std::string name(300, 'n');
    EXPECT_EQ(prepare(name).name, std::string(256, 'n')) << "first 256 characters, too long to be made absolute";
    std::string shorter(255 - here("").size(), 'n');
    EXPECT_EQ(prepare(shorter).name, here(shorter));
}

TEST(PrepareFileName, ReservedDeviceNames) {
    using platform::StandardStream;
    struct Case {
        const char* typed;
        NameKind kind;
        std::string name;
        StandardStream stream = StandardStream::output;
    } cases[] = {
        {"nul", NameKind::nullDevice, "NUL"},
        {"NUL.txt", NameKind::nullDevice, "NUL"},
        {"Nul.", NameKind::nullDevice, "NUL"},
        {"con", NameKind::standardStream, "CON"},
        {"CON.txt", NameKind::standardStream, "CON"},
        {"conout$", NameKind::standardStream, "CONOUT$"},
        {"CONOUT$.x", NameKind::file, here("CONOUT$.x")},
        {"conin$", NameKind::standardStream, "CONIN$", StandardStream::input},
        {"CONIN$.x", NameKind::file, here("CONIN$.x")},
        {"err", NameKind::standardStream, "ERR", StandardStream::error},
        {"err.log", NameKind::file, here("err.log")},
        {"user", NameKind::standardStream, "CON"},
        {"user.txt", NameKind::file, here("user.txt")},
        {"prn", NameKind::refusedDevice, "PRN"},
        {"prn.txt", NameKind::refusedDevice, "PRN"},
        {"aux", NameKind::refusedDevice, "COM1"},
        {"aux.c", NameKind::refusedDevice, "COM1"},
        {"com1", NameKind::refusedDevice, "COM1"},
        {"COM4.x", NameKind::refusedDevice, "COM4"},
        {"lpt2", NameKind::refusedDevice, "LPT2"},
        {"lpt2.txt", NameKind::file, here("lpt2.txt")},
        {"line", NameKind::refusedDevice, "COM1"},
        {"line.dat", NameKind::file, here("line.dat")},
        {"com5", NameKind::file, here("com5")},
        {".profile", NameKind::file, here(".profile")},
        {"dir/nul", NameKind::file, here("dir/nul")},
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
