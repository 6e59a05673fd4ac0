// A test fixture with a fresh scratch directory and an empty channel table,
// both cleared again afterwards.
#pragma once

#include "channels/channel_table.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetChannelTable();
        directory = makeScratchDirectory();
    }
    void TearDown() override {
        resetChannelTable();
        std::filesystem::remove_all(directory);
    }
    std::string directory;
};
