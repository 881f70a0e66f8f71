// quorctl backup, restore and diff on the in-memory LAN, with the controllers
// of tests/lan/scenarios/restore.json: configured ones, and fresh replacements
// of the same model that list the same devices in another order.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/Scenario.h"
#include "tests/support/EmuNamed.h"
#include "tests/support/FileText.h"
#include "tests/support/HexBytes.h"
#include "tests/support/QuorctlRun.h"
#include "tools/quorctl/Commands.h"

namespace quor::tools {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using Bytes = std::vector<uint8_t>;

using test::Outcome;

using test::ReadFile;

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The configuration as `config` prints it, without the Ethernet row, with the
// controller's own name replaced: a replacement must show the same sheet.
std::string SheetOf(const std::string& config, const std::string& own)
{
    std::string sheet = config.substr(config.find('\n') + 1);
    for (size_t at = sheet.find(own); at != std::string::npos; at = sheet.find(own, at))
        sheet.replace(at, own.size(), "SELF");
    return sheet;
}

class BackupOnLan : public testing::Test {
protected:
    BackupOnLan()
    {
        Scenario = sim::LoadScenario(std::string(QUOR_LAN_SCENARIO_DIR) + "/restore.json");
        sim::AttachAll(Scenario, Lan);
        Folder = fs::temp_directory_path() /
                 ("quorctl-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(Folder);
    }
    ~BackupOnLan() override { fs::remove_all(Folder); }

    Outcome Quorctl(const std::vector<std::string>& args) { return test::RunQuorctlOn(Lan, args); }
    std::string File(const std::string& name) const { return (Folder / name).string(); }
    // A backup file of the controller, named after it unless named.
    std::string BackupOf(const std::string& device, const std::string& name = {})
    {
        const std::string path = File(name.empty() ? device + ".json" : name);
        const Outcome run = Quorctl({"backup", device, path});
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "");
        return path;
    }
    sim::EmuController& Emu(const std::string& name) { return test::EmuNamed(Scenario, name); }
    std::string IpOf(const std::string& name)
    {
        for (size_t i = 0; i < Scenario.Devices.size(); ++i) {
            if (DevName(Scenario.Devices[i]->Id) == name)
                return Scenario.Ips[i];
        }
        throw std::runtime_error("no " + name + " in the scenario");
    }

    sim::VirtualLan Lan;
    sim::Scenario Scenario;
    fs::path Folder;
};

TEST_F(BackupOnLan, ARestoredReplacementShowsTheSameSheet)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"K01_00411", "K01_00412"}, {"K03_00421", "K03_00422"}, {"K04_00431", "K04_00432"}};
    for (const auto& [source, target] : pairs) {
        SCOPED_TRACE(source);
        const std::string backup = BackupOf(source);
        const Outcome restore = Quorctl({"restore", target, backup});
        ASSERT_EQ(restore.Status, 0) << restore.Err;
        const Outcome before = Quorctl({"config", source});
        const Outcome after = Quorctl({"config", target});
        EXPECT_EQ(SheetOf(after.Out, target), SheetOf(before.Out, source));
        // Also what no control shows: the controller against its backup, and two backups.
        for (const std::string& first : {std::string(target), BackupOf(target)}) {
            const Outcome diff = Quorctl({"diff", first, backup});
            EXPECT_EQ(diff.Status, 0) << diff.Out << diff.Err;
            EXPECT_EQ(diff.Out, "");
        }
    }
}

TEST_F(BackupOnLan, ReferencesMoveToTheEntriesOfTheSameDevices)
{
    const Outcome run = Quorctl({"restore", "K01_00412", BackupOf("K01_00411")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto& writes = Emu("K01_00412").Writes;
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(std::get<0>(writes[0]), 16);
    EXPECT_EQ(std::get<2>(writes[0]), test::HexBytes("4D 00 FF FF FF FF FF FF"));  // train number 77
    // Door 1: the interface (entry 4 there, 1 here) as alarm, inputs 6 and 9 the
    // sheet does not show, the readers of entries 1 and 2 now at 5 and 3.
    const Bytes door1 = std::get<2>(writes[1]);
    EXPECT_EQ(Bytes(door1.begin(), door1.begin() + 36),
              test::HexBytes("00 00 FF FF 84 01 FF FF"
                             " 01 00 80 00 FF FF FF FF FF FF 06 01 FF FF FF FF 07 01 FF FF"
                             " 00 05 00 03 FF FF FF FF"));
    // Door 2: the lock's outputs and inputs (entry 3 there, 4 here), the keypad (5 there, 2 here).
    const Bytes door2 = std::get<2>(writes[2]);
    EXPECT_EQ(std::get<1>(writes[2]), 1);
    EXPECT_EQ(Bytes(door2.begin(), door2.begin() + 36),
              test::HexBytes("00 04 FF FF 84 01 05 01"
                             " 00 02 00 04 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"
                             " 00 02 FF FF FF FF FF FF"));
}

TEST_F(BackupOnLan, OntoItsOwnControllerWritesExactlyTheBlocksItRead)
{
    using Order = std::vector<std::pair<uint8_t, uint8_t>>;
    const std::pair<const char*, Order> cases[] = {
        {"K01_00411", {{16, 0}, {1, 0}, {1, 1}}}, {"K03_00421", {{2, 0}}}, {"K04_00431", {{3, 0}}}};
    for (const auto& [name, order] : cases) {
        SCOPED_TRACE(name);
        sim::EmuController& emu = Emu(name);
        const auto stored = emu.Blocks;
        const Outcome run = Quorctl({"restore", name, BackupOf(name)});
        ASSERT_EQ(run.Status, 0) << run.Err;
        std::vector<std::tuple<uint8_t, uint8_t, Bytes>> expected;
        for (const auto& block : order) {
            const Bytes& bytes = stored.at(block);
            expected.emplace_back(block.first, block.second, Bytes(bytes.begin() + 8, bytes.end()));
        }
        EXPECT_EQ(emu.Writes, expected);
        EXPECT_EQ(emu.Blocks, stored);
    }
    // Door 1 holds input 9 and a parameter byte of 200, which the sheet's write would not keep.
    const std::string door1 = test::HexText(std::get<2>(Emu("K01_00411").Writes.at(1)));
    EXPECT_THAT(door1, HasSubstr("07 04 FF FF 00 01"));
    EXPECT_THAT(door1, HasSubstr("01 00 04 00 06 C8 14 00"));
}

TEST_F(BackupOnLan, AFailedBackupLeavesTheFileAsItWas)
{
    const std::string path = File("k01.json");
    WriteFile(path, "the backup of last year");
    Emu("K01_00411").Inject(sim::Fault::BadSignature, 'C');
    const Outcome run = Quorctl({"backup", "K01_00411", path});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "K01_00411, tryb: Serwis.\n\nBłąd nr 6 (r.'C'): Błąd podpisu ramki.\n");
    EXPECT_EQ(ReadFile(path), "the backup of last year");
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1);

    const Outcome noFolder = Quorctl({"backup", "K01_00411", File("none/k01.json")});
    EXPECT_EQ(noFolder.Status, 1);
    EXPECT_EQ(noFolder.Err,
              "quorctl: cannot write " + File("none/k01.json") + ": No such file or directory\n");
}

TEST_F(BackupOnLan, DryRunPrintsThePlanAndWritesNothing)
{
    const Outcome run = Quorctl({"restore", "K01_00412", BackupOf("K01_00411"), "--dry-run"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "bus devices (backup entry -> entry on K01_00412):\n"
              "    0 K01_00411/A0 ->   0 K01_00412/A0  the controller\n"
              "    1 R05_04101/A1 ->   5 R05_04101/A1\n"
              "    2 R05_04102/A2 ->   3 R05_04102/A2\n"
              "    3 Z01_04103/B1 ->   4 Z01_04103/B1\n"
              "    4 P01_04104/B2 ->   1 P01_04104/B2\n"
              "    5 K01_04105/C1 ->   2 K01_04105/C1\n"
              "checks:\n"
              "  kind: doors, as on K01_00412\n"
              "  doors: 2, as on K01_00412\n"
              "  train number block: kept, as on K01_00412\n"
              "  block shapes: as on K01_00412\n"
              "blocks to write, in this order:\n"
              "  16/0 Przejścia, 8 bytes, changes the controller's: 4D 00 FF FF FF FF FF FF\n"
              "  1/0 Przejście 1, 100 bytes, changes the controller's: "
              "00 00 FF FF 84 01 FF FF "                                      // outputs
              "01 00 80 00 FF FF FF FF FF FF 06 01 FF FF FF FF 07 01 FF FF "  // inputs
              "00 05 00 03 FF FF FF FF "                                      // readers
              "01 00 04 00 06 C8 14 00 00 00 00 00 00 00 00 00 "              // parameters 0-15
              "00 00 00 00 05 00 00 00 00 00 00 00 00 00 00 00 "              // 16-31
              "00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 "              // 32-47: reader 2 an exit
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
              "  1/1 Przejście 2, 100 bytes, changes the controller's: "
              "00 04 FF FF 84 01 05 01 "
              "00 02 00 04 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
              "00 02 FF FF FF FF FF FF "
              "02 00 44 00 06 00 14 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
              "dry run: nothing written\n");
    EXPECT_EQ(Emu("K01_00412").Received['c'], 0);
}

TEST_F(BackupOnLan, AMissingReaderIsListedAndNothingWritten)
{
    const std::string backup = BackupOf("K01_00411");
    // Without a device of its model on its connection, accepting serial changes does not help.
    for (const char* accept : {"", "--accept-serial-changes"}) {
        std::vector<std::string> args{"restore", "K01_00414", backup};
        if (*accept)
            args.push_back(accept);
        const Outcome run = Quorctl(args);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err,
                  "quorctl: the backup does not fit K01_00414; nothing written:\n"
                  "  Przejście 1 / Czytniki / 2: backup R05_04102/A2, K01_00414 holds nothing on A2\n");
    }
    EXPECT_EQ(Emu("K01_00414").Received['c'], 0);
}

TEST_F(BackupOnLan, AcceptSerialChangesTakesTheReplacedReader)
{
    const std::string backup = BackupOf("K01_00411");
    const Outcome refused = Quorctl({"restore", "K01_00413", backup});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err,
              "quorctl: the backup does not fit K01_00413; nothing written:\n"
              "  Przejście 1 / Czytniki / 1: backup R05_04101/A1, K01_00413 holds R05_04199/A1\n");
    EXPECT_EQ(Emu("K01_00413").Received['c'], 0);

    const Outcome taken = Quorctl({"restore", "K01_00413", backup, "--accept-serial-changes"});
    ASSERT_EQ(taken.Status, 0) << taken.Err;
    EXPECT_THAT(
        taken.Out,
        HasSubstr(
            "    1 R05_04101/A1 ->   2 R05_04199/A1  replaced since the backup (--accept-serial-changes)\n"));
    EXPECT_THAT(Quorctl({"config", "K01_00413"}).Out, HasSubstr("                      1: R05_04199:Rd1\n"));
}

TEST_F(BackupOnLan, FilesOfAnotherFormatVersionOrKindAreRefused)
{
    const std::string good = ReadFile(BackupOf("K01_00411"));
    const auto edited = [&good](const auto& edit) {
        nlohmann::ordered_json json = nlohmann::ordered_json::parse(good);
        edit(json);
        return json.dump(2);
    };
    const std::string f = File("edited.json");
    const struct {
        std::string Text;
        std::string Message;
    } cases[] = {
        {good.substr(0, good.size() / 2), f + " is not a quorctl backup: no JSON text"},
        {ReadFile(std::string(QUOR_LAN_SCENARIO_DIR) + "/restore.json"),
         f + " is not a quorctl backup: no \"format\": \"quorctl backup\""},
        {edited([](auto& j) { j["version"] = 2; }),
         f + " is a backup of version 2; this quorctl reads version 1"},
        {edited([](auto& j) { j["blocks"].erase(2); }),
         f + ": a damaged backup: blocks: its kind keeps 16/0 1/0 1/1, the file holds 16/0 1/0"},
        {edited([](auto& j) {
             j["blocks"][1]["hex"] = j["blocks"][1]["hex"].template get<std::string>().substr(3);
         }),
         f + ": a damaged backup: blocks[1].hex: does not fit block 1/0 (its head or its length)"},
        {edited([](auto& j) { j["bus"][3]["conn"] = 256; }),
         f + ": a damaged backup: bus[3].conn: expected a whole number from 0 to 255"},
        {ReadFile(BackupOf("K03_00421")),
         "the backup does not fit K01_00412; nothing written:\n  kind: backup lift, K01_00412 doors"},
    };
    for (const auto& c : cases) {
        WriteFile(f, c.Text);
        const Outcome run = Quorctl({"restore", "K01_00412", f});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, "quorctl: " + c.Message + "\n");
    }
    EXPECT_EQ(Emu("K01_00412").Received['c'], 0);
}

// Forwards to a controller, but the write requests after the first never reach it.
class LosesWritesAfterTheFirst : public sim::LanHost {
public:
    explicit LosesWritesAfterTheFirst(sim::EmuController& emu) : Emu(emu) {}
    std::vector<sim::Bytes> Handle(std::span<const uint8_t> in, std::string_view fromIp,
                                   int64_t nowMs) override
    {
        const bool signedWrite = in.size() > 10 &&
                                 std::string_view(reinterpret_cast<const char*>(in.data()), 4) == "MMDC" &&
                                 in[10] == 'c';
        if (signedWrite && Emu.Writes.size() >= 1)
            return {};
        return Emu.Handle(in, fromIp, nowMs);
    }
    sim::EmuController& Emu;
};

TEST_F(BackupOnLan, AFailureHalfWayNamesTheBlocksWritten)
{
    const std::string backup = BackupOf("K01_00411");
    LosesWritesAfterTheFirst lossy(Emu("K01_00412"));
    Lan.Detach(IpOf("K01_00412"));
    Lan.Attach(IpOf("K01_00412"), lossy);
    const Outcome run = Quorctl({"restore", "K01_00412", backup});
    EXPECT_EQ(run.Status, 1);
    EXPECT_THAT(run.Out, HasSubstr("checks:\n"));
    EXPECT_THAT(run.Out, testing::EndsWith("written: 16/0 Przejścia, 8 bytes\n"));
    EXPECT_EQ(run.Err, "K01_00412, tryb: Serwis.\n\nBłąd nr 9 (r.'c'): Brak odpowiedzi na rozkaz.\n"
                       "quorctl: restore of K01_00412 stopped after 1 of 3 blocks; written: 16/0; "
                       "not written: 1/0 1/1; nothing is rolled back\n");
    EXPECT_EQ(Emu("K01_00412").Writes.size(), 1u);
}

TEST_F(BackupOnLan, DiffNamesEachChangeInTheSheetsWords)
{
    const std::string backup = BackupOf("K01_00411");
    Outcome run = Quorctl({"diff", "K01_00411", backup});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");

    // Door 1 as read: input slot 5 at byte 26, reader slot 0 at 36, parameter bytes from 44.
    Bytes& door1 = Emu("K01_00411").Blocks.at({1, 0});
    door1[26] = door1[27] = 0xFF;
    door1[36] = door1[37] = 0xFF;
    door1[44 + 4] = 7;
    door1[44 + 20] = 6;
    const std::string expected = "Przejście 1 / Czytniki / 1: ----- -> R05_04101:Rd1\n"
                                 "Przejście 1 / Impuls otwarcia rygla: 3,5 s -> 3 s\n"
                                 "Przejście 1 / Wejścia / Wejście 6: ----- -> P01_04104:In7\n"
                                 "Przejście 1 / Parametry / bajt 20: 06 -> 05\n";
    for (const std::string& first : {std::string("K01_00411"), BackupOf("K01_00411", "changed.json")}) {
        run = Quorctl({"diff", first, backup});
        EXPECT_EQ(run.Status, 1) << run.Err;
        EXPECT_EQ(run.Out, expected);
    }
    run = Quorctl({"diff", "K03_00421", backup});
    EXPECT_EQ(run.Out, "Rodzaj: Winda -> Przejścia\n");
    EXPECT_EQ(run.Status, 1);
    // A failure is neither "equal" nor "different".
    run = Quorctl({"diff", backup, File("none.json")});
    EXPECT_EQ(run.Status, 2);
    EXPECT_THAT(run.Err, testing::StartsWith("quorctl: cannot read " + File("none.json")));
}

}  // namespace
}  // namespace quor::tools
