// Loading scenario files: the shipped site, and files with faults in them.

#include "sim/Scenario.h"

#include <gtest/gtest.h>

#include "tests/sim/Driver.h"

namespace quor::sim {
namespace {

using test::Bytes;
using test::HexBytes;
using test::HexText;

const std::string SiteFile = std::string(QUOR_SCENARIO_DIR) + "/site.json";

EmuController& ControllerAt(Scenario& scenario, size_t i)
{
    auto* controller = dynamic_cast<EmuController*>(scenario.Devices.at(i).get());
    if (!controller)
        throw std::runtime_error("not a controller");
    return *controller;
}

Bytes Slice(const Bytes& bytes, size_t from, size_t count)
{
    return Bytes(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + count));
}

TEST(ScenarioSite, HoldsTheDevicesItDescribes)
{
    Scenario site = LoadScenario(SiteFile);
    ASSERT_EQ(site.Devices.size(), 5u);
    EXPECT_EQ(site.Ips, (std::vector<std::string>{"10.45.1.11", "10.45.1.12", "10.45.1.13", "10.45.1.14",
                                                  "10.45.1.21"}));
    EXPECT_EQ(site.Devices[4]->Id, 0x20651389u);  // T01_05001
    EXPECT_EQ(dynamic_cast<EmuController*>(site.Devices[4].get()), nullptr);
    const uint8_t kinds[] = {1, 1, 2, 3};
    const uint8_t doors[] = {3, 8, 1, 1};
    const size_t entries[] = {8, 11, 4, 19};
    for (size_t i = 0; i < 4; ++i) {
        const auto& bus = ControllerAt(site, i).Bus;
        ASSERT_TRUE(bus.has_value()) << i;
        EXPECT_EQ(bus->Kind, kinds[i]) << i;
        EXPECT_EQ(bus->DoorCount, doors[i]) << i;
        EXPECT_EQ(bus->Entries.size(), entries[i]) << i;
        EXPECT_EQ(bus->Entries[0].Id, site.Devices[i]->Id) << i;  // the controller itself comes first
    }
}

TEST(ScenarioSite, DoorBlocksCarryTheDescribedAssignments)
{
    Scenario site = LoadScenario(SiteFile);
    EmuController& doors = ControllerAt(site, 0);
    EXPECT_EQ(HexText(doors.Blocks.at({16, 0})),
              "10 00 00 00 00 00 00 01 0C 00 FF FF FF FF FF FF");  // train 12
    const Bytes door1 = doors.Blocks.at({1, 0});
    ASSERT_EQ(door1.size(), 108u);
    EXPECT_EQ(HexText(Slice(door1, 0, 44)), "01 04 0A 04 00 00 08 00 "
                                            "00 00 FF FF 84 04 FF FF "  // bolt 0:Out1, alarm 4:Out5 NC
                                            "01 00 80 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                                            "00 01 00 02 FF FF FF FF");  // readers 1:Rd1, 2:Rd1
    // Normalne, airlock 1, bolt pulse 3 s, open time 10 s; reader 2 registers exits.
    EXPECT_EQ(HexText(Slice(door1, 44, 8)), "01 00 04 00 06 00 14 00");
    EXPECT_EQ(HexText(Slice(door1, 76, 8)), "00 00 00 00 01 00 00 00");
    EXPECT_EQ(doors.Blocks.size(), 4u);                  // three doors and the common block
    EXPECT_EQ(ControllerAt(site, 1).Blocks.size(), 8u);  // fresh doors too
}

TEST(ScenarioSite, LiftAndLockersBlocks)
{
    Scenario site = LoadScenario(SiteFile);
    const Bytes lift = ControllerAt(site, 2).Blocks.at({2, 0});
    ASSERT_EQ(lift.size(), 108u);
    EXPECT_EQ(HexText(Slice(lift, 0, 16)), "02 84 0A 04 00 00 08 00 00 01 00 02 FF FF FF FF");
    const Bytes table = ControllerAt(site, 2).Bus->TableBytes();
    EXPECT_EQ(HexText(Slice(table, 6 + 12 + 6, 2)), "81 00");  // the quor-L8 module
    EXPECT_EQ(HexText(Slice(table, 6 + 24 + 6, 2)), "00 84");  // its one set told in D3

    const Bytes lockers = ControllerAt(site, 3).Blocks.at({3, 0});
    ASSERT_EQ(lockers.size(), 184u);
    EXPECT_EQ(HexText(Slice(lockers, 0, 12)), "03 90 04 04 00 00 08 08 00 01 00 02");
    // The room name in Windows-1250 ("ę" is EA), ended by zero bytes.
    EXPECT_EQ(HexText(Slice(lockers, 56 + 48, 16)), "53 7A 61 74 6E 69 61 20 6D EA 73 6B 61 00 00 00");
    EXPECT_EQ(HexText(Slice(lockers, 120, 4)), "01 00 10 00");  // lockers 1 to 16
    EXPECT_EQ(HexText(Slice(lockers, 180, 4)), "F1 00 00 01");  // lockers 241 to 256
}

TEST(ScenarioSite, EveryDeviceAnswersTheSearchOnTheVirtualLan)
{
    Scenario site = LoadScenario(SiteFile);
    VirtualLan lan;
    AttachAll(site, lan);
    LanEndpoint& pc = lan.AddPc();
    pc.Broadcast(45389, HexBytes("4D 4D 44 4F FF FF FF FF F8 F3 14 64"));
    std::vector<std::string> senders;
    std::array<uint8_t, 64> buf{};
    std::string from;
    while (pc.Receive(buf, 200, &from) == 28)
        senders.push_back(from);
    std::sort(senders.begin(), senders.end());
    EXPECT_EQ(senders, site.Ips);
}

struct BadFile {
    const char* Json;
    const char* Message;
};

// A device wrapper: R"(...)" text goes in the one device of the file.
#define DEVICE(keys)                                                                                         \
    R"({"devices": [{"ip": "10.45.1.10", "model": 301, "serial": 1, "mode": "Serwis", )" keys "}]}"
#define BUS                                                                                                  \
    R"("kind": "doors", "bus": [{"self": true, "conn": "A0", "relay": 2, "inputs": 2, "readers": 1}], )"

const BadFile BadFiles[] = {
    {"{", "bad.json: not valid JSON"},
    {R"({"device": []})", "bad.json: unknown key \"device\""},
    {DEVICE(R"("colour": 1)"), "bad.json: devices[0]: unknown key \"colour\""},
    {R"({"devices": [{"ip": "10.45.1", "model": 301, "serial": 1, "mode": 2}]})",
     "devices[0].ip: expected an IPv4"},
    {R"({"devices": [{"ip": "10.45.1.1", "model": 301, "serial": 1, "mode": 2},
                     {"ip": "10.45.1.1", "model": 301, "serial": 2, "mode": 2}]})",
     "devices[1].ip: 10.45.1.1 is taken"},
    {R"({"devices": [{"ip": "10.45.1.1", "model": 301, "serial": 70000, "mode": 2}]})",
     "devices[0].serial: expected a whole number from 0 to 65535"},
    {DEVICE(R"("mode2": 1)"), "unknown key \"mode2\""},
    {R"({"devices": [{"ip": "10.45.1.1", "model": 301, "serial": 1, "mode": "Service"}]})",
     "devices[0].mode: expected Blokada"},
    {DEVICE(R"("faults": [{"kind": "Drop"}])"), "devices[0].faults[0].kind: unknown fault \"Drop\""},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "readers": ["5:Rd1"]}])"),
     "door_blocks[0].readers[0]: there is no bus device 5"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "bolt": "0:Out1 NC"}])"),
     "only inputs and OC outputs take NC"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "bolt": "0:In1"}])"),
     "expected a reference such as \"2:Out1\""},
    {DEVICE(BUS R"("door_blocks": [{"door": 2}])"),
     "door_blocks[0].door: expected a whole number from 1 to 1"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "bolt_pulse": 2.25}])"), "bolt_pulse: expected seconds"},
    {DEVICE(R"("kind": "doors", "train_number": 5)"), "train_number: only a controller with \"train\": 1"},
    {DEVICE(R"("kind": "lockers", "lockers": {"room": "Szatnia numer 123"})"),
     "lockers.room: expected at most 15"},
    {DEVICE(R"("kind": "lockers", "lockers": {"room": "Szatnia \u0007"})"),
     "lockers.room: expected at most 15"},
    {DEVICE(R"("kind": "lockers", "lockers": {"room": "Szatnia ☃"})"), "lockers.room: expected at most 15"},
    {DEVICE(R"("kind": "lift", "door_blocks": [])"), "door_blocks: does not fit a controller of this kind"},
    {DEVICE(R"("bus": [])"), "\"bus\" needs \"kind\""},
    {R"({"devices": [{"ip": "10.45.1.1", "model": 101, "serial": 1, "mode": 2, "kind": "doors"}]})",
     "\"kind\" is for controllers (device type 3) only"},
    {DEVICE(R"("kind": "doors", "bus": [{"model": 5, "serial": 1, "conn": "J1"}])"),
     "bus[0].conn: expected a connection letter A to H"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "param_bytes": {"64": 1}}])"),
     "param_bytes.64: expected a parameter offset"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "slots": {"out4": "0:Out1"}}])"),
     "slots.out4: this block has no such slot"},
    // Found while fuzzing: numbers out of range were once wrapped into it (2^64 - 1 read as -1).
    {DEVICE(R"("faults": [{"kind": "DropReply", "count": 18446744073709551615}])"),
     "faults[0].count: expected a whole number from -1 to 1000000"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "exit_readers": [4294967297]}])"),
     "exit_readers: expected a list of reader numbers 1 to 4"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "param_bytes": {"5": 4294967296}}])"),
     "param_bytes.5: expected a byte value from 0 to 255"},
    {DEVICE(R"("mode": 9223372036854775808)"), "devices[0].mode: expected a whole number from 0 to 127"},
    {DEVICE(BUS R"("door_blocks": [{"door": 1, "bolt": [[1]]}])"), "or null, not [...]"},
};

#undef DEVICE
#undef BUS

TEST(ScenarioLoading, BadFilesAreRefusedWithTheirPlace)
{
    for (const auto& c : BadFiles) {
        try {
            ParseScenario(c.Json, "bad.json");
            ADD_FAILURE() << "accepted: " << c.Json;
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("bad.json: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.Message), std::string::npos) << message;
        }
    }
    EXPECT_THROW(LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/no-such-file.json"), std::runtime_error);
}

// Found while fuzzing: the error message once wrote the whole value out, and a
// value nested some 100000 levels deep overflowed the stack doing so.
TEST(ScenarioLoading, DeeplyNestedValuesAreRefusedWithoutWritingThemOut)
{
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const std::string places[] = {
        R"("kind": "doors", "bus": [{"self": true, "conn": "A0", "flags": [)" + deep + "]}]",
        R"("kind": "doors", "bus": [{"self": true, "conn": "A0", "relay": 1}], "door_blocks": [{"door": 1, "bolt": )" +
            deep + "}]",
    };
    for (const auto& place : places) {
        const std::string json =
            R"({"devices": [{"ip": "10.45.1.10", "model": 301, "serial": 1, "mode": "Serwis", )" + place +
            "}]}";
        try {
            ParseScenario(json, "deep.json");
            ADD_FAILURE() << "accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("[...]"), std::string::npos) << e.what();
        }
    }
}

TEST(ScenarioLoading, FaultsAndSessionsComeFromTheFile)
{
    Scenario scenario = ParseScenario(
        R"({"devices": [{"ip": "10.45.1.10", "model": 301, "serial": 1, "mode": "Serwis",
            "foreign_session": "10.45.9.1", "faults": [{"kind": "DropReply", "cmd": "O", "count": 1},
                                                       {"kind": "LateReply", "cmd": "O"}]}]})",
        "inline");
    EmuController& device = ControllerAt(scenario, 0);
    EXPECT_EQ(device.SessionPeer, "10.45.9.1");
    const Bytes poll = test::OraclePlainFrame('O', device.Id);
    EXPECT_TRUE(device.Handle(poll, "10.45.0.1", 0).empty());
    const auto replies = device.Handle(poll, "10.45.0.1", 1);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][10], 0x82);
    EXPECT_EQ(device.ReplyDelayMs(), 350);
    EXPECT_EQ(device.Handle(poll, "10.45.0.1", 2).size(), 1u);
    EXPECT_EQ(device.ReplyDelayMs(), 0);
}

// Blocks a configurator never writes, for its read path: inputs 8 and 9 assigned,
// a parameter beyond 127, a block cut short.
TEST(ScenarioLoading, SlotsParameterBytesAndRawBlocks)
{
    Scenario scenario = ParseScenario(R"({"devices": [{"ip": "10.45.1.10", "model": 301, "serial": 1,
        "mode": "Serwis", "kind": "doors", "doors": 2,
        "bus": [{"self": true, "conn": "A0", "relay": 2, "inputs": 4, "readers": 2}],
        "door_blocks": [{"door": 1, "slots": {"in8": "0:In1", "in9": "0:In4 NC"}, "param_bytes": {"4": 200}}],
        "raw_blocks": [{"type": 1, "index": 1, "hex": "01 04 0A 04 00 00 08"}]}]})",
                                      "inline");
    const EmuController& device = ControllerAt(scenario, 0);
    const Bytes door1 = device.Blocks.at({1, 0});
    EXPECT_EQ(HexText(Slice(door1, 32, 4)), "00 00 83 00");
    EXPECT_EQ(door1.at(44 + 4), 200);
    EXPECT_EQ(HexText(device.Blocks.at({1, 1})), "01 04 0A 04 00 00 08");
}

}  // namespace
}  // namespace quor::sim
