#include "platform/background_transfer.h"
#include "platform/file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string tempPath(const char* name) {
    return ::testing::TempDir() + "platform_" + name + "_" + std::to_string(::getpid());
}

TEST(BackgroundTransfer, CarriesOutTransfersInTheOrderStarted) {
    const std::string path = tempPath("ordered");
    std::remove(path.c_str());
    platform::File out;
    ASSERT_TRUE(out.createNew(path.c_str(), false));
    platform::BackgroundTransfer transfer;
    std::vector<std::string> parts{"first ", "second ", "third"};
    std::vector<std::int64_t> tickets;
    for (const std::string& part : parts) tickets.push_back(transfer.startWrite(out, part.data(), part.size()));
    // Collected in any order; each answers its own count.
    for (std::size_t i = parts.size(); i-- > 0;) {
        ASSERT_GE(tickets[i], 0);
        EXPECT_EQ(transfer.collect(tickets[i]), static_cast<std::int64_t>(parts[i].size()));
        EXPECT_TRUE(transfer.finished(tickets[i]));
    }
    out.close();

    platform::File in;
    ASSERT_TRUE(in.openExisting(path.c_str(), platform::Access::Read, false));
    char text[32] = {};
    const std::int64_t ticket = transfer.startRead(in, text, sizeof text);
    EXPECT_EQ(transfer.collect(ticket), 18);
    EXPECT_EQ(std::string(text), "first second third");
    std::remove(path.c_str());
}

TEST(BackgroundTransfer, WritesBehindAFailedOneAreNotCarriedOut) {
    const std::string path = tempPath("failed");
    std::remove(path.c_str());
    platform::File create;
    ASSERT_TRUE(create.createNew(path.c_str(), false));
    create.close();
    platform::File readOnly;
    platform::File out;
    ASSERT_TRUE(readOnly.openExisting(path.c_str(), platform::Access::Read, false));
    ASSERT_TRUE(out.openExisting(path.c_str(), platform::Access::ReadWrite, false));
    platform::BackgroundTransfer transfer;
    const std::int64_t failing = transfer.startWrite(readOnly, "abc", 3);
    const std::int64_t behind = transfer.startWrite(out, "def", 3);
    char text[4] = {};
    const std::int64_t read = transfer.startRead(readOnly, text, 3);
    EXPECT_EQ(transfer.collect(failing), -1);
    EXPECT_EQ(transfer.collect(behind), -1);
    EXPECT_EQ(transfer.collect(read), 0);  // reads still run: the file stayed empty
    EXPECT_EQ(out.size(), 0);
    std::remove(path.c_str());
}

TEST(BackgroundTransfer, RefusesMoreThanItsQueueHolds) {
    const std::string path = tempPath("full");
    std::remove(path.c_str());
    platform::File out;
    ASSERT_TRUE(out.createNew(path.c_str(), false));
    platform::BackgroundTransfer transfer;
    std::vector<std::int64_t> tickets;
    for (int i = 0; i < platform::BackgroundTransfer::kMaxQueued; ++i)
        tickets.push_back(transfer.startWrite(out, "x", 1));
    EXPECT_EQ(transfer.startWrite(out, "y", 1), -1);
    EXPECT_EQ(transfer.collect(tickets.front()), 1);
    EXPECT_GE(transfer.startWrite(out, "z", 1), 0);  // the collected place is free again
    std::remove(path.c_str());
}

}  // namespace
