// The door configuration: alarm and CCTV outputs shared by several doors, and
// the bound of eight door records whatever door count the controller reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/Cfgquor.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using test::HexBytes;

// e0 K01_12345: outputs 0-1 relays, 2-3 OC; 4 inputs; 2 readers. e1 R05_00007: 1 input, 1 reader.
BusDevTable Doors(int doorCount)
{
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes("02 00 21 00 00 00"
                                 "39 30 2D 21  00 00 02 02 04 02 00 00"
                                 "07 00 05 20  03 00 00 00 01 01 00 00")));
    t.DoorCount = doorCount;
    return t;
}

constexpr ResRef X = 0x0002;
constexpr ResRef Y = 0x0003;

uint32_t TakenOutputs(const BusDevTable& t)
{
    return t.Dev[0].Taken[ResOutput];
}

std::vector<ResRef> Shared(const DoorCfgSet& cfg, const BusDevTable& t, int slot)
{
    std::array<ResRef, MaxDoors> out;
    const int n = cfg.SharedValues(slot, out, t);
    return {out.begin(), out.begin() + n};
}

TEST(DoorShare, AlarmLeftByOneDoorStaysTakenForTheOther)
{
    BusDevTable t = Doors(4);
    DoorCfgSet cfg;
    cfg.AssignDoorOutput(0, OutAlarm, X, false, t);
    cfg.AssignDoorOutput(2, OutAlarm, X, false, t);
    EXPECT_EQ(TakenOutputs(t), 1u << 2);
    cfg.AssignDoorOutput(0, OutAlarm, Y, false, t);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutAlarm], Y);
    EXPECT_EQ(cfg.Doors[2].Outputs[OutAlarm], X);
    EXPECT_EQ(TakenOutputs(t), (1u << 2) | (1u << 3));
    // Once no door uses it, the output is free again.
    cfg.AssignDoorOutput(2, OutAlarm, NoRef, false, t);
    EXPECT_EQ(TakenOutputs(t), 1u << 3);
}

TEST(DoorShare, NcOfASharedOutputFollowsTheLastEdit)
{
    for (int slot : {OutAlarm, OutCctv}) {
        SCOPED_TRACE(slot);
        BusDevTable t = Doors(4);
        DoorCfgSet cfg;
        cfg.AssignDoorOutput(0, slot, X, true, t);
        cfg.AssignDoorOutput(2, slot, X, true, t);
        ASSERT_EQ(cfg.Doors[0].Outputs[slot], X | RefNc);
        cfg.SetOutputNc(2, slot, false, t);
        EXPECT_EQ(cfg.Doors[0].Outputs[slot], X);
        EXPECT_EQ(cfg.Doors[2].Outputs[slot], X);
        // Assigning it again with NC sets the flag for every door sharing it.
        cfg.AssignDoorOutput(1, slot, X, true, t);
        for (int door : {0, 1, 2}) {
            EXPECT_EQ(cfg.Doors[door].Outputs[slot], X | RefNc) << door;
        }
        EXPECT_EQ(TakenOutputs(t), 1u << 2);
    }
}

TEST(DoorShare, OtherSlotsAreNeitherSharedNorPropagated)
{
    BusDevTable t = Doors(4);
    DoorCfgSet cfg;
    cfg.AssignDoorOutput(0, OutReminder, X, true, t);
    cfg.Doors[1].Outputs[OutReminder] = X;  // as a broken configuration could hold it
    cfg.SetOutputNc(0, OutReminder, false, t);
    cfg.SetOutputNc(1, OutReminder, true, t);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutReminder], X);
    EXPECT_EQ(cfg.Doors[1].Outputs[OutReminder], X | RefNc);
    // A shared output in one slot does not reach the other slot.
    cfg.AssignDoorOutput(0, OutCctv, Y, true, t);
    cfg.AssignDoorOutput(1, OutAlarm, Y, false, t);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutCctv], Y | RefNc);
}

TEST(DoorShare, SetOutputNcIgnoresNoneAndBadNumbers)
{
    BusDevTable t = Doors(4);
    DoorCfgSet cfg;
    cfg.SetOutputNc(0, OutAlarm, true, t);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutAlarm], NoRef);
    cfg.AssignDoorOutput(0, OutBolt, X, false, t);
    for (int door : {-1, 8, 100}) {
        cfg.SetOutputNc(door, OutBolt, true, t);
        cfg.AssignDoorOutput(door, OutBolt, Y, true, t);
    }
    for (int slot : {-1, 10}) {
        cfg.SetOutputNc(0, slot, true, t);
        cfg.PropagateNc(0, slot, t);
        cfg.RemarkSlot(slot, t);
    }
    EXPECT_EQ(cfg.Doors[0].Outputs[OutBolt], X);
    EXPECT_EQ(TakenOutputs(t), 1u << 2);
}

TEST(DoorShare, SharedValuesInDoorOrder)
{
    BusDevTable t = Doors(4);
    DoorCfgSet cfg;
    const ResRef slots[] = {X, NoRef, X, Y};
    for (int door = 0; door < 4; ++door) {
        cfg.Doors[door].Outputs[OutAlarm] = slots[door];
    }
    EXPECT_EQ(Shared(cfg, t, OutAlarm), (std::vector<ResRef>{X, Y}));
    // Whole values: a flag makes a different value.
    cfg.Doors[3].Outputs[OutAlarm] = X | RefNc;
    EXPECT_EQ(Shared(cfg, t, OutAlarm), (std::vector<ResRef>{X, X | RefNc}));
    // Only the doors in use count.
    t.DoorCount = 1;
    EXPECT_EQ(Shared(cfg, t, OutAlarm), (std::vector<ResRef>{X}));
    EXPECT_EQ(Shared(cfg, t, OutCctv), std::vector<ResRef>{});
    EXPECT_EQ(Shared(cfg, t, 10), std::vector<ResRef>{});
    std::array<ResRef, 1> one;
    t.DoorCount = 4;
    EXPECT_EQ(cfg.SharedValues(OutAlarm, std::span<ResRef>(one), t), 1);
}

TEST(DoorBound, MoreThanEightDoorsReportedUseEightRecords)
{
    // Kind 1 with 31 doors is a valid reply; only eight records exist.
    BusDevTable t;
    ASSERT_TRUE(t.Parse(HexBytes("01 00 3F 00 00 00 39 30 2D 21  00 00 00 20 20 00 00 00")));
    ASSERT_EQ(t.DoorCount, 31);
    DoorCfgSet cfg;
    EXPECT_EQ(DoorsInUse(t), MaxDoors);
    for (int door = 0; door < MaxDoors; ++door) {
        cfg.Doors[door].Outputs[OutAlarm] = 0x0010;
        cfg.Doors[door].Outputs[OutBolt] = static_cast<ResRef>(door);
    }
    cfg.MarkAll(t);
    EXPECT_EQ(TakenOutputs(t), 0xFFu | 1u << 16);
    EXPECT_EQ(Shared(cfg, t, OutAlarm), (std::vector<ResRef>{0x0010}));
    std::array<ResRef, 32> wide;
    EXPECT_EQ(cfg.SharedValues(OutBolt, wide, t), MaxDoors);
    cfg.SetOutputNc(7, OutAlarm, true, t);
    for (int door = 0; door < MaxDoors; ++door) {
        EXPECT_EQ(cfg.Doors[door].Outputs[OutAlarm], 0x0090) << door;
    }
    cfg.AssignDoorOutput(8, OutAlarm, 0x0011, false, t);
    cfg.AssignDoorOutput(7, OutAlarm, 0x0011, false, t);
    EXPECT_EQ(TakenOutputs(t), 0xFFu | 1u << 16 | 1u << 17);
    t.Dev[0].Taken = {};
    cfg.RemarkSlot(OutAlarm, t);
    EXPECT_EQ(TakenOutputs(t), 1u << 16 | 1u << 17);
}

TEST(DoorBound, NegativeDoorCountUsesNoDoors)
{
    BusDevTable t = Doors(-3);
    DoorCfgSet cfg;
    EXPECT_EQ(DoorsInUse(t), 0);
    cfg.Doors[0].Outputs[OutBolt] = X;
    cfg.MarkAll(t);
    EXPECT_EQ(TakenOutputs(t), 0u);
}

TEST(DoorCfgRecord, ShapeAndInitialState)
{
    BusDevTable t;
    const DoorCfgSet cfg;
    EXPECT_EQ(cfg.Common.BlockType, BlockCommon);
    EXPECT_EQ(cfg.Common.ExpectedLength(), 16);
    EXPECT_TRUE(
        std::all_of(cfg.Common.Data.begin(), cfg.Common.Data.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(cfg.TrainNumber, 0);
    for (const DoorCfg& d : cfg.Doors) {
        EXPECT_EQ(d.BlockType, BlockDoor);
        EXPECT_EQ(d.ExpectedLength(), 108);
        EXPECT_EQ(d.Outputs[0], NoRef);
        EXPECT_EQ(d.Inputs[9], NoRef);
        EXPECT_EQ(d.Params, (std::array<uint8_t, 64>{}));
    }
}

}  // namespace
}  // namespace quor
