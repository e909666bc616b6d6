#include "platform/file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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

// A FIFO without a writer would block an ordinary open for ever; special files are refused at
// once, for reading and for writing, unbuffered or not.
TEST(File, SpecialFilesAreRefusedWithoutWaiting) {
#ifdef _WIN32
    // Windows has no FIFOs in the file system; its devices are refused the same way.
    const std::string fifo = "NUL";
    for (const char* path : {"NUL", "CONIN$", "CONOUT$"}) {
#else
    const std::string fifo = tempPath("fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char* path : {fifo.c_str(), "/dev/null", "/dev/zero"}) {
#endif
        for (const bool unbuffered : {false, true}) {
            platform::File f;
            EXPECT_FALSE(f.openExisting(path, platform::Access::Read, true, unbuffered)) << path;
            EXPECT_FALSE(f.openExisting(path, platform::Access::ReadWrite, false, unbuffered)) << path;
            EXPECT_FALSE(f.isOpen());
        }
    }
    if (fifo != "NUL") std::remove(fifo.c_str());
}

TEST(File, FlushToDiskAndRemoveFile) {
    const std::string path = tempPath("flush");
    std::remove(path.c_str());
    platform::File f;
    EXPECT_FALSE(f.flushToDisk());  // no file open
    ASSERT_TRUE(f.createNew(path.c_str(), false));
    EXPECT_EQ(f.write("abc", 3), 3);
    EXPECT_TRUE(f.flushToDisk());
    f.close();
    EXPECT_TRUE(platform::removeFile(path.c_str()));
    EXPECT_FALSE(f.openExisting(path.c_str(), platform::Access::Read, false));
    EXPECT_FALSE(platform::removeFile(path.c_str()));
}

}  // namespace
