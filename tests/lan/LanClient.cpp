// lanclient: the configurator's link and model against the emulated devices
// of a scenario over real UDP, inside the LAN of network namespaces that
// tools/lan builds (tools/lan run -- lanclient SCENARIO [gtest options]).
// The scenario file tells what the devices hold; every exchange goes over
// the wire.

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <string>

#include "link/UdpEndpoint.h"
#include "link/Udpdev.h"
#include "model/KindConfig.h"
#include "sim/Scenario.h"
#include "site/ControllerRead.h"
#include "site/DeviceSearch.h"
#include "tools/common/NetGuard.h"

namespace quor {
namespace {

using site::LoadConfiguration;

std::string ScenarioPath;

// A UErr as a failure that names its cause (GoogleTest shows only std::exception texts).
template <typename Action> void Checked(Action action)
{
    try {
        action();
    } catch (const UErr& e) {
        throw std::runtime_error(e.Text());
    }
}

// One endpoint for the whole run, like the configurator's; a fresh device table per test.
UdpEndpoint& Udp()
{
    static UdpEndpoint udp;
    return udp;
}

class OnLan : public testing::Test {
protected:
    void SetUp() override
    {
        Scenario = sim::LoadScenario(ScenarioPath);
        Devices.Search();
    }

    UdpDev& Found(const std::string& name)
    {
        UdpDev* dev = site::FindFound(Devices, name);
        if (!dev)
            throw std::runtime_error(name + " did not answer the search");
        return *dev;
    }

    sim::Scenario Scenario;
    UdpDevSet Devices{Udp()};
};

// The body a block would be written with, from the bytes the emulator holds (head and all).
std::vector<uint8_t> StoredBody(const sim::EmuController& emu, uint8_t type, uint8_t index)
{
    const auto& block = emu.Blocks.at({type, index});
    return {block.begin() + BlockHeadLen, block.end()};
}

std::vector<uint8_t> BodyOf(const CfgBlock& block)
{
    BlockBody body{};
    return {body.begin(), body.begin() + block.Encode(body)};
}

// The configuration read must be the one the controller holds.
void ExpectStoredConfiguration(const sim::EmuController& emu, const Controller& c)
{
    if (c.Table.Kind == KindDoors) {
        if (c.Table.TrainFlag == 1) {
            EXPECT_EQ(BodyOf(c.Doors.Common), StoredBody(emu, BlockCommon, 0));
        }
        for (int d = 0; d < DoorsInUse(c.Table); ++d)
            EXPECT_EQ(BodyOf(c.Doors.Doors[d]), StoredBody(emu, BlockDoor, d)) << "door " << d + 1;
        return;
    }
    const OutSetCfg& cfg = c.Table.Kind == KindLift ? c.Lift : c.Lockers;
    EXPECT_EQ(BodyOf(cfg), StoredBody(emu, static_cast<uint8_t>(cfg.BlockType), 0));
}

// An edit of every record the controller keeps, written to it.
void EditAndWrite(UdpDev& dev, Controller& c)
{
    if (c.Table.Kind == KindDoors) {
        c.Doors.TrainNumber ^= 0x5A5A;
        for (int d = 0; d < DoorsInUse(c.Table); ++d) {
            uint8_t& pulse = c.Doors.Doors[d].Params[ParBoltPulse];
            pulse = static_cast<uint8_t>((pulse + 1) % 128);
            c.Doors.Doors[d].Params[ParReaderFlags] ^= 1;
        }
    } else {
        OutSetCfg& cfg = c.Table.Kind == KindLift ? c.Lift : c.Lockers;
        cfg.Params[ParPulseTime] = static_cast<uint8_t>((cfg.Params[ParPulseTime] + 3) % 128);
        if (c.Table.Kind == KindLockers) {
            cfg.SetRoomName("Szatnia 2");
            cfg.SetLockerLast(0, 20);
        }
    }
    ASSERT_TRUE(WriteKindConfig(dev, c));
}

void ExpectSameConfiguration(const Controller& got, const Controller& want)
{
    switch (want.Table.Kind) {
    case KindDoors:
        EXPECT_EQ(got.Doors.TrainNumber, want.Table.TrainFlag == 1 ? want.Doors.TrainNumber : 0);
        for (int d = 0; d < DoorsInUse(want.Table); ++d)
            EXPECT_TRUE(got.Doors.Doors[d] == want.Doors.Doors[d]) << "door " << d + 1;
        break;
    case KindLift:
        EXPECT_TRUE(static_cast<const CfgBlock&>(got.Lift) == want.Lift);
        break;
    default:
        EXPECT_TRUE(static_cast<const CfgBlock&>(got.Lockers) == want.Lockers);
    }
}

TEST_F(OnLan, EveryControllerLoadsAndReadsBackAWrite)
{
    int loaded = 0;
    for (size_t i = 0; i < Scenario.Devices.size(); ++i) {
        const auto* emu = dynamic_cast<const sim::EmuController*>(Scenario.Devices[i].get());
        if (!emu || !emu->Bus || !ConfigOpen(emu->Mode))
            continue;
        const std::string name = DevName(emu->Id);
        SCOPED_TRACE(name);
        UdpDev& dev = Found(name);
        Checked([&] {
            Controller c;
            LoadConfiguration(dev, c);
            EXPECT_TRUE(dev.SessionOpen);
            EXPECT_EQ(c.Table.Kind, emu->Bus->Kind);
            EXPECT_EQ(c.Table.DoorCount, emu->Bus->DoorCount);
            EXPECT_EQ(c.Table.PresentCount,
                      std::count_if(emu->Bus->Entries.begin(), emu->Bus->Entries.end(),
                                    [](const sim::BusEntry& e) { return e.Present(); }));
            ExpectStoredConfiguration(*emu, c);

            EditAndWrite(dev, c);
            Controller again;
            LoadConfiguration(dev, again);
            ExpectSameConfiguration(again, c);
            ++loaded;
        });
    }
    EXPECT_GT(loaded, 0) << "no controller to load in " << ScenarioPath;
}

// --- Bus maintenance (scenario tests/lan/scenarios/maintenance.json) ---

std::vector<uint32_t> PresentIds(const BusDevTable& table)
{
    std::vector<uint32_t> ids;
    for (int i = 0; i < table.DevCount; ++i)
        ids.push_back(table.Dev[i].Present() ? table.Dev[i].Id : 0);
    return ids;
}

TEST_F(OnLan, DeleteLostEmptiesTheEntriesOfLostDevices)
{
    UdpDev& dev = Found("K01_00011");
    BusDevTable before;
    Checked([&] { ASSERT_TRUE(before.Fetch(dev)); });
    ASSERT_TRUE(before.AnyInactive());
    std::vector<uint32_t> expected = PresentIds(before);
    for (int i = 0; i < before.DevCount; ++i) {
        if (before.Dev[i].Present() && (before.Dev[i].Flags & FlagInactive))
            expected[i] = 0;
    }

    BusDevTable after;
    Checked([&] {
        dev.DeleteLost();
        ASSERT_TRUE(after.Fetch(dev));
    });
    EXPECT_EQ(PresentIds(after), expected);
    EXPECT_FALSE(after.AnyInactive());
    EXPECT_EQ(after.PresentCount, before.PresentCount - 2);
}

TEST_F(OnLan, ReplaceMovesTheNewDeviceIntoTheFailedOnesEntry)
{
    UdpDev& dev = Found("K01_00012");
    Controller before;
    Checked([&] { LoadConfiguration(dev, before); });
    PairList pairs{};
    ASSERT_EQ(before.Table.ReplacementPairs(pairs), 1);
    EXPECT_EQ(before.Table.PairText(pairs[0]), "R05_01201 <-- R05_01202");
    const int oldEntry = pairs[0] & 0xFF;
    const int newEntry = pairs[0] >> 8;

    Controller after;
    Checked([&] {
        dev.ReplaceDevice(pairs[0]);
        LoadConfiguration(dev, after);
    });
    EXPECT_EQ(after.Table.Dev[oldEntry].Id, before.Table.Dev[newEntry].Id);
    EXPECT_FALSE(after.Table.Dev[newEntry].Present());
    EXPECT_EQ(after.Table.PresentCount, before.Table.PresentCount - 1);
    EXPECT_EQ(after.Table.ReplacementPairs(pairs), 0);
    // The door's reader slot names the entry, so it now names the successor.
    EXPECT_EQ(after.Table.ResItemText(after.Doors.Doors[0].Readers[0], "Rd"), "R05_01202:Rd1");
}

}  // namespace
}  // namespace quor

int main(int argc, char** argv)
{
    if (!quor::tools::InSeparateNetNamespace()) {
        std::cerr << "lanclient: will not talk to devices on the machine's own network; "
                     "run it in the virtual LAN: tools/lan run -- lanclient SCENARIO\n";
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: lanclient SCENARIO [gtest options]\n";
        return 2;
    }
    quor::ScenarioPath = argv[1];
    return RUN_ALL_TESTS();
}
