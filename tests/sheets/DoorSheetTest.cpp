// The door sheet: what each selector offers, the bolt and open-sensor rule,
// the shared alarm and CCTV outputs, and the edits of the other controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sheets/DoorSheet.h"
#include "tests/sheets/BusTables.h"
#include "tests/sheets/SelectorValues.h"

namespace quor {
namespace {

using test::Values;

// Resources of DoorTable: e0 K01_12345 outputs 0-1 relays, 2-3 OC, inputs
// 0-3, readers 0-1; e1 R05_00007 output 0 (OC), inputs 0-1, reader 0.
constexpr ResRef CtrOut1 = 0x0000;
constexpr ResRef CtrOut2 = 0x0001;
constexpr ResRef CtrOut3 = 0x0002;
constexpr ResRef CtrOut4 = 0x0003;
constexpr ResRef RdrOut1 = 0x0100;
constexpr ResRef CtrIn1 = 0x0000;
constexpr ResRef CtrIn2 = 0x0001;
constexpr ResRef CtrIn4 = 0x0003;
constexpr ResRef RdrIn1 = 0x0100;
constexpr ResRef RdrIn2 = 0x0101;
constexpr ResRef CtrRd1 = 0x0000;

bool Offers(const SelectorView& view, ResRef r)
{
    const auto values = Values(view);
    return std::find(values.begin(), values.end(), r) != values.end();
}

class DoorSheet : public ::testing::Test {
protected:
    DoorSheetView View(int door)
    {
        auto view = ViewDoorSheet(cfg, table, door);
        EXPECT_TRUE(view.has_value());
        return view.value_or(DoorSheetView{});
    }

    BusDevTable table = test::DoorTable();
    DoorCfgSet cfg;
};

TEST_F(DoorSheet, EmptyDoorOffersEveryFreeResource)
{
    const DoorSheetView v = View(0);
    const std::vector<uint16_t> outputs = {NoRef, CtrOut1, CtrOut2, CtrOut3, CtrOut4, RdrOut1};
    for (int row = 0; row < DoorOutputRows; ++row) {
        EXPECT_EQ(Values(v.Outputs[row].Selector), outputs) << row;
        EXPECT_EQ(v.Outputs[row].Selector.Current, 0);
    }
    const std::vector<uint16_t> inputs = {NoRef, CtrIn1, CtrIn2, 0x0002, CtrIn4, RdrIn1, RdrIn2};
    for (int row : {InExitButton, InAlarmSensor, InTamper, InEvacuation}) {
        EXPECT_EQ(Values(v.Inputs[row].Selector), inputs) << row;
    }
    // No bolt: the open sensor has no device to sit on.
    EXPECT_EQ(Values(v.Inputs[InOpenSensor].Selector), std::vector<uint16_t>{NoRef});
    const std::vector<uint16_t> readers = {NoRef, CtrRd1, 0x0001, 0x0100};
    for (int row = 0; row < DoorReaderRows; ++row) {
        EXPECT_EQ(Values(v.Readers[row].Selector), readers) << row;
    }
    EXPECT_EQ(v.Outputs[0].Selector.Items[1].Text, "K01_12345:Out1");
    EXPECT_EQ(v.Inputs[0].Selector.Items[6].Text, "R05_00007:In2");
    EXPECT_EQ(v.Readers[0].Selector.Items[3].Text, "R05_00007:Rd1");
}

TEST_F(DoorSheet, NothingToShowWithoutDoors)
{
    EXPECT_FALSE(ViewDoorSheet(cfg, table, 4).has_value());
    EXPECT_FALSE(ViewDoorSheet(cfg, table, -1).has_value());
    table.DoorCount = 0;
    EXPECT_FALSE(ViewDoorSheet(cfg, table, 0).has_value());
}

TEST_F(DoorSheet, AssignedResourceIsOfferedNowhereElse)
{
    AssignBolt(cfg, table, 0, CtrOut1, false);
    AssignDoorInput(cfg, table, 1, InTamper, RdrIn2, false);
    AssignDoorReader(cfg, table, 0, 1, CtrRd1);
    // Door inputs 5 to 7 have no selector; what they hold is taken all the same.
    cfg.Doors[2].AssignInput(5, CtrIn1, false, table);
    for (int door = 0; door < 4; ++door) {
        const DoorSheetView v = View(door);
        for (int row = 0; row < DoorOutputRows; ++row) {
            EXPECT_EQ(Offers(v.Outputs[row].Selector, CtrOut1), door == 0 && row == 0) << door << row;
        }
        for (int row = 0; row < DoorInputRows; ++row) {
            EXPECT_EQ(Offers(v.Inputs[row].Selector, RdrIn2), door == 1 && row == InTamper) << door << row;
            EXPECT_FALSE(Offers(v.Inputs[row].Selector, CtrIn1)) << door << row;
        }
        for (int row = 0; row < DoorReaderRows; ++row) {
            EXPECT_EQ(Offers(v.Readers[row].Selector, CtrRd1), door == 0 && row == 1) << door << row;
        }
    }
}

TEST_F(DoorSheet, ChoosingNoneReleasesTheResource)
{
    AssignDoorReader(cfg, table, 0, 0, CtrRd1);
    EXPECT_FALSE(Offers(View(1).Readers[0].Selector, CtrRd1));
    AssignDoorReader(cfg, table, 0, 0, NoRef);
    EXPECT_TRUE(Offers(View(1).Readers[0].Selector, CtrRd1));
    EXPECT_EQ(Values(View(0).Readers[0].Selector).front(), NoRef);
}

TEST_F(DoorSheet, OpenSensorOnlyOnTheBoltsDevice)
{
    AssignBolt(cfg, table, 0, RdrOut1, false);
    const DoorSheetView v = View(0);
    EXPECT_EQ(Values(v.Inputs[InOpenSensor].Selector), (std::vector<uint16_t>{NoRef, RdrIn1, RdrIn2}));
}

// DoorTable after "Usuń nieaktywne": entry 1 emptied, its counts still read.
BusDevTable EmptiedReaderTable()
{
    return test::ParsedTable("02 00 24 10 00 00"
                             "39 30 2D 21  01 00 02 02 04 02 00 00"
                             "07 00 FF FF  03 00 00 01 02 01 00 00");
}

// "Usuń nieaktywne" empties the reader's entry while door 1 still names its
// resources: the slots show them without a device, and nothing offers them.
TEST_F(DoorSheet, ReferenceToEmptiedEntryIsShownButNeverOffered)
{
    AssignBolt(cfg, table, 0, RdrOut1, false);
    AssignDoorInput(cfg, table, 0, InExitButton, RdrIn2, false);
    table = EmptiedReaderTable();
    const DoorSheetView v = View(0);
    EXPECT_EQ(v.Outputs[OutBolt].Selector.Items[0].Text, "? (Out1)");
    EXPECT_EQ(v.Outputs[OutBolt].Selector.Current, 0);
    EXPECT_EQ(v.Inputs[InExitButton].Selector.Items[0].Text, "? (In2)");
    // The bolt's device is gone: its inputs are no open sensor to choose.
    EXPECT_EQ(Values(v.Inputs[InOpenSensor].Selector), std::vector<uint16_t>{NoRef});
    EXPECT_EQ(Values(View(1).Inputs[InExitButton].Selector),
              (std::vector<uint16_t>{NoRef, CtrIn1, CtrIn2, 0x0002, CtrIn4}));

    // Another door's alarm output on the emptied entry is not offered for sharing.
    BusDevTable t = test::DoorTable();
    DoorCfgSet c;
    AssignDoorOutputRow(c, t, 0, OutAlarm, RdrOut1, false);
    t = EmptiedReaderTable();
    const auto alarm = ViewDoorSheet(c, t, 1);
    ASSERT_TRUE(alarm.has_value());
    EXPECT_EQ(Values(alarm->Outputs[OutAlarm].Selector),
              (std::vector<uint16_t>{NoRef, CtrOut1, CtrOut2, CtrOut3, CtrOut4}));
}

struct BoltMove {
    const char* name;
    ResRef bolt;
    ResRef sensor;
    ResRef newBolt;
    bool sensorKept;
};

TEST_F(DoorSheet, MovingTheBoltToAnotherDeviceReleasesTheSensor)
{
    const std::vector<BoltMove> moves = {
        {"same device", CtrOut3, CtrIn2, CtrOut4, true},
        {"same output, NC set", CtrOut3, CtrIn2, CtrOut3 | RefNc, true},
        {"another device", CtrOut3, CtrIn2, RdrOut1, false},
        {"cleared", CtrOut3, CtrIn2, NoRef, false},
        {"from the reader to the controller", RdrOut1, RdrIn1, CtrOut1, false},
    };
    for (const auto& m : moves) {
        BusDevTable t = test::DoorTable();
        DoorCfgSet c;
        AssignBolt(c, t, 0, m.bolt, false);
        AssignDoorInput(c, t, 0, InOpenSensor, m.sensor, false);
        AssignBolt(c, t, 0, m.newBolt, false);
        EXPECT_EQ(c.Doors[0].Inputs[InOpenSensor], m.sensorKept ? m.sensor : NoRef) << m.name;
        const bool sensorTaken = t.Dev[RefEntry(m.sensor)].Taken[ResInput] >> RefNumber(m.sensor) & 1;
        EXPECT_EQ(sensorTaken, m.sensorKept) << m.name;
    }
}

TEST_F(DoorSheet, ClearedBoltLeavesTheSensorSelectorOnlyNone)
{
    AssignBolt(cfg, table, 0, CtrOut3, false);
    AssignDoorInput(cfg, table, 0, InOpenSensor, CtrIn2, false);
    AssignBolt(cfg, table, 0, NoRef, false);
    EXPECT_EQ(Values(View(0).Inputs[InOpenSensor].Selector), std::vector<uint16_t>{NoRef});
}

TEST_F(DoorSheet, AlarmOfOneDoorOfferedOnlyInTheOtherDoorsAlarmSelector)
{
    AssignDoorOutputRow(cfg, table, 0, OutAlarm, CtrOut3, false);
    const DoorSheetView v = View(1);
    EXPECT_EQ(Values(v.Outputs[OutAlarm].Selector),
              (std::vector<uint16_t>{NoRef, CtrOut3, NoRef, CtrOut1, CtrOut2, CtrOut4, RdrOut1}));
    for (int row : {OutBolt, OutReminder, OutCctv}) {
        EXPECT_FALSE(Offers(v.Outputs[row].Selector, CtrOut3)) << row;
    }
    // Door 1 shows it as its own, once.
    EXPECT_EQ(Values(View(0).Outputs[OutAlarm].Selector),
              (std::vector<uint16_t>{CtrOut3, NoRef, CtrOut1, CtrOut2, CtrOut4, RdrOut1}));
}

TEST_F(DoorSheet, SharedCctvStaysTakenWhileADoorUsesIt)
{
    AssignDoorOutputRow(cfg, table, 0, OutCctv, CtrOut4, true);
    AssignDoorOutputRow(cfg, table, 2, OutCctv, CtrOut4 | RefNc, true);
    AssignDoorOutputRow(cfg, table, 0, OutCctv, NoRef, false);
    EXPECT_FALSE(Offers(View(1).Outputs[OutReminder].Selector, CtrOut4));
    EXPECT_EQ(Values(View(1).Outputs[OutCctv].Selector)[1], CtrOut4 | RefNc);
    AssignDoorOutputRow(cfg, table, 2, OutCctv, NoRef, false);
    EXPECT_TRUE(Offers(View(1).Outputs[OutReminder].Selector, CtrOut4));
}

TEST_F(DoorSheet, NcBoxesOfRelayAndOcOutputs)
{
    // The NC state of the row is passed along; a relay output takes no flag.
    AssignBolt(cfg, table, 0, CtrOut1, true);
    AssignDoorOutputRow(cfg, table, 0, OutReminder, CtrOut3, true);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutBolt], CtrOut1);
    EXPECT_EQ(cfg.Doors[0].Outputs[OutReminder], CtrOut3 | RefNc);
    DoorSheetView v = View(0);
    EXPECT_EQ(v.Outputs[OutBolt].Check, (CheckState{false, false}));
    EXPECT_EQ(v.Outputs[OutReminder].Check, (CheckState{true, true}));
    EXPECT_EQ(v.Outputs[OutAlarm].Check, (CheckState{false, false}));

    SetDoorOutputNc(cfg, table, 0, OutReminder, false);
    EXPECT_EQ(View(0).Outputs[OutReminder].Check, (CheckState{true, false}));
}

TEST_F(DoorSheet, InputNcAndReaderExitBoxes)
{
    AssignDoorInput(cfg, table, 0, InEvacuation, RdrIn1, true);
    AssignDoorReader(cfg, table, 0, 2, CtrRd1);
    SetReaderExit(cfg, table, 0, 2, true);
    DoorSheetView v = View(0);
    EXPECT_EQ(v.Inputs[InEvacuation].Check, (CheckState{true, true}));
    EXPECT_EQ(v.Inputs[InTamper].Check, (CheckState{false, true}));  // none has bit 7 set
    EXPECT_EQ(v.Readers[2].Check, (CheckState{true, true}));
    EXPECT_EQ(v.Readers[0].Check, (CheckState{false, false}));

    SetDoorInputNc(cfg, table, 0, InEvacuation, false);
    EXPECT_EQ(cfg.Doors[0].Inputs[InEvacuation], RdrIn1);
    SetDoorInputNc(cfg, table, 0, InTamper, true);  // an empty slot stays empty
    EXPECT_EQ(cfg.Doors[0].Inputs[InTamper], NoRef);
}

TEST_F(DoorSheet, ReaderExitTouchesOnlyBitZeroOfItsWord)
{
    cfg.Doors[0].Params[ParReaderFlags + 8] = 0xF0;
    SetReaderExit(cfg, table, 0, 2, true);
    for (int i = ParReaderFlags; i < ParReaderFlags + 16; ++i) {
        EXPECT_EQ(cfg.Doors[0].Params[i], i == ParReaderFlags + 8 ? 0xF1 : 0) << i;
    }
    EXPECT_TRUE(ReaderExit(cfg.Doors[0], 2));
    SetReaderExit(cfg, table, 0, 2, false);
    EXPECT_EQ(cfg.Doors[0].Params[ParReaderFlags + 8], 0xF0);
}

TEST_F(DoorSheet, EditsOfADoorBeyondTheDoorsInUseAreIgnored)
{
    AssignBolt(cfg, table, 4, CtrOut1, false);
    AssignDoorInput(cfg, table, 7, InTamper, CtrIn1, false);
    AssignDoorReader(cfg, table, 8, 0, CtrRd1);
    SetBoltPulse(cfg, table, 5, "3");
    EXPECT_EQ(table.Dev[0].Taken, (std::array<uint32_t, ResKinds>{}));
    EXPECT_EQ(cfg.Doors[4].Outputs[OutBolt], NoRef);
    EXPECT_EQ(cfg.Doors[5].Params[ParBoltPulse], 0);
}

TEST(DoorTabs, OnePerDoorAtMostEight)
{
    BusDevTable t = test::DoorTable();
    EXPECT_EQ(DoorTabCaptions(t), (std::vector<std::string>{"1", "2", "3", "4"}));
    t.DoorCount = 31;
    EXPECT_EQ(DoorTabCount(t), 8);
    EXPECT_EQ(DoorTabCaptions(t).back(), "8");
}

TEST(Airlock, ItemsHalfTheDoors)
{
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {1, {"  -----"}},
        {3, {"  -----", "Śluza 1"}},
        {4, {"  -----", "Śluza 1", "Śluza 2"}},
        {8, {"  -----", "Śluza 1", "Śluza 2", "Śluza 3", "Śluza 4"}},
        // More doors than records: still the four airlocks the flags can hold.
        {20, {"  -----", "Śluza 1", "Śluza 2", "Śluza 3", "Śluza 4"}},
    };
    for (const auto& [doors, items] : cases) {
        BusDevTable t;
        t.DoorCount = doors;
        EXPECT_EQ(AirlockItems(t), items) << doors;
    }
}

TEST(Airlock, ItemOfTheStoredFlags)
{
    struct Case {
        uint8_t flags;
        int items;
        int index;
    };
    const std::vector<Case> cases = {
        {0x00, 3, 0}, {0xC3, 3, 0},                 // bit 2 clear: no airlock whatever bits 0-1 say
        {0x04, 3, 1}, {0x45, 3, 2}, {0x06, 3, -1},  // airlock 3 with 4 doors: no selection
        {0x07, 5, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AirlockIndex(c.flags, c.items), c.index) << int{c.flags};
    }
}

TEST(Airlock, TypedText)
{
    const std::vector<std::string> items = {"  -----", "Śluza 1", "Śluza 2"};
    const std::pair<std::string_view, int> cases[] = {
        {"Śluza 2", 2}, {"2", 2},       {" 1 ", 1},     {"Śluza 1 ", 1}, {"3", -1},     {"Śluza 3", -1},
        {"  -----", 0}, {"-----", 0},   {"", 0},        {"  ", 0},       {"Śluza", -1}, {"12", -1},
        {"abc", -1},    {"śluza 1", 1}, {"ŚLUZA 2", 2}, {"0", -1},
    };
    for (const auto& [typed, index] : cases) {
        EXPECT_EQ(TypedAirlockIndex(typed, items), index) << '"' << typed << '"';
    }
    EXPECT_EQ(TypedAirlockIndex("1", {"  -----"}), -1);
}

TEST_F(DoorSheet, ChoosingAnAirlock)
{
    cfg.Doors[0].Params[ParDoorFlags] = 0xFA;
    SetAirlock(cfg, table, 0, 2);  // "Śluza 2": bit 0 and bit 2 set, bits 1 and 3-5 clear
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorFlags], 0xC5);
    SetAirlock(cfg, table, 0, 0);
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorFlags], 0xC0);
    SetAirlock(cfg, table, 0, -1);  // typed text that matches no item
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorFlags], 0xC0);
    EXPECT_EQ(AirlockFlags(0x00, 4), 0x07);
    EXPECT_EQ(AirlockFlags(0x00, 5), 0x00);
}

TEST_F(DoorSheet, StoredAirlockBeyondTheItemsShowsNoSelectionAndStays)
{
    cfg.Doors[1].Params[ParDoorFlags] = 0x06;  // airlock 3, but 4 doors offer two
    EXPECT_EQ(View(1).AirlockIndex, -1);
    EXPECT_EQ(cfg.Doors[1].Params[ParDoorFlags], 0x06);
}

TEST_F(DoorSheet, DoorTypeKeepsTheHighBits)
{
    cfg.Doors[0].Params[ParDoorType] = 0xA7;  // type above 4
    EXPECT_EQ(View(0).TypeIndex, -1);
    SetDoorType(cfg, table, 0, 1);
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorType], 0xA1);
    EXPECT_EQ(View(0).TypeIndex, 1);
    SetDoorType(cfg, table, 0, -1);  // no selection: nothing chosen
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorType], 0xA1);
    EXPECT_EQ(DoorTypeNames[4], "Zablokowane");
}

TEST_F(DoorSheet, HandleAndFullPulseFlags)
{
    cfg.Doors[0].Params[ParDoorFlags] = 0x05;
    SetHandleOpening(cfg, table, 0, true);
    SetFullBoltPulse(cfg, table, 0, true);
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorFlags], 0xC5);
    DoorSheetView v = View(0);
    EXPECT_TRUE(v.HandleOpening);
    EXPECT_TRUE(v.FullBoltPulse);
    SetHandleOpening(cfg, table, 0, false);
    EXPECT_EQ(cfg.Doors[0].Params[ParDoorFlags], 0x85);
    EXPECT_FALSE(View(0).HandleOpening);
}

TEST_F(DoorSheet, TimesAreStoredAndShownCanonically)
{
    SetBoltPulse(cfg, table, 0, "100");
    SetOpenTime(cfg, table, 0, "3,7");
    EXPECT_EQ(cfg.Doors[0].Params[ParBoltPulse], 127);
    EXPECT_EQ(cfg.Doors[0].Params[ParOpenTime], 7);
    const DoorSheetView v = View(0);
    EXPECT_EQ(v.BoltPulseText, "63,5");
    EXPECT_EQ(v.OpenTimeText, "3,5");
}

TEST_F(DoorSheet, TrainNumber)
{
    EXPECT_TRUE(TrainNumberShown(table));
    SetTrainNumber(cfg, "0815");
    EXPECT_EQ(cfg.TrainNumber, 815);
    EXPECT_EQ(View(0).TrainNumberText, "815");
    SetTrainNumber(cfg, "");
    EXPECT_EQ(cfg.TrainNumber, 0);
    for (int flag : {0, 2, 15}) {
        table.TrainFlag = flag;
        EXPECT_FALSE(TrainNumberShown(table)) << flag;
    }
}

}  // namespace
}  // namespace quor
