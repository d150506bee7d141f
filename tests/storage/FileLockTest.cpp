#include "FileLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TestFiles.h"

namespace zintu {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(FileLock, StaleLockIsTakenOverAndOnlyTheOwnFileReleased) {
    test::TempFolder folder;
    const auto file = folder / "Zintu.lck";
    const test::Bytes dead = {'d', 'e', 'a', 'd'};
    test::WriteBytes(file, dead);
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - 10s);

    const auto start = Clock::now();
    auto lock = FileLock::Acquire(file);
    ASSERT_TRUE(lock);
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_NE(test::ReadBytes(file), dead);
    lock.reset();
    EXPECT_FALSE(std::filesystem::exists(file));

    // A holder that lost its file to a takeover leaves the new holder's file alone.
    lock = FileLock::Acquire(file);
    test::WriteBytes(file, dead);
    lock.reset();
    EXPECT_EQ(test::ReadBytes(file), dead);
}

TEST(FileLock, HeldLockDelaysOthersWithinThePatience) {
    test::TempFolder folder;
    const auto file = folder / "Zintu.lck";
    auto held = FileLock::Acquire(file);
    ASSERT_TRUE(held);

    auto start = Clock::now();
    EXPECT_FALSE(FileLock::Acquire(file, {.Patience = 300ms}));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 2s);

    std::thread releaser([&held] {
        std::this_thread::sleep_for(100ms);
        held.reset();
    });
    start = Clock::now();
    EXPECT_TRUE(FileLock::Acquire(file));
    EXPECT_GE(Clock::now() - start, 100ms);
    releaser.join();

    start = Clock::now();
    EXPECT_FALSE(FileLock::Acquire(folder / "absent" / "Zintu.lck"));
    EXPECT_LT(Clock::now() - start, 1s) << "without the folder there is nothing to wait for";
}

}  // namespace
}  // namespace zintu
