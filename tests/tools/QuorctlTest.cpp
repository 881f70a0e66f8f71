// quorctl's commands on the in-memory LAN: what the sheets cannot show,
// locker ranges, the report's location, failures and the session left behind.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/EmuDevice.h"
#include "sim/Scenario.h"
#include "site/DeviceSearch.h"
#include "tests/support/QuorctlRun.h"
#include "tools/quorctl/Commands.h"

namespace quor::tools {
namespace {

using sim::Bytes;
using testing::HasSubstr;
using testing::Not;

// One door controller K01_00031 (two doors) and one lockers controller K04_00041.
constexpr const char* Odd = R"({"devices": [
  {"ip": "10.45.3.1", "model": 301, "serial": 31, "mode": "Serwis", "kind": "doors", "doors": 2,
   "bus": [{"self": true, "conn": "A0", "relay": 2, "oc": 2, "inputs": 4, "readers": 2}],
   "door_blocks": [
     {"door": 1, "airlock": 3, "param_bytes": {"0": 247}, "bolt": "0:Out1", "alarm": "0:Out3 NC"},
     {"door": 2, "airlock": 1, "door_type": "Zablokowane", "bolt_pulse": 63.5, "open_time": 0}]},
  {"ip": "10.45.3.2", "model": 304, "serial": 41, "mode": "Instalacja", "kind": "lockers",
   "bus": [{"self": true, "conn": "A0", "relay": 2, "inputs": 4, "readers": 2},
           {"model": 702, "serial": 1, "conn": "B1", "sets": 1},
           {"model": 702, "serial": 2, "conn": "B2", "sets": 1}],
   "lockers": {"modules": [{"set": "1:Set1", "from": 1, "to": 40}, {"set": null, "from": 5, "to": 6},
                           {"set": "2:Set1", "from": 100, "to": 131}],
               "room": "Łódź Kaliska"}}
]})";

using test::Outcome;

class QuorctlOnLan : public testing::Test {
protected:
    void Load(std::string_view json)
    {
        Scenario = sim::ParseScenario(json, "test"), sim::AttachAll(Scenario, Lan);
    }
    void LoadFile(const std::string& name)
    {
        Scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/" + name);
        sim::AttachAll(Scenario, Lan);
    }
    Outcome Quorctl(const std::vector<std::string>& args) { return test::RunQuorctlOn(Lan, args); }
    sim::EmuController& Controller(size_t i)
    {
        return dynamic_cast<sim::EmuController&>(*Scenario.Devices.at(i));
    }

    sim::VirtualLan Lan;
    sim::Scenario Scenario;
};

TEST_F(QuorctlOnLan, StoredValuesTheDoorSheetOffersNoItemFor)
{
    Load(Odd);
    // Door 2's reminder output (bytes 10 and 11 of its block) holds 0x8002: bit 15
    // is no part of the entry index, so it names output 3 of entry 0.
    Bytes& door2 = Controller(0).Blocks.at({1, 1});
    door2[10] = 0x02;
    door2[11] = 0x80;
    const Outcome run = Quorctl({"config", "K01_00031"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // Door 1: type 7 (high bits kept), airlock 3 while two doors offer only airlock 1.
    EXPECT_THAT(run.Out, HasSubstr("          Typ przejścia: ? (7)\n"));
    EXPECT_THAT(run.Out, HasSubstr("                  Śluzy: ? (Śluza 3)\n"));
    // The NC box of an OC output.
    EXPECT_THAT(run.Out, HasSubstr("                  Alarm: K01_00031:Out3  NC\n"));
    // Door 2 at the limits of the sheet's values.
    EXPECT_THAT(run.Out, HasSubstr("Przejście 2\n"));
    EXPECT_THAT(run.Out, HasSubstr("                  Śluzy: Śluza 1\n"));
    EXPECT_THAT(run.Out, HasSubstr("          Typ przejścia: Zablokowane\n"));
    EXPECT_THAT(run.Out, HasSubstr("  Impuls otwarcia rygla: 63,5 s\n"));
    EXPECT_THAT(run.Out, HasSubstr("    Dozw. czas otwarcia: 0 s\n"));
    EXPECT_THAT(run.Out, HasSubstr("          Przypomnienie: K01_00031:Out3\n"));
    EXPECT_THAT(run.Out, Not(HasSubstr("Nr pociągu")));  // no common block
}

// "Usuń nieaktywne" empties the reader's entry while door 1 still names its
// output and reader: each format shows the reference without a device.
TEST_F(QuorctlOnLan, ReferenceToAnEmptiedEntry)
{
    Load(R"({"devices": [
      {"ip": "10.45.3.1", "model": 301, "serial": 31, "mode": "Serwis", "kind": "doors", "doors": 2,
       "bus": [{"self": true, "conn": "A0", "relay": 2, "inputs": 4},
               {"model": 5, "serial": 7, "conn": "A1", "relay": 1, "inputs": 2, "readers": 1}],
       "door_blocks": [{"door": 1, "bolt": "1:Out1", "readers": ["1:Rd1"]}]}]})");
    Controller(0).Bus->Entries[1] = sim::BusEntry{};
    const struct {
        const char* format;
        std::vector<std::string> shown;
    } cases[] = {
        {"text", {"                 Rygiel: ? (Out1)\n", "                      1: ? (Rd1)\n"}},
        {"json",
         {"\"label\": \"Rygiel\",\n      \"value\": \"? (Out1)\"",
          "\"label\": \"1\",\n      \"value\": \"? (Rd1)\""}},
        {"csv",
         {"K01_00031,Przejście 1,Wyjścia,Rygiel,? (Out1),\r\n",
          "K01_00031,Przejście 1,Czytniki,1,? (Rd1),\r\n"}},
    };
    for (const auto& c : cases) {
        const Outcome run = Quorctl({"config", "K01_00031", "--format", c.format});
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const std::string& text : c.shown) {
            EXPECT_THAT(run.Out, HasSubstr(text)) << c.format;
        }
        EXPECT_THAT(run.Out, Not(HasSubstr("65535"))) << c.format;
    }
}

TEST_F(QuorctlOnLan, LockerNumbersTheSheetShowsInYellow)
{
    Load(Odd);
    const Outcome run = Quorctl({"config", "10.45.3.2"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_THAT(run.Out, HasSubstr(" Nazwa pomieszczenia: Łódź Kaliska\n"));
    EXPECT_THAT(run.Out, HasSubstr("  Moduł           Od:   Do:\n"
                                   "  0  D02_00001      1!   40!\n"  // 40 lockers
                                   "  1    -----        5!    6!\n"  // numbers without a module
                                   "  2  D02_00002    100   131\n"   // exactly 32
                                   "  3    -----\n"));
}

TEST_F(QuorctlOnLan, ReportLocationIsClippedAndConverted)
{
    Load(Odd);
    const std::string path = (std::filesystem::temp_directory_path() / "quorctl-location.txt").string();
    // 79 letters, then a character Windows-1250 lacks, then more than the edit field takes.
    const std::string location = std::string(79, 'x') + "€→ and beyond";
    const Outcome run = Quorctl({"report", "K01_00031", path, "--location", location});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::filesystem::remove(path);
    EXPECT_THAT(bytes.str(), HasSubstr("     Lokalizacja: " + std::string(79, 'x') + "\x80\r\n"));
    EXPECT_THAT(bytes.str(), HasSubstr("            Data: 2021-03-05\r\n"));
}

// The report is written whole under a temporary name and renamed over the
// old file, as the window saves it: a new file (another inode) in its place,
// nothing else left in the folder.
TEST_F(QuorctlOnLan, ReportReplacesTheFileThroughATemporaryOne)
{
    Load(Odd);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quorctl-report-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::filesystem::path path = folder / "raport.txt";
    std::ofstream(path, std::ios::binary) << std::string(4000, 'x');
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    const Outcome run = Quorctl({"report", "K01_00031", path.string(), "--location", "Hala"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::filesystem::remove_all(folder);

    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_THAT(bytes.str(), testing::StartsWith("    Raport konfiguracji przej\x9C\xE6 kontrolera\r\n"));
    EXPECT_THAT(bytes.str(), Not(HasSubstr("xxxx")));
    EXPECT_EQ(names, std::vector<std::string>{"raport.txt"});
}

TEST_F(QuorctlOnLan, FailuresNameTheirCause)
{
    LoadFile("site.json");
    Controller(0).Inject(sim::Fault::BadSignature, 'D');
    struct Case {
        std::vector<std::string> Args;
        const char* Message;
    } const cases[] = {
        {{"table", "K01_01101"}, "K01_01101, tryb: Serwis.\n\nBłąd nr 6 (r.'D'): Błąd podpisu ramki.\n"},
        {{"report", "K01_01201", "/nonexistent/dir/r.txt"},
         "quorctl: no device K01_01201 answered the search\n"},
        {{"report", "K02_01201", "/nonexistent/dir/r.txt"}, "quorctl: cannot write /nonexistent/dir/r.txt"},
        {{"config", "T01_05001"}, "quorctl: T01_05001 is not a controller\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = Quorctl(c.Args);
        EXPECT_EQ(run.Status, 1) << c.Message;
        EXPECT_EQ(run.Out, "") << c.Message;
        EXPECT_THAT(run.Err, testing::StartsWith(c.Message));
    }
}

TEST_F(QuorctlOnLan, LeavesNoSessionOpen)
{
    LoadFile("site.json");
    for (const char* command : {"table", "config"}) {
        const Outcome run = Quorctl({command, "K03_01301"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(Controller(2).SessionPeer, "") << command;
        EXPECT_EQ(Controller(2).Received['s'], 1 + (command == std::string("config"))) << command;
    }
}

// Behind a router, past the window's 100: 250 devices at 10.2.0.1 to 10.2.0.250,
// found by their addresses only, listed in the table's order and each one named.
TEST_F(QuorctlOnLan, TwoHundredFiftyDevicesByTheirAddresses)
{
    std::vector<std::unique_ptr<sim::EmuDevice>> devices;
    for (uint32_t serial = 250; serial >= 1; --serial) {
        devices.push_back(std::make_unique<sim::EmuDevice>(0x21F50000 | serial, 2));
        Lan.Attach("10.2.0." + std::to_string(serial), *devices.back());
    }
    Outcome found = Quorctl({"--no-broadcast", "--target", "10.2.0.0/24", "search"});
    EXPECT_EQ(found.Status, 0) << found.Err;
    std::istringstream rows(found.Out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(rows, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 250u);
    EXPECT_EQ(lines[0], " K01_00001,  10.2.0.1,  Serwis");
    EXPECT_EQ(lines[99], " K01_00100,  10.2.0.100,  Serwis");
    EXPECT_EQ(lines[100], " K01_00101,  10.2.0.101,  Serwis");
    EXPECT_EQ(lines[249], " K01_00250,  10.2.0.250,  Serwis");

    Outcome scanned = Quorctl({"scan", "10.2.0.248/30"});
    EXPECT_EQ(scanned.Status, 0) << scanned.Err;
    EXPECT_EQ(scanned.Out, " K01_00249,  10.2.0.249,  Serwis\n K01_00250,  10.2.0.250,  Serwis\n");
    EXPECT_EQ(Lan.SentTo("255.255.255.255").size(), 0u);

    // A command that names a device finds it beyond the 100th too.
    sim::VirtualLan lan;
    for (uint32_t serial = 1; serial <= 250; ++serial)
        lan.Attach("10.2.0." + std::to_string(serial), *devices[250 - serial]);
    tools::Quorctl ctl(lan.AddPc());
    AddTarget(ctl.Devices.Scope.Targets, "10.2.0.0/24", false);
    EXPECT_EQ(site::SearchFor(ctl.Devices, "K01_00240").Ip, 0x0A0200F0u);
    EXPECT_EQ(&site::SearchFor(ctl.Devices, "10.2.0.240"), &ctl.Devices.Dev[239]);
}

// More devices answer than quorctl's table holds: it lists 8,192 and says how many it left out.
TEST_F(QuorctlOnLan, PastItsTableItSaysHowManyAreNotListed)
{
    std::deque<sim::EmuDevice> devices;
    for (uint32_t n = 0; n < 8200; ++n) {
        devices.emplace_back(0x21F50000 | (n + 1), 2);
        Lan.Attach("10.45." + std::to_string(1 + n / 250) + "." + std::to_string(1 + n % 250),
                   devices.back());
    }
    const Outcome run = Quorctl({"search"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 8192);
    EXPECT_EQ(run.Err, "quorctl: the list holds 8192 devices; 8 more answered and are not listed\n");
}

TEST_F(QuorctlOnLan, TargetsRefusedAtStart)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--target", "10.2.0.0/16", "search"},
         "quorctl: --target 10.2.0.0/16: a range may be at most /22 (1,024 addresses)\n"},
        {{"scan", "10.2.0"},
         "quorctl: scan 10.2.0: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24\n"},
        {{"--target", "127.0.0.1", "config", "K01_00031"},
         "quorctl: --target 127.0.0.1: a loopback address reaches no device outside a network namespace of "
         "its "
         "own\n"},
        {{"--no-broadcast", "search"}, "quorctl: --no-broadcast needs a --target, or nothing is asked\n"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome o = Quorctl(args);
        EXPECT_EQ(o.Status, 2) << args[1];
        EXPECT_EQ(o.Err, message);
        EXPECT_EQ(Lan.Trace.size(), 0u) << args[1];
    }
}

}  // namespace
}  // namespace quor::tools
