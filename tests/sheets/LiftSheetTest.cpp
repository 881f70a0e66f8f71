// The lift sheet: the module, the floor-selection input on the module's
// device, and the inputs and output sets that have no selector.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sheets/LiftSheet.h"
#include "sheets/SheetEdits.h"
#include "tests/sheets/BusTables.h"
#include "tests/sheets/SelectorValues.h"

namespace quor {
namespace {

using test::Values;

// LiftTable: e0 K01_12345 inputs 0-3, reader 0; e1 D01_00001 output sets
// 0-1, inputs 0-1; e2 D01_00002 output set 0, inputs 0-1.
constexpr ResRef ModA0 = 0x0100;
constexpr ResRef ModA1 = 0x0101;
constexpr ResRef ModB0 = 0x0200;
constexpr ResRef InA1 = 0x0100;
constexpr ResRef InA2 = 0x0101;
constexpr ResRef InB1 = 0x0200;

class LiftSheet : public ::testing::Test {
protected:
    LiftSheetView View()
    {
        auto view = ViewLiftSheet(cfg, table);
        EXPECT_TRUE(view.has_value());
        return view.value_or(LiftSheetView{});
    }

    BusDevTable table = test::LiftTable();
    OutSetCfg cfg = OutSetCfg::Lift();
};

TEST_F(LiftSheet, WithoutAModuleTheFloorInputOffersOnlyNone)
{
    const LiftSheetView v = View();
    EXPECT_EQ(Values(v.Module), (std::vector<uint16_t>{NoRef, ModA0, ModA1, ModB0}));
    EXPECT_EQ(v.Module.Items[3].Text, "D01_00002");
    EXPECT_EQ(Values(v.Floor.Selector), std::vector<uint16_t>{NoRef});
    EXPECT_EQ(Values(v.Tamper.Selector),
              (std::vector<uint16_t>{NoRef, 0x0000, 0x0001, 0x0002, 0x0003, InA1, InA2, InB1, 0x0201}));
    EXPECT_EQ(Values(v.Readers[3]), (std::vector<uint16_t>{NoRef, 0x0000}));
}

TEST_F(LiftSheet, FloorInputOnlyOnTheModulesDevice)
{
    AssignLiftModule(cfg, table, ModA1);
    const LiftSheetView v = View();
    EXPECT_EQ(Values(v.Module), (std::vector<uint16_t>{ModA1, NoRef, ModA0, ModB0}));
    EXPECT_EQ(Values(v.Floor.Selector), (std::vector<uint16_t>{NoRef, InA1, InA2}));
}

TEST_F(LiftSheet, MovingTheModuleToAnotherDeviceReleasesTheFloorInput)
{
    struct Move {
        const char* name;
        ResRef newModule;
        bool kept;
    };
    const std::vector<Move> moves = {
        {"same device", ModA1, true},
        {"another device", ModB0, false},
        {"none", NoRef, false},
    };
    for (const auto& m : moves) {
        BusDevTable t = test::LiftTable();
        OutSetCfg c = OutSetCfg::Lift();
        AssignLiftModule(c, t, ModA0);
        c.AssignInput(LiftFloorInput, InA2, true, t);
        AssignLiftModule(c, t, m.newModule);
        EXPECT_EQ(c.Inputs[LiftFloorInput], m.kept ? (InA2 | RefNc) : NoRef) << m.name;
        EXPECT_EQ((t.Dev[1].Taken[ResInput] >> 1) & 1, m.kept ? 1u : 0u) << m.name;
    }
}

TEST_F(LiftSheet, ResourcesWithoutASelectorAreNeverOffered)
{
    // As read from the controller: input 0 and output set 1 hold resources.
    cfg.AssignInput(0, 0x0002, false, table);
    cfg.AssignOutputSet(1, ModB0, table);
    AssignLiftModule(cfg, table, ModA0);
    const LiftSheetView v = View();
    EXPECT_EQ(Values(v.Module), (std::vector<uint16_t>{ModA0, NoRef, ModA1}));
    for (const SelectorRowView* row : {&v.Floor, &v.Tamper}) {
        const auto values = Values(row->Selector);
        EXPECT_EQ(std::count(values.begin(), values.end(), 0x0002), 0);
    }
}

TEST_F(LiftSheet, InputNcBoxes)
{
    AssignLiftModule(cfg, table, ModA0);
    cfg.AssignInput(LiftFloorInput, InA1, true, table);
    cfg.AssignInput(LiftTamperInput, 0x0003, false, table);
    LiftSheetView v = View();
    EXPECT_EQ(v.Floor.Check, (CheckState{true, true}));
    EXPECT_EQ(v.Tamper.Check, (CheckState{true, false}));
    SetInputNc(cfg, LiftTamperInput, true);
    SetInputNc(cfg, LiftFloorInput, false);
    EXPECT_EQ(cfg.Inputs[LiftTamperInput], 0x0083);
    EXPECT_EQ(cfg.Inputs[LiftFloorInput], InA1);
    SetInputNc(cfg, 2, true);  // empty: stays empty
    EXPECT_EQ(cfg.Inputs[2], NoRef);
}

TEST_F(LiftSheet, ButtonReleaseTime)
{
    SetPulseTime(cfg, "12,5");
    EXPECT_EQ(cfg.Params[ParPulseTime], 25);
    EXPECT_EQ(View().PulseText, "12,5");
}

TEST_F(LiftSheet, NothingToShowWithoutAController)
{
    table.DoorCount = 0;
    EXPECT_FALSE(ViewLiftSheet(cfg, table).has_value());
}

}  // namespace
}  // namespace quor
