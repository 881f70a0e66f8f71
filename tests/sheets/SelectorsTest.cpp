// What a selector offers and how the check boxes beside it stand.
#include <gtest/gtest.h>

#include <vector>

#include "sheets/Selectors.h"
#include "tests/sheets/BusTables.h"
#include "tests/sheets/SelectorValues.h"

namespace quor {
namespace {

using test::Values;

using test::DoorTable;

// Outputs of DoorTable: e0 1-2 relays, 3-4 OC; e1 one OC output.
constexpr ResRef Out3 = 0x0002;
constexpr ResRef Out4 = 0x0003;
constexpr ResRef ReaderOut1 = 0x0100;

TEST(ResourceSelector, NothingAssignedOffersNoneThenTheFreeList)
{
    const BusDevTable t = DoorTable();
    const std::vector<ResRef> free = {Out3, ReaderOut1};
    const SelectorView view = FillResourceSelector(t, PrefixOutput, NoRef, free);
    const std::vector<SelectorItem> expected = {
        {"  -----", NoRef}, {"K01_12345:Out3", Out3}, {"R05_00007:Out1", ReaderOut1}};
    EXPECT_EQ(view.Items, expected);
    EXPECT_EQ(view.Current, 0);
}

TEST(ResourceSelector, CurrentValueComesFirstWithItsFlag)
{
    const BusDevTable t = DoorTable();
    const std::vector<ResRef> free = {ReaderOut1};
    const SelectorView view = FillResourceSelector(t, PrefixInput, 0x0081, free);
    const std::vector<SelectorItem> expected = {
        {"K01_12345:In2", 0x0081}, {"  -----", NoRef}, {"R05_00007:In1", ReaderOut1}};
    EXPECT_EQ(view.Items, expected);
    EXPECT_EQ(view.Current, 0);
}

TEST(ResourceSelector, AStoredBitFifteenStillShowsItsResource)
{
    // 0x8102: entry 1 (bits 8-14), number 2; bit 15 is no part of the index.
    const BusDevTable t = DoorTable();
    const SelectorView view = FillResourceSelector(t, PrefixInput, 0x8101, {});
    const std::vector<SelectorItem> expected = {{"R05_00007:In2", 0x8101}, {"  -----", NoRef}};
    EXPECT_EQ(view.Items, expected);
    const SelectorView module = FillModuleSelector(test::LiftTable(), 0x8201, {});
    const std::vector<SelectorItem> moduleItems = {{"D01_00002", 0x8201}, {"  -----", NoRef}};
    EXPECT_EQ(module.Items, moduleItems);
}

TEST(ModuleSelector, ItemsNameTheDeviceAlone)
{
    const BusDevTable t = test::LiftTable();
    const std::vector<ResRef> free = {0x0101, 0x0200};
    const SelectorView view = FillModuleSelector(t, 0x0100, free);
    const std::vector<SelectorItem> expected = {
        {"D01_00001", 0x0100}, {"  -----", NoRef}, {"D01_00001", 0x0101}, {"D01_00002", 0x0200}};
    EXPECT_EQ(view.Items, expected);
}

struct SharedCase {
    const char* name;
    ResRef current;
    std::vector<ResRef> shared;
    std::vector<ResRef> free;
    std::vector<uint16_t> expected;
};

TEST(SharedOutputSelector, OrderOfItems)
{
    constexpr ResRef X = Out3;
    constexpr ResRef Y = Out4;
    const std::vector<SharedCase> cases = {
        // The second none item parts outputs other doors use from the free ones.
        {"none, shared and free", NoRef, {X}, {ReaderOut1}, {NoRef, X, NoRef, ReaderOut1}},
        {"none, nothing shared", NoRef, {}, {ReaderOut1}, {NoRef, ReaderOut1}},
        {"none, nothing free", NoRef, {X}, {}, {NoRef, X}},
        {"none, nothing at all", NoRef, {}, {}, {NoRef}},
        {"own value listed once", X, {X, Y}, {ReaderOut1}, {X, Y, NoRef, ReaderOut1}},
        {"own value alone", X, {X}, {}, {X, NoRef}},
        {"own value, shared in order", Y, {X, Y}, {}, {Y, X, NoRef}},
    };
    const BusDevTable t = DoorTable();
    for (const auto& c : cases) {
        const SelectorView view = FillSharedOutputSelector(t, c.current, c.shared, c.free);
        EXPECT_EQ(Values(view), c.expected) << c.name;
        EXPECT_EQ(view.Current, 0) << c.name;
    }
}

TEST(SharedOutputSelector, ItemsCarryOutputTexts)
{
    const BusDevTable t = DoorTable();
    const std::vector<ResRef> shared = {Out3};
    const SelectorView view = FillSharedOutputSelector(t, NoRef, shared, {});
    ASSERT_EQ(view.Items.size(), 2u);
    EXPECT_EQ(view.Items[0].Text, "  -----");
    EXPECT_EQ(view.Items[1].Text, "K01_12345:Out3");
}

struct CheckCase {
    const char* name;
    ResRef value;
    CheckState expected;
};

TEST(CheckBoxes, OutputNcOnlyForOcOutputs)
{
    const std::vector<CheckCase> cases = {
        {"none", NoRef, {false, false}},
        {"relay", 0x0001, {false, false}},
        {"relay with a stray flag", 0x0081, {false, true}},
        {"OC", Out3, {true, false}},
        {"OC with NC", 0x0082, {true, true}},
        {"OC of a device without relays", ReaderOut1, {true, false}},
    };
    const BusDevTable t = DoorTable();
    for (const auto& c : cases) {
        EXPECT_EQ(ShowOutputNc(t, c.value), c.expected) << c.name;
    }
}

TEST(CheckBoxes, InputNc)
{
    // None has bit 7 set: an empty slot shows a ticked box that cannot be used.
    const std::vector<CheckCase> cases = {
        {"none", NoRef, {false, true}},
        {"NO input", 0x0101, {true, false}},
        {"NC input", 0x0181, {true, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShowInputNc(c.value), c.expected) << c.name;
    }
}

TEST(CheckBoxes, ReaderExit)
{
    EXPECT_EQ(ShowReaderExit(NoRef, true), (CheckState{false, false}));
    EXPECT_EQ(ShowReaderExit(0x0100, true), (CheckState{true, true}));
    EXPECT_EQ(ShowReaderExit(0x0100, false), (CheckState{true, false}));
}

TEST(CheckBoxes, WithNcLeavesNoneAlone)
{
    EXPECT_EQ(WithNc(0x0101, true), 0x0181);
    EXPECT_EQ(WithNc(0x0181, false), 0x0101);
    EXPECT_EQ(WithNc(NoRef, false), NoRef);
}

}  // namespace
}  // namespace quor
