// The size checks of WholeFile at the edge of what a 32-bit program can hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/file.h"
#include "rpls/whole_file.h"

namespace {

TEST(WholeFile, AFileOf4GiBMinusOneIsRefusedWithoutWrappingTheBufferSize) {
    if (sizeof(std::size_t) > 4) GTEST_SKIP() << "the buffer size can only wrap with a 32-bit size_t";
    // The file is only extended (ftruncate, SetEndOfFile), so no data is written; on ext4, also
    // under Wine, the extension is a hole.
    const std::string path = ::testing::TempDir() + "whole_file_4gib_minus_1.rpls";
    std::remove(path.c_str());
    {
        platform::File create;
        ASSERT_TRUE(create.createNew(path.c_str(), false));
        ASSERT_TRUE(create.seek((std::int64_t{1} << 32) - 1));
        ASSERT_TRUE(create.truncateHere());
    }
    platform::File file;
    ASSERT_TRUE(file.openExisting(path.c_str(), platform::Access::Read, false));
    ASSERT_EQ(file.size(), (std::int64_t{1} << 32) - 1);
    rpls::WholeFile image;
    EXPECT_EQ(image.load(file), rpls::WholeFile::Status::AllocationFailed);
    EXPECT_EQ(image.size(), 0u);
    file.close();
    std::remove(path.c_str());
}

}  // namespace
