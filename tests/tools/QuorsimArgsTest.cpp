// quorsim's command line: fault switches, options, and how faults reach the
// devices of a scenario.

#include <gtest/gtest.h>

#include "tests/support/HexBytes.h"
#include "tools/quorsim/Options.h"
#include "tools/quorsim/Roster.h"

namespace quor::tools {
namespace {

using sim::Fault;
using test::HexBytes;

struct OrderCase {
    const char* Text;
    std::optional<Fault> Kind;
    uint8_t Cmd;
    int Count;
    int FloodMs;
    const char* Device;
};

const OrderCase OrderCases[] = {
    {"drop", Fault::DropReply, 0, 1, 0, ""},
    {"drop:D:2", Fault::DropReply, 'D', 2, 0, ""},
    {"crc:O", Fault::BadCrc, 'O', 1, 0, ""},
    {"sig:*:*", Fault::BadSignature, 0, -1, 0, ""},
    {"echo:C:3@K01_12345", Fault::BadEcho, 'C', 3, 0, "K01_12345"},
    {"ack:c@10.45.0.10", Fault::BadAck, 'c', 1, 0, "10.45.0.10"},
    {"long:D:*", Fault::LongReply, 'D', -1, 0, ""},
    {"late:K", Fault::LateReply, 'K', 1, 0, ""},
    {"flood:50", std::nullopt, 0, 1, 50, ""},
    {"flood:5@T01_00001", std::nullopt, 0, 1, 5, "T01_00001"},
};

TEST(FaultOrders, ReadEveryForm)
{
    for (const OrderCase& c : OrderCases) {
        const FaultOrder order = ParseFaultOrder(c.Text);
        EXPECT_EQ(order.Kind, c.Kind) << c.Text;
        EXPECT_EQ(order.Cmd, c.Cmd) << c.Text;
        EXPECT_EQ(order.Count, c.Count) << c.Text;
        EXPECT_EQ(order.FloodMs, c.FloodMs) << c.Text;
        EXPECT_EQ(order.Device, c.Device) << c.Text;
    }
}

TEST(FaultOrders, RefuseMalformedOnes)
{
    const char* const bad[] = {"",           "lose",  "drop:DD", "drop:D:0", "drop:D:-1", "drop:D:2x",
                               "drop:D:2:1", "drop@", "flood",   "flood:0",  "flood:5:1", "drop: "};
    for (const char* text : bad)
        EXPECT_THROW(ParseFaultOrder(text), std::invalid_argument) << text;
}

TEST(QuorsimOptions, ReadTheCommandLine)
{
    const auto o = ParseOptions({"site.json", "--device", "K01_12345", "--bind", "127.0.0.1", "--port",
                                 "45390", "--log", "k.log", "--fault", "drop:D", "--fault", "flood:20"});
    EXPECT_EQ(o.ScenarioPath, "site.json");
    EXPECT_EQ(o.Device, "K01_12345");
    EXPECT_EQ(o.BindIp, "127.0.0.1");
    EXPECT_EQ(o.Port, 45390);
    EXPECT_EQ(o.LogPath, "k.log");
    ASSERT_EQ(o.Faults.size(), 2u);
    EXPECT_EQ(o.Faults[1].FloodMs, 20);
    EXPECT_EQ(ParseOptions({"site.json"}).Port, 45389);
    EXPECT_TRUE(ParseOptions({"site.json", "--list"}).List);
    EXPECT_TRUE(ParseOptions({"--help"}).Help);
}

TEST(QuorsimOptions, RefuseWrongCommandLines)
{
    const std::vector<std::vector<std::string>> bad = {
        {},                                 // no scenario
        {"a.json", "b.json"},               // two scenarios
        {"a.json", "--bind", "127.0.0.1"},  // a bind address without a device
        {"a.json", "--port", "0"},
        {"a.json", "--port", "65536"},
        {"a.json", "--log"},  // no value
        {"a.json", "--fault", "lose:D"},
        {"a.json", "--verbose"},
    };
    for (const auto& args : bad)
        EXPECT_THROW(ParseOptions(args), std::invalid_argument) << (args.empty() ? "" : args.back());
}

// A poll of each device is answered, or not when its reply is dropped.
class FaultRouting : public ::testing::Test {
protected:
    FaultRouting() : Controller(0x212D3039, 2), Recorder(0x20650001, 2)
    {
        Scenario = {MakeEntry(Controller, "10.45.0.10"), MakeEntry(Recorder, "10.45.0.20")};
    }

    bool Answers(sim::EmuDevice& device, const char* poll)
    {
        return !device.Handle(HexBytes(poll), Pc, 0).empty();
    }
    bool ControllerAnswers() { return Answers(Controller, "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1C"); }
    bool RecorderAnswers() { return Answers(Recorder, "4D 4D 44 4F 01 00 65 20 CB B8 86 11"); }

    static constexpr const char* Pc = "10.45.0.1";
    sim::EmuController Controller;
    sim::EmuDevice Recorder;
    Roster Scenario;
};

TEST_F(FaultRouting, OrderWithoutDeviceReachesEveryRunningDevice)
{
    ApplyFaults({ParseFaultOrder("drop:O")}, Scenario, Scenario);
    EXPECT_FALSE(ControllerAnswers());
    EXPECT_FALSE(RecorderAnswers());
    EXPECT_TRUE(ControllerAnswers());  // one reply only
}

TEST_F(FaultRouting, OrderForOneDeviceByNameOrAddress)
{
    for (const char* order : {"drop:O@T01_00001", "drop:O@10.45.0.20"}) {
        ApplyFaults({ParseFaultOrder(order)}, Scenario, Scenario);
        EXPECT_TRUE(ControllerAnswers()) << order;
        EXPECT_FALSE(RecorderAnswers()) << order;
    }
}

TEST_F(FaultRouting, OrderForADeviceThisProcessDoesNotRun)
{
    const Roster running = {Scenario[0]};
    ApplyFaults({ParseFaultOrder("drop:O:*@T01_00001"), ParseFaultOrder("flood:30@T01_00001")}, Scenario,
                running);
    EXPECT_TRUE(ControllerAnswers());
    EXPECT_TRUE(RecorderAnswers());
    EXPECT_EQ(Recorder.FloodPeriodMs(), 0);
    EXPECT_THROW(ApplyFaults({ParseFaultOrder("drop@K01_99999")}, Scenario, running), std::invalid_argument);
    EXPECT_EQ(FindDevice(Scenario, "10.45.0.10").Name, "K01_12345");
}

}  // namespace
}  // namespace quor::tools
