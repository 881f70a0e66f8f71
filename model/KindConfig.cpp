#include "model/KindConfig.h"

#include <utility>

#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

void RequireProtocolVersion(UdpDev& dev)
{
    if (dev.Version < ProtocolVersion) {
        throw UErr{&dev, ErrOldProtocol, 0};
    }
    if (dev.Version > ProtocolVersion) {
        throw UErr{&dev, ErrUnknownProtocol, 0};
    }
}

std::vector<BlockRecord> KindBlocks(Controller& c)
{
    switch (c.Table.Kind) {
    case KindDoors:
        return c.Doors.Blocks(c.Table);
    case KindLift:
        return {{{BlockLift, 0}, &c.Lift}};
    case KindLockers:
        return {{{BlockLockers, 0}, &c.Lockers}};
    default:
        return {};
    }
}

const CfgBlock* RecordOf(const Controller& c, BlockId block)
{
    switch (block.Type) {
    case BlockCommon:
        return block.Index == 0 ? &c.Doors.Common : nullptr;
    case BlockDoor:
        return block.Index < MaxDoors ? &c.Doors.Doors[block.Index] : nullptr;
    case BlockLift:
        return block.Index == 0 ? &c.Lift : nullptr;
    case BlockLockers:
        return block.Index == 0 ? &c.Lockers : nullptr;
    default:
        return nullptr;
    }
}

CfgBlock* RecordOf(Controller& c, BlockId block)
{
    return const_cast<CfgBlock*>(RecordOf(std::as_const(c), block));
}

std::optional<std::vector<RawBlock>> ReadKindBlocks(UdpDev& dev, Controller& c)
{
    std::vector<RawBlock> read;
    bool fit = false;
    switch (c.Table.Kind) {
    case KindDoors:
        fit = c.Doors.Load(dev, c.Table, &read);
        break;
    case KindLift:
        fit = c.Lift.Read(dev, c.Table, &read);
        break;
    case KindLockers:
        fit = c.Lockers.Read(dev, c.Table, &read);
        break;
    default:
        break;
    }
    if (!fit) {
        return std::nullopt;
    }
    return read;
}

bool ReadKindConfig(UdpDev& dev, Controller& c)
{
    return ReadKindBlocks(dev, c).has_value();
}

bool WriteKindConfig(UdpDev& dev, Controller& c)
{
    switch (c.Table.Kind) {
    case KindDoors:
        c.Doors.Store(dev, c.Table);
        return true;
    case KindLift:
        c.Lift.Write(dev);
        return true;
    case KindLockers:
        c.Lockers.Write(dev);
        return true;
    default:
        return false;
    }
}

bool DecodeBlocks(std::span<const RawBlock> blocks, Controller& c)
{
    for (const RawBlock& raw : blocks) {
        CfgBlock* record = RecordOf(c, raw.Block);
        if (!record || raw.Bytes.empty() || record->Decode(raw.Bytes) != static_cast<int>(raw.Bytes.size())) {
            return false;
        }
        if (raw.Block.Type == BlockCommon) {
            c.Doors.TrainNumber = Get16(c.Doors.Common.Data.data());
        }
    }
    MarkKindConfig(c);
    return true;
}

void MarkKindConfig(Controller& c)
{
    switch (c.Table.Kind) {
    case KindDoors:
        c.Doors.MarkAll(c.Table);
        break;
    case KindLift:
        c.Lift.MarkTaken(c.Table);
        break;
    case KindLockers:
        c.Lockers.MarkTaken(c.Table);
        break;
    default:
        break;
    }
}

std::vector<CfgBlock> KindRecords(Controller& c)
{
    std::vector<CfgBlock> records;
    for (const BlockRecord& b : KindBlocks(c)) {
        records.push_back(*b.Record);
        if (b.Block.Type == BlockCommon) {
            Put16(records.back().Data.data(), c.Doors.TrainNumber);
        }
    }
    return records;
}

void RestoreKindRecords(Controller& c, const std::vector<CfgBlock>& records)
{
    const std::vector<BlockRecord> blocks = KindBlocks(c);
    for (size_t i = 0; i < blocks.size() && i < records.size(); ++i) {
        *blocks[i].Record = records[i];
        if (blocks[i].Block.Type == BlockCommon) {
            c.Doors.TrainNumber = Get16(records[i].Data.data());
        }
    }
    RemarkKindConfig(c);
}

void RemarkKindConfig(Controller& c)
{
    for (BusDev& dev : c.Table.Dev) {
        dev.Taken = {};
    }
    MarkKindConfig(c);
}

}  // namespace quor
