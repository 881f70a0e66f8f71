// Taking a backup from a controller and writing its file.
#include "site/Backup.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "sheets/SheetFields.h"
#include "sheets/SlotNames.h"
#include "site/ControllerRead.h"
#include "site/Files.h"
#include "site/Formats.h"

namespace quor::site {

namespace {

// The sheet's fields as sections of groups of labelled values, for people to read.
Json Decoded(const std::vector<SheetField>& fields)
{
    Json decoded = Json::object();
    for (const SheetField& f : fields) {
        Json& section = decoded[f.Section];
        Json& place = f.Group.empty() ? section : section[f.Group];
        place[f.Label] = f.Mark.empty() ? f.Value : f.Value + "  " + f.Mark;
    }
    return decoded;
}

Json BusJson(const Backup& backup, const BusDevTable& table)
{
    Json bus = Json::array();
    for (size_t e = 0; e < backup.Entries.size(); ++e) {
        const BusDev& dev = backup.Entries[e];
        bus.push_back(dev.Present() ? EntryJson(table, static_cast<int>(e))
                                    : Json{{"entry", e}, {"empty", true}, {"id", IdText(dev.Id)}});
    }
    return bus;
}

Json BlocksJson(const Backup& backup)
{
    Json blocks = Json::array();
    for (const RawBlock& raw : backup.Blocks) {
        blocks.push_back({{"type", raw.Block.Type},
                          {"index", raw.Block.Index},
                          {"name", SectionOf(raw.Block)},
                          {"hex", HexText(raw.Bytes)}});
    }
    return blocks;
}

}  // namespace

std::string UtcNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

Backup TakeBackup(UdpDev& dev, Controller& c)
{
    LoadTable(dev, c);
    std::vector<RawBlock> blocks = ReadRawConfiguration(dev, c);
    Backup backup = BackupHead(dev, c.Table);
    backup.Blocks = std::move(blocks);
    return backup;
}

Backup BackupHead(const UdpDev& dev, const BusDevTable& table)
{
    Backup backup;
    backup.Created = UtcNow();
    backup.ControllerId = dev.Id;
    backup.Ip = dev.IpText();
    backup.Mode = dev.ModeName();
    backup.Protocol = dev.Version;
    backup.Kind = table.Kind;
    backup.DoorCount = table.DoorCount;
    backup.TrainFlag = table.TrainFlag;
    for (int e = 0; e < table.DevCount; ++e) {
        BusDev entry = table.Dev[e];
        entry.Taken = {};
        backup.Entries.push_back(entry);
    }
    return backup;
}

void Unpack(const Backup& backup, Controller& c)
{
    BusDevTable& table = c.Table;
    table.Kind = backup.Kind;
    table.DoorCount = backup.DoorCount;
    table.TrainFlag = backup.TrainFlag;
    table.DevCount = static_cast<int32_t>(backup.Entries.size());
    table.PresentCount = 0;
    for (int e = 0; e < table.DevCount; ++e) {
        table.Dev[e] = backup.Entries[e];
        table.Dev[e].Taken = {};
        if (table.Dev[e].Present())
            table.Order[table.PresentCount++] = e;
    }
    table.Sort();
    // A backup is read whole or refused, so its blocks fit.
    if (!DecodeBlocks(backup.Blocks, c))
        throw std::logic_error("a backup's blocks do not fit its controller");
}

std::string BackupText(const Backup& backup)
{
    Controller c;
    Unpack(backup, c);
    const Json controller = {{"name", DevName(backup.ControllerId)},
                             {"id", IdText(backup.ControllerId)},
                             {"ip", backup.Ip},
                             {"mode", backup.Mode},
                             {"protocol", backup.Protocol}};
    return JsonText({{"format", BackupFormat},
                     {"version", BackupVersion},
                     {"created", backup.Created},
                     {"controller", controller},
                     {"kind", KindKey(backup.Kind)},
                     {"door_count", backup.DoorCount},
                     {"train_flag", backup.TrainFlag},
                     {"bus", BusJson(backup, c.Table)},
                     {"blocks", BlocksJson(backup)},
                     {"decoded", Decoded(SheetFields(c, backup.ControllerId))}});
}

void SaveBackup(const Backup& backup, const std::string& path)
{
    ReplaceFile(path, BackupText(backup));
}

}  // namespace quor::site
