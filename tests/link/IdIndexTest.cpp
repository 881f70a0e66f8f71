// The index of devices waiting to be put in the table: what it finds, after
// adding up to its room and after being emptied.
#include <gtest/gtest.h>

#include <cstdint>

#include "link/IdIndex.h"

namespace quor::test {
namespace {

TEST(IdIndex, FindsWhatWasAddedAndNothingElse)
{
    IdIndex index(4);
    index.Add(0x20650001, 0);
    index.Add(0x00000000, 1);
    index.Add(0xFFFFFFFF, 2);
    index.Add(0x20660001, 3);  // the room is full
    EXPECT_EQ(index.Find(0x20650001), 0);
    EXPECT_EQ(index.Find(0x00000000), 1);
    EXPECT_EQ(index.Find(0xFFFFFFFF), 2);
    EXPECT_EQ(index.Find(0x20660001), 3);
    EXPECT_EQ(index.Find(0x20650002), -1);
    EXPECT_EQ(index.Find(0x30650001), -1);
}

TEST(IdIndex, EmptiedIndexFindsNothingAndTakesNewEntries)
{
    IdIndex index(2);
    index.Add(0x20650001, 0);
    index.Add(0x20650002, 1);
    index.Clear();
    EXPECT_EQ(index.Find(0x20650001), -1);
    EXPECT_EQ(index.Find(0x20650002), -1);
    index.Add(0x20650002, 0);
    index.Add(0x20650003, 1);
    EXPECT_EQ(index.Find(0x20650001), -1);
    EXPECT_EQ(index.Find(0x20650002), 0);
    EXPECT_EQ(index.Find(0x20650003), 1);
}

TEST(IdIndex, RoomForOne)
{
    IdIndex index(1);
    EXPECT_EQ(index.Find(0x20650001), -1);
    index.Add(0x20650001, 0);
    EXPECT_EQ(index.Find(0x20650001), 0);
    EXPECT_EQ(index.Find(0x20650002), -1);
}

// Identities that differ only in their serial numbers, or only in their
// model codes, as a search of thousands of devices brings them.
TEST(IdIndex, ThousandsOfNeighbours)
{
    constexpr int Serials = 5000;
    constexpr int Models = 1000;
    IdIndex index(Serials + Models);
    for (int i = 0; i < Serials; ++i) {
        index.Add(0x20650001u + static_cast<uint32_t>(i), i);
    }
    for (int m = 0; m < Models; ++m) {
        index.Add(0x2000FFFFu + (static_cast<uint32_t>(m) << 16), Serials + m);
    }
    for (int i = 0; i < Serials; ++i) {
        ASSERT_EQ(index.Find(0x20650001u + static_cast<uint32_t>(i)), i) << i;
    }
    for (int m = 0; m < Models; ++m) {
        ASSERT_EQ(index.Find(0x2000FFFFu + (static_cast<uint32_t>(m) << 16)), Serials + m) << m;
    }
    EXPECT_EQ(index.Find(0x20650000), -1);
    EXPECT_EQ(index.Find(0x20650001u + Serials), -1);
    EXPECT_EQ(index.Find(0x2001FFFE), -1);
}

}  // namespace
}  // namespace quor::test
