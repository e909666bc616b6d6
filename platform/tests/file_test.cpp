#include "platform/file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <string>

namespace {

std::string tempPath(const char* name) {
    return ::testing::TempDir() + "platform_" + name + "_" + std::to_string(::getpid());
}

TEST(File, CreateNewRefusesAnExistingFile) {
    const std::string path = tempPath("create");
    std::remove(path.c_str());
    platform::File f;
    ASSERT_TRUE(f.createNew(path.c_str(), false));
    EXPECT_EQ(f.write("abc", 3), 3);
    f.close();
    platform::File again;
    EXPECT_FALSE(again.createNew(path.c_str(), false));
    EXPECT_FALSE(again.createNew(path.c_str(), true));
    std::remove(path.c_str());
}

TEST(File, ExclusiveOpenIsRefusedWhileAnotherHolderHasTheLock) {
    const std::string path = tempPath("lock");
    std::remove(path.c_str());
    {
        platform::File f;
        ASSERT_TRUE(f.createNew(path.c_str(), false));
    }
    platform::File first;
    ASSERT_TRUE(first.openExisting(path.c_str(), platform::Access::ReadWrite, true));
    platform::File second;
    EXPECT_FALSE(second.openExisting(path.c_str(), platform::Access::Read, true));
    first.close();
    EXPECT_TRUE(second.openExisting(path.c_str(), platform::Access::Read, true));
    std::remove(path.c_str());
}

TEST(File, ReadWriteSeekSizeTruncate) {
    const std::string path = tempPath("rw");
    std::remove(path.c_str());
    platform::File f;
    ASSERT_TRUE(f.createNew(path.c_str(), false));
    ASSERT_EQ(f.write("0123456789", 10), 10);
    EXPECT_EQ(f.size(), 10);
    ASSERT_TRUE(f.seek(4));
    ASSERT_TRUE(f.truncateHere());
    EXPECT_EQ(f.size(), 4);
    f.close();

    ASSERT_TRUE(f.openExisting(path.c_str(), platform::Access::Read, false));
    char buf[16] = {};
    EXPECT_EQ(f.read(buf, sizeof buf), 4);
    EXPECT_EQ(std::string(buf, 4), "0123");
    ASSERT_TRUE(f.seek(-2, platform::Origin::End));
    EXPECT_EQ(f.read(buf, 2), 2);
    EXPECT_EQ(std::string(buf, 2), "23");
    std::remove(path.c_str());
}

TEST(File, OpeningAMissingFileOrADirectoryFails) {
    platform::File f;
    EXPECT_FALSE(f.openExisting("/nonexistent/file", platform::Access::Read, false));
    EXPECT_FALSE(f.openExisting("/tmp", platform::Access::Read, false));
}

}  // namespace
