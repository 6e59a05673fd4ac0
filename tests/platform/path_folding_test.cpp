// Folding POSIX names by text.
#include "platform/path_folding.h"

#include <gtest/gtest.h>

namespace {

TEST(FoldPath, FoldsStepsByText) {
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
    for (const Case& c : cases) EXPECT_EQ(platform::foldPath(c.name, c.directory), c.absolute) << c.name;
}

}  // namespace
