// The lockers sheet: the colour rule of the locker ranges, the number edits,
// the room name and the other fields.
#include <gtest/gtest.h>

#include <vector>

#include "sheets/LockersSheet.h"
#include "sheets/SheetEdits.h"
#include "tests/sheets/BusTables.h"

namespace quor {
namespace {

constexpr uint16_t None = NoLocker;

struct Row {
    bool module;
    uint16_t first;
    uint16_t last;
};

struct RangeCase {
    const char* name;
    std::vector<Row> rows;                      // rows 0, 1, ...; the others empty
    std::vector<std::pair<bool, bool>> yellow;  // first, last of those rows
};

OutSetCfg WithRows(BusDevTable& table, const std::vector<Row>& rows)
{
    OutSetCfg cfg = OutSetCfg::Lockers();
    const ResRef modules[] = {0x0100, 0x0101, 0x0200};
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].module) {
            cfg.AssignOutputSet(static_cast<int>(i), modules[i], table);
        }
        cfg.SetLockerFirst(static_cast<int>(i), rows[i].first);
        cfg.SetLockerLast(static_cast<int>(i), rows[i].last);
    }
    return cfg;
}

TEST(LockerRanges, Colours)
{
    const std::vector<RangeCase> cases = {
        // The lockers sheet's own examples.
        {"1 to 10", {{true, 1, 10}}, {{false, false}}},
        {"last empty", {{true, 1, None}}, {{false, true}}},
        {"last below first", {{true, 10, 5}}, {{true, true}}},
        {"41 lockers", {{true, 1, 40}}, {{true, true}}},
        {"numbers without a module", {{false, 5, 6}}, {{true, true}}},
        {"overlap", {{true, 1, 10}, {true, 5, 12}}, {{false, true}, {true, false}}},
        {"32 lockers", {{true, 100, 131}}, {{false, false}}},
        {"33 lockers", {{true, 100, 132}}, {{true, true}}},
        {"ranges touching", {{true, 1, 10}, {true, 11, 20}}, {{false, false}, {false, false}}},
        {"one locker", {{true, 0, 0}}, {{false, false}}},
        {"module without numbers", {{true, None, None}}, {{true, true}}},
        {"empty row", {{false, None, None}}, {{false, false}}},
        // A range that is itself too long claims no numbers from others.
        {"too long a range", {{true, 1, 50}, {true, 5, 6}}, {{true, true}, {false, false}}},
        {"inside another range", {{true, 1, 20}, {true, 5, 6}}, {{false, false}, {true, true}}},
    };
    for (const auto& c : cases) {
        BusDevTable table = test::LockersTable();
        const OutSetCfg cfg = WithRows(table, c.rows);
        LockerRangeColours expected;
        for (size_t i = 0; i < c.yellow.size(); ++i) {
            expected.FirstInvalid[i] = c.yellow[i].first;
            expected.LastInvalid[i] = c.yellow[i].second;
        }
        EXPECT_EQ(CheckLockerRanges(cfg), expected) << c.name;
    }
}

TEST(LockerRanges, NumberTakenByAnotherRowOnly)
{
    BusDevTable table = test::LockersTable();
    const OutSetCfg cfg = WithRows(table, {{true, 1, 10}, {true, 20, 25}});
    EXPECT_TRUE(LockerNumberTaken(cfg, 10, 1));
    EXPECT_FALSE(LockerNumberTaken(cfg, 10, 0));
    EXPECT_FALSE(LockerNumberTaken(cfg, 11, 1));
    EXPECT_FALSE(LockerNumberTaken(cfg, None, 1));
}

class LockersSheet : public ::testing::Test {
protected:
    LockersSheetView View()
    {
        auto view = ViewLockersSheet(cfg, table);
        EXPECT_TRUE(view.has_value());
        return view.value_or(LockersSheetView{});
    }

    BusDevTable table = test::LockersTable();
    OutSetCfg cfg = OutSetCfg::Lockers();
};

TEST_F(LockersSheet, TypingANumberStoresIt)
{
    StoreLockerNumber(cfg, 3, false, "0");
    StoreLockerNumber(cfg, 3, true, "31");
    EXPECT_EQ(cfg.LockerFirst(3), 0);
    EXPECT_EQ(cfg.LockerLast(3), 31);
    StoreLockerNumber(cfg, 3, false, "");
    EXPECT_EQ(cfg.LockerFirst(3), None);
    StoreLockerNumber(cfg, 3, true, "10000");
    EXPECT_EQ(cfg.LockerLast(3), None);
    StoreLockerNumber(cfg, 16, false, "5");  // no such row
    StoreLockerNumber(cfg, -1, false, "5");
    for (int i = 0; i < LockerModules; ++i) {
        EXPECT_EQ(cfg.LockerFirst(i), None) << i;
    }
}

TEST_F(LockersSheet, ClearingAModuleTurnsItsNumbersYellow)
{
    cfg.AssignOutputSet(5, 0x0200, table);
    StoreLockerNumber(cfg, 5, false, "40");
    StoreLockerNumber(cfg, 5, true, "");
    EXPECT_FALSE(View().Invalid.FirstInvalid[5]);
    EXPECT_TRUE(View().Invalid.LastInvalid[5]);
    cfg.AssignOutputSet(5, NoRef, table);
    EXPECT_TRUE(View().Invalid.FirstInvalid[5]);
    EXPECT_TRUE(View().Invalid.LastInvalid[5]);  // the range is still incomplete
}

TEST_F(LockersSheet, ShowsEveryField)
{
    cfg.AssignOutputSet(0, 0x0101, table);
    cfg.SetLockerFirst(0, 100);
    cfg.SetLockerLast(0, 131);
    cfg.AssignInput(LockersAlarmInput, 0x0081, true, table);
    cfg.AssignReader(1, 0x0000, table);
    SetPulseTime(cfg, "1,5");
    SetTestStartText(cfg, "100");
    SetRoomNameText(cfg, "Szatnia Łódź");

    const LockersSheetView v = View();
    EXPECT_EQ(v.RoomName, "Szatnia Łódź");
    EXPECT_EQ(cfg.RoomName(), "Szatnia \xA3\xF3"
                              "d\x9F");
    ASSERT_EQ(v.Modules[0].Items.size(), 4u);  // own, none, 0x0100, 0x0200
    EXPECT_EQ(v.Modules[0].Items[0], (SelectorItem{"D01_00001", 0x0101}));
    EXPECT_EQ(v.Modules[15].Items.size(), 3u);  // none, 0x0100, 0x0200
    EXPECT_EQ(v.FirstTexts[0], "100");
    EXPECT_EQ(v.LastTexts[0], "131");
    EXPECT_EQ(v.FirstTexts[1], "");
    EXPECT_EQ(v.Invalid, LockerRangeColours{});
    EXPECT_EQ(v.Alarm.Selector.Items[0], (SelectorItem{"K01_12345:In2", 0x0081}));
    EXPECT_EQ(v.Alarm.Check, (CheckState{true, true}));
    EXPECT_EQ(v.Tamper.Check, (CheckState{false, true}));  // none has bit 7 set
    EXPECT_EQ(v.Tamper.Selector.Items.size(), 1u + 7u);    // none and the 7 free inputs
    EXPECT_EQ(v.Readers[1].Items.size(), 2u);              // own reader and none
    EXPECT_EQ(v.Readers[0].Items.size(), 1u);              // none: the only reader is taken
    EXPECT_EQ(v.PulseText, "1,5");
    EXPECT_EQ(v.TestStartText, "100");
}

TEST_F(LockersSheet, NumbersOfTenThousandOrMoreBecomeNoneWhenShown)
{
    cfg.SetLockerFirst(2, 12345);
    cfg.SetLockerLast(2, 9999);
    TakeInShownLockerNumbers(cfg);
    EXPECT_EQ(cfg.LockerFirst(2), None);
    EXPECT_EQ(cfg.LockerLast(2), 9999);
}

TEST_F(LockersSheet, TestStartAndRoomName)
{
    SetTestStartText(cfg, "");
    EXPECT_EQ(cfg.TestStart(), 0);
    SetTestStartText(cfg, "-7");
    EXPECT_EQ(cfg.TestStart(), 0);
    SetRoomNameText(cfg, "Pomieszczenie nr 12");  // 19 characters
    EXPECT_EQ(cfg.RoomName(), "Pomieszczenie n");
    EXPECT_EQ(cfg.Params[ParRoomName + RoomNameMax], 0);
}

TEST_F(LockersSheet, NothingToShowWithoutAController)
{
    table.DoorCount = 0;
    EXPECT_FALSE(ViewLockersSheet(cfg, table).has_value());
}

}  // namespace
}  // namespace quor
