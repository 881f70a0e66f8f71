// A controller is a plain value: a copy holds its own table and records, and
// the taken masks are those of its own configuration.
#include <gtest/gtest.h>

#include <array>

#include "model/KindConfig.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using test::HexBytes;
using Masks = std::array<uint32_t, ResKinds>;

// A door controller with one door. e0 K01_12345: outputs 0-1 relays, 2-3 OC;
// 4 inputs; 2 readers. e1 D01_00007: 2 output sets.
Controller OneDoor()
{
    Controller c;
    EXPECT_TRUE(c.Table.Parse(HexBytes("02 00 21 00 00 00"
                                       "39 30 2D 21  01 00 02 02 04 02 00 00"
                                       "07 00 BD 22  03 00 82 00 00 00 00 00")));
    return c;
}

TEST(ControllerCopy, EditingTheCopyLeavesTheOriginal)
{
    Controller original = OneDoor();
    original.Doors.AssignDoorOutput(0, OutBolt, 0x0002, false, original.Table);
    original.Doors.Doors[0].AssignInput(InExitButton, 0x0001, false, original.Table);

    Controller copy = original;
    copy.Doors.AssignDoorOutput(0, OutBolt, 0x0003, true, copy.Table);
    copy.Doors.Doors[0].AssignInput(InExitButton, NoRef, false, copy.Table);
    copy.Doors.TrainNumber = 7;
    EXPECT_EQ(copy.Doors.Doors[0].Outputs[OutBolt], 0x0083);
    EXPECT_EQ(copy.Table.Dev[0].Taken, (Masks{0b1000, 0, 0, 0}));

    EXPECT_EQ(original.Doors.Doors[0].Outputs[OutBolt], 0x0002);
    EXPECT_EQ(original.Doors.Doors[0].Inputs[InExitButton], 0x0001);
    EXPECT_EQ(original.Doors.TrainNumber, 0);
    EXPECT_EQ(original.Table.Dev[0].Taken, (Masks{0b0100, 0b0010, 0, 0}));

    // Assigning over a controller is a copy too: the lift record and its masks go with it.
    Controller assigned = OneDoor();
    assigned = original;
    assigned.Lift.AssignOutputSet(0, 0x0101, assigned.Table);
    EXPECT_EQ(assigned.Table.Dev[1].Taken[ResOutputSet], 0b10u);
    EXPECT_EQ(assigned.Table.Dev[0].Taken, (Masks{0b0100, 0b0010, 0, 0}));
    EXPECT_EQ(original.Lift.OutputSets[0], NoRef);
    EXPECT_EQ(original.Table.Dev[1].Taken[ResOutputSet], 0u);
}

TEST(ControllerCopy, TakenMarksFollowTheConfiguration)
{
    Controller c = OneDoor();
    // Output 2 in two slots: leaving one of them clears its bit as the sheet's edit does.
    c.Doors.AssignDoorOutput(0, OutBolt, 0x0002, false, c.Table);
    c.Doors.AssignDoorOutput(0, OutReminder, 0x0002, false, c.Table);
    c.Doors.AssignDoorOutput(0, OutReminder, NoRef, false, c.Table);
    EXPECT_EQ(c.Table.Dev[0].Taken[ResOutput], 0u);
    RemarkKindConfig(c);
    EXPECT_EQ(c.Table.Dev[0].Taken[ResOutput], 0b0100u);

    // Slots written directly, and masks that no slot explains, give way to the records.
    c.Doors.Doors[0].Outputs[OutBolt] = 0x0001;
    c.Doors.Doors[0].Readers[1] = 0x0001;
    c.Table.Dev[0].Taken[ResInput] = 0b1111;
    c.Lift.OutputSets[0] = 0x0100;  // not the table's kind: takes nothing
    RemarkKindConfig(c);
    EXPECT_EQ(c.Table.Dev[0].Taken, (Masks{0b0010, 0, 0b0010, 0}));
    EXPECT_EQ(c.Table.Dev[1].Taken, (Masks{}));
}

}  // namespace
}  // namespace quor
