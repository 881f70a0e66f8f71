// The site library on a lift controller's backup and a replacement that
// lists the same devices in another order: the backup file, restore planning,
// comparison and the sheet's fields. No network: the blocks are literals.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheets/SheetFields.h"
#include "site/Backup.h"
#include "site/Diff.h"
#include "site/Restore.h"
#include "tests/support/HexBytes.h"

namespace quor::site {
namespace {

using test::HexBytes;

// e0 K01_12345 on A1: 4 inputs, 1 reader. e1 D01_00001 on A2: 2 output sets,
// 2 inputs. e2 R05_00007 on A3: 1 output, 2 inputs, 1 reader.
const char* const OwnTable = "03 00 41 00 00 00"
                             "39 30 2D 21  01 00 00 00 04 01 00 00"
                             "01 00 BD 22  02 00 82 00 02 00 00 00"
                             "07 00 05 20  03 00 00 01 02 01 00 00";

// The lift block: the module e1 set 1; floor e1 In1, tamper e0 In2 NC, input
// 10 (no control) e2 In1; reader 1 e2 Rd1; button release 20 half seconds.
const char* const LiftBlock = "02 84 0A 04 00 00 08 00"
                              "00 01 FF FF FF FF FF FF"
                              "FF FF 00 01 FF FF 81 00 FF FF FF FF FF FF FF FF FF FF 00 02"
                              "00 02 FF FF FF FF FF FF"
                              "00 00 00 00 14 00 00 00 00 00 00 00 00 00 00 00"
                              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

std::vector<BusDev> EntriesOf(const char* reply)
{
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes(reply)));
    return {t.Dev.begin(), t.Dev.begin() + t.DevCount};
}

Backup LiftBackup(uint32_t id, const char* table, const char* block = LiftBlock)
{
    Backup b;
    b.Created = "2026-05-28T10:15:00Z";
    b.ControllerId = id;
    b.Ip = "10.45.1.1";
    b.Mode = "Serwis";
    b.Protocol = 2;
    b.Kind = KindLift;
    b.DoorCount = 1;
    b.Entries = EntriesOf(table);
    b.Blocks = {{{BlockLift, 0}, HexBytes(block)}};
    return b;
}

// The replacement K01_12346 with the same devices; {R05} is the reader's entry.
std::string TargetTable(const char* reader)
{
    return std::string("03 00 41 00 00 00") + reader +
           "3A 30 2D 21  01 00 00 00 04 01 00 00"
           "01 00 BD 22  02 00 82 00 02 00 00 00";
}

TEST(SiteBackup, TheFileReadsBackAsWritten)
{
    const Backup own = LiftBackup(0x212D3039, OwnTable);
    const std::string text = BackupText(own);
    const Backup read = ParseBackup(text, "k01.json");
    EXPECT_EQ(read.Blocks.at(0).Bytes, HexBytes(LiftBlock));
    EXPECT_EQ(read.Entries.size(), 3u);
    EXPECT_EQ(BackupText(read), text);
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(
        json["decoded"].dump(),
        R"({"Winda":{"quor-L8":"D01_00001","Wybór piętra":"D01_00001:In1","Sabotaż":"K01_12345:In2  NC",)"
        R"("Czytniki":{"1":"R05_00007:Rd1","2":"","3":"","4":""},"Czas odblokowania przycisków":"10 s"}})");
}

TEST(SiteBackup, DamagedFilesAreRefusedWithThePlace)
{
    const std::string good = BackupText(LiftBackup(0x212D3039, OwnTable));
    const auto edited = [&good](const auto& edit) {
        nlohmann::ordered_json json = nlohmann::ordered_json::parse(good);
        edit(json);
        return json.dump(2);
    };
    const struct {
        std::string Text;
        const char* Message;
    } cases[] = {
        {"{", "f.json is not a quorctl backup: no JSON text"},
        {"[1]", "f.json is not a quorctl backup: no \"format\": \"quorctl backup\""},
        {edited([](auto& j) { j["version"] = "1"; }),
         "f.json: a damaged backup: version: expected a whole number"},
        {edited([](auto& j) { j["blocks"].erase(0); }),
         "f.json: a damaged backup: blocks: its kind keeps 2/0, the file holds none"},
        {edited([](auto& j) { j["kind"] = "gates"; }),
         "f.json: a damaged backup: kind: expected doors, lift or lockers, not gates"},
        {edited([](auto& j) { j["door_count"] = 2; }),
         "f.json: a damaged backup: door_count: expected a whole number from 1 to 1"},
        {edited([](auto& j) { j["bus"][1]["entry"] = 2; }),
         "f.json: a damaged backup: bus[1].entry: expected 1: entries come in table order"},
        {edited([](auto& j) { j["bus"][2]["id"] = "0xFFFFFFFF"; }),
         "f.json: a damaged backup: bus[2].id: names an empty entry, without \"empty\": true"},
        {edited([](auto& j) { j["controller"]["id"] = "0x212D303"; }),
         "f.json: a damaged backup: controller.id: expected 0x and eight hexadecimal digits"},
        {edited([](auto& j) { j["blocks"][0]["hex"] = "02 84 0A 04"; }),
         "f.json: a damaged backup: blocks[0].hex: does not fit block 2/0 (its head or its length)"},
    };
    for (const auto& c : cases) {
        try {
            ParseBackup(c.Text, "f.json");
            ADD_FAILURE() << "taken: " << c.Message;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

TEST(SiteRestore, ReferencesFollowTheDevicesToTheirNewEntries)
{
    const Backup own = LiftBackup(0x212D3039, OwnTable);
    const Backup target = LiftBackup(0x212D303A, TargetTable("07 00 05 20  03 00 00 01 02 01 00 00").c_str());
    Controller t;
    Unpack(target, t);
    const RestorePlan plan = PlanRestore(own, t.Table, target.ControllerId, target.Blocks, false);
    EXPECT_EQ(plan.Mapping, std::vector<std::string>({"  0 K01_12345/A1 ->   1 K01_12346/A1  the controller",
                                                      "  1 D01_00001/A2 ->   2 D01_00001/A2",
                                                      "  2 R05_00007/A3 ->   0 R05_00007/A3"}));
    EXPECT_EQ(plan.Checks,
              std::vector<std::string>({"kind: lift, as on K01_12346", "block shapes: as on K01_12346"}));
    EXPECT_TRUE(plan.Problems.empty());
    ASSERT_EQ(plan.Blocks.size(), 1u);
    EXPECT_EQ(test::HexText(std::span(plan.Blocks[0].Bytes).first(44)),
              "02 84 0A 04 00 00 08 00"
              " 00 02 FF FF FF FF FF FF"                                      // the module: e2
              " FF FF 00 02 FF FF 81 01 FF FF FF FF FF FF FF FF FF FF 00 00"  // e2, e1 NC, e0
              " 00 00 FF FF FF FF FF FF");                                    // e0
    EXPECT_EQ(std::vector(plan.Blocks[0].Bytes.begin() + 44, plan.Blocks[0].Bytes.end()),
              std::vector(own.Blocks[0].Bytes.begin() + 44, own.Blocks[0].Bytes.end()));
}

TEST(SiteRestore, AMissingOrReplacedDeviceIsNamedAtEverySlot)
{
    const Backup own = LiftBackup(0x212D3039, OwnTable);
    const struct {
        const char* Reader;  // the replacement's entry on A3
        bool Accept;
        std::vector<std::string> Problems;
        std::string Mapping;  // of backup entry 2
    } cases[] = {
        // Another reader on another connection: no replacement to accept.
        {"09 00 05 24  04 00 00 01 02 01 00 00",
         true,
         {"Winda / Wejście 10: backup R05_00007/A3, K01_12346 holds nothing on A3",
          "Winda / Czytniki / 1: backup R05_00007/A3, K01_12346 holds nothing on A3"},
         ""},
        {"09 00 05 20  03 00 00 01 02 01 00 00",
         false,
         {"Winda / Wejście 10: backup R05_00007/A3, K01_12346 holds R05_00009/A3",
          "Winda / Czytniki / 1: backup R05_00007/A3, K01_12346 holds R05_00009/A3"},
         ""},
        {"09 00 05 20  03 00 00 01 02 01 00 00",
         true,
         {},
         "  2 R05_00007/A3 ->   0 R05_00009/A3  replaced since the backup (--accept-serial-changes)"},
        // The same reader moved to another connection is still itself.
        {"07 00 05 24  04 00 00 01 02 01 00 00", false, {}, "  2 R05_00007/A3 ->   0 R05_00007/B4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reader);
        const Backup target = LiftBackup(0x212D303A, TargetTable(c.Reader).c_str());
        Controller t;
        Unpack(target, t);
        const RestorePlan plan = PlanRestore(own, t.Table, target.ControllerId, target.Blocks, c.Accept);
        EXPECT_EQ(plan.Problems, c.Problems);
        if (!c.Mapping.empty()) {
            EXPECT_EQ(plan.Mapping.at(2), c.Mapping);
        }
        EXPECT_EQ(plan.Blocks.empty(), !c.Problems.empty());
    }
}

TEST(SiteDiff, ComparesDevicesNotEntriesAndNamesWhatNoControlShows)
{
    const Backup own = LiftBackup(0x212D3039, OwnTable);
    Backup target = LiftBackup(0x212D303A, TargetTable("07 00 05 20  03 00 00 01 02 01 00 00").c_str());
    Controller t;
    Unpack(target, t);
    target.Blocks = PlanRestore(own, t.Table, target.ControllerId, target.Blocks, false).Blocks;
    EXPECT_EQ(DiffLines(own, target), std::vector<std::string>());
    // As read: inputs from byte 16, parameters from 44.
    target.Blocks[0].Bytes[44 + 4] = 0x05;   // release time
    target.Blocks[0].Bytes[44 + 20] = 0x01;  // a byte no field shows
    target.Blocks[0].Bytes[34] = 0x01;       // input 10: the reader's In2 for its In1
    EXPECT_EQ(DiffLines(own, target), std::vector<std::string>({
                                          "Winda / Czas odblokowania przycisków: 10 s -> 2,5 s",
                                          "Winda / Wejście 10: R05_00007:In1 -> R05_00007:In2",
                                          "Winda / Parametry / bajt 20: 00 -> 01",
                                      }));
    // Another kind is one line.
    Backup lockers = LiftBackup(0x212D303A, TargetTable("07 00 05 20  03 00 00 01 02 01 00 00").c_str());
    lockers.Kind = KindLockers;
    EXPECT_EQ(DiffLines(own, lockers), std::vector<std::string>({"Rodzaj: Winda -> Szafki"}));
}

TEST(SiteSheetFields, TheLiftSheetFieldByField)
{
    Controller c;
    Unpack(LiftBackup(0x212D3039, OwnTable), c);
    std::vector<std::string> lines;
    for (const SheetField& f : SheetFields(c, 0x212D3039))
        lines.push_back(f.Section + "|" + f.Group + "|" + f.Label + "|" + f.Value + "|" + f.Mark + "|" +
                        f.Key);
    EXPECT_EQ(lines, std::vector<std::string>({
                         "Winda||quor-L8|D01_00001||0x02BD0001/0x00000000",
                         "Winda||Wybór piętra|D01_00001:In1||0x02BD0001/0x00000000",
                         "Winda||Sabotaż|K01_12345:In2|NC|self/0x00000081",
                         "Winda|Czytniki|1|R05_00007:Rd1||0x00050007/0x00000000",
                         "Winda|Czytniki|2|||none",
                         "Winda|Czytniki|3|||none",
                         "Winda|Czytniki|4|||none",
                         "Winda||Czas odblokowania przycisków|10 s||10 s|",
                     }));
}

}  // namespace
}  // namespace quor::site
