// Reading a backup file: everything restore and diff rely on is checked here,
// so that a damaged or foreign file is refused before any device is touched.
#include <stdexcept>

#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "site/Backup.h"
#include "site/Files.h"
#include "site/Formats.h"
#include "site/JsonRead.h"
#include "site/RawBlocks.h"

namespace quor::site {

namespace {

uint32_t IdAt(const Json& obj, const char* key, const std::string& where)
{
    try {
        return ParseIdText(TextAt(obj, key, where));
    } catch (const std::invalid_argument& e) {
        throw Damage(Place(where, key), e.what());
    }
}

int32_t KindAt(const Json& root)
{
    const std::string kind = TextAt(root, "kind", "");
    if (const int32_t k = KindOfKey(kind))
        return k;
    throw Damage("kind", "expected doors, lift or lockers, not " + kind);
}

BusDev EntryAt(const Json& entry, size_t e, const std::string& where)
{
    if (WholeAt(entry, "entry", where, 0, MaxBusDevs - 1) != static_cast<int64_t>(e))
        throw Damage(where + ".entry", "expected " + std::to_string(e) + ": entries come in table order");
    BusDev dev;
    dev.Id = IdAt(entry, "id", where);
    if (entry.contains("empty")) {
        if (entry.at("empty") != true || dev.Present())
            throw Damage(where, "an empty entry has \"empty\": true and an id of 0xFFFF....");
        return dev;
    }
    if (!dev.Present())
        throw Damage(where + ".id", "names an empty entry, without \"empty\": true");
    dev.Conn = static_cast<uint8_t>(WholeAt(entry, "conn", where, 0, 255));
    dev.Flags = static_cast<uint8_t>(WholeAt(entry, "flags", where, 0, 255));
    dev.ResCount[ResOutput] = static_cast<uint16_t>(WholeAt(entry, "outputs", where, 0, 32));
    dev.FixedOutputs = static_cast<uint16_t>(WholeAt(entry, "fixed_outputs", where, 0, 32));
    dev.ResCount[ResInput] = static_cast<uint16_t>(WholeAt(entry, "inputs", where, 0, 32));
    dev.ResCount[ResReader] = static_cast<uint16_t>(WholeAt(entry, "readers", where, 0, 4));
    dev.ResCount[ResOutputSet] = static_cast<uint16_t>(WholeAt(entry, "output_sets", where, 0, 3));
    return dev;
}

std::vector<BusDev> BusAt(const Json& root)
{
    const Json& bus = Member(root, "bus", "");
    if (!bus.is_array() || bus.size() > MaxBusDevs)
        throw Damage("bus", "expected a list of at most 128 entries");
    std::vector<BusDev> entries;
    for (size_t e = 0; e < bus.size(); ++e)
        entries.push_back(EntryAt(bus[e], e, "bus[" + std::to_string(e) + "]"));
    return entries;
}

std::string BlockList(const std::vector<BlockId>& blocks)
{
    const std::string text = BlocksText(blocks);
    return text.empty() ? "none" : text;
}

// The blocks must be those the kind keeps, each fitting the record it is read into.
std::vector<RawBlock> BlocksAt(const Json& root, const Backup& backup)
{
    const Json& list = Member(root, "blocks", "");
    if (!list.is_array())
        throw Damage("blocks", "expected a list");
    std::vector<RawBlock> blocks;
    std::vector<BlockId> found;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string where = "blocks[" + std::to_string(i) + "]";
        RawBlock raw;
        raw.Block = {static_cast<uint8_t>(WholeAt(list[i], "type", where, 0, 255)),
                     static_cast<uint8_t>(WholeAt(list[i], "index", where, 0, 255))};
        raw.Bytes = BytesAt(list[i], "hex", where);
        found.push_back(raw.Block);
        blocks.push_back(std::move(raw));
    }
    Controller c;
    c.Table.Kind = backup.Kind;
    c.Table.DoorCount = backup.DoorCount;
    c.Table.TrainFlag = backup.TrainFlag;
    std::vector<BlockId> expected;
    for (const BlockRecord& b : KindBlocks(c))
        expected.push_back(b.Block);
    if (found != expected)
        throw Damage("blocks",
                     "its kind keeps " + BlockList(expected) + ", the file holds " + BlockList(found));
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!DecodeBlocks(std::span(blocks).subspan(i, 1), c))
            throw Damage("blocks[" + std::to_string(i) + "].hex",
                         "does not fit block " + BlockList({found[i]}) + " (its head or its length)");
    }
    return blocks;
}

Backup BackupOf(const Json& root)
{
    Backup backup;
    backup.Created = TextAt(root, "created", "");
    const Json& controller = Member(root, "controller", "");
    backup.ControllerId = IdAt(controller, "id", "controller");
    backup.Ip = TextAt(controller, "ip", "controller");
    backup.Mode = TextAt(controller, "mode", "controller");
    backup.Protocol = static_cast<int32_t>(WholeAt(controller, "protocol", "controller", 0, 9));
    backup.Kind = KindAt(root);
    backup.DoorCount =
        static_cast<int32_t>(WholeAt(root, "door_count", "", 1, backup.Kind == KindDoors ? 31 : 1));
    backup.TrainFlag = static_cast<int32_t>(WholeAt(root, "train_flag", "", 0, 15));
    backup.Entries = BusAt(root);
    backup.Blocks = BlocksAt(root, backup);
    return backup;
}

}  // namespace

Backup ParseBackup(std::string_view text, const std::string& source)
{
    const Json root = Json::parse(text, nullptr, false);
    if (root.is_discarded())
        throw std::runtime_error(source + " is not a quorctl backup: no JSON text");
    const auto format = root.is_object() ? root.find("format") : root.end();
    if (!root.is_object() || format == root.end() || *format != BackupFormat)
        throw std::runtime_error(source + " is not a quorctl backup: no \"format\": \"quorctl backup\"");
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer())
        throw std::runtime_error(source + ": a damaged backup: version: expected a whole number");
    if (*version != BackupVersion)
        throw std::runtime_error(source + " is a backup of version " + version->dump() +
                                 "; this quorctl reads version " + std::to_string(BackupVersion));
    try {
        return BackupOf(root);
    } catch (const Damage& e) {
        throw std::runtime_error(source + ": a damaged backup: " + e.what());
    }
}

Backup LoadBackup(const std::string& path)
{
    return ParseBackup(ReadFile(path), path);
}

}  // namespace quor::site
