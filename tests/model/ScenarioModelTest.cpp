// Every controller of the shipped scenarios loads into the model and takes back what it stored.
#include <gtest/gtest.h>

#include <filesystem>

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"
#include "sim/Scenario.h"

namespace quor {
namespace {

class ShippedScenario : public ::testing::TestWithParam<std::string> {};

// Loads the controller's configuration of its kind into fresh model objects,
// stores it back and reads it again; the second read must equal the first.
void LoadStoreReload(UdpDev& dev, const std::string& where)
{
    BusDevTable table;
    ASSERT_TRUE(table.Fetch(dev)) << where;
    ASSERT_GT(table.PresentCount, 0) << where;
    if (table.Kind == KindDoors) {
        DoorCfgSet cfg;
        ASSERT_TRUE(cfg.Load(dev, table)) << where;
        // An edit on every door (and the train number) must come back.
        cfg.TrainNumber = table.TrainFlag == 1 ? cfg.TrainNumber ^ 0x5A5A : cfg.TrainNumber;
        for (int d = 0; d < DoorsInUse(table); ++d) {
            uint8_t& pulse = cfg.Doors[d].Params[ParBoltPulse];
            pulse = static_cast<uint8_t>((pulse + 1) % 128);
        }
        cfg.Store(dev, table);
        ASSERT_TRUE(table.Fetch(dev)) << where;
        DoorCfgSet again;
        ASSERT_TRUE(again.Load(dev, table)) << where;
        EXPECT_EQ(again.TrainNumber, cfg.TrainNumber) << where;
        for (int d = 0; d < DoorsInUse(table); ++d) {
            EXPECT_TRUE(again.Doors[d] == cfg.Doors[d]) << where << " door " << d + 1;
        }
        return;
    }
    OutSetCfg cfg = table.Kind == KindLift ? OutSetCfg::Lift() : OutSetCfg::Lockers();
    ASSERT_TRUE(cfg.Read(dev, table)) << where;
    cfg.Params[4] = static_cast<uint8_t>((cfg.Params[4] + 1) % 128);
    cfg.Write(dev);
    OutSetCfg again = table.Kind == KindLift ? OutSetCfg::Lift() : OutSetCfg::Lockers();
    ASSERT_TRUE(again.Read(dev, table)) << where;
    EXPECT_TRUE(static_cast<const CfgBlock&>(again) == static_cast<const CfgBlock&>(cfg)) << where;
}

TEST_P(ShippedScenario, EveryControllerLoadsAndStores)
{
    sim::VirtualLan lan;
    sim::Scenario scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/" + GetParam());
    sim::AttachAll(scenario, lan);
    UdpDevSet set(lan.AddPc());
    set.Search();
    ASSERT_EQ(set.Count, static_cast<int>(scenario.Devices.size()));

    int loaded = 0;
    for (int i = 0; i < set.Count; ++i) {
        UdpDev& dev = set.Dev[i];
        const std::string where = GetParam() + " " + DevName(dev.Id);
        if (DevType(dev.Id) != 3) {
            continue;  // only controllers have a configuration
        }
        if (!ConfigOpen(dev.Mode)) {
            BusDevTable table;
            EXPECT_FALSE(table.Fetch(dev)) << where;  // its mode forbids the read
            continue;
        }
        try {
            LoadStoreReload(dev, where);
        } catch (const UErr& e) {
            ADD_FAILURE() << where << ": " << e.Text();
        }
        ++loaded;
    }
    EXPECT_GT(loaded, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedScenario, ::testing::Values("site.json", "small.json", "demo.json"),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

TEST(ShippedScenarios, AllAreCovered)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUOR_SCENARIO_DIR)) {
        files += entry.path().extension() == ".json";
    }
    EXPECT_EQ(files, 3) << "a new scenario file belongs in the list above";
}

}  // namespace
}  // namespace quor
