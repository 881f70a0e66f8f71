#include "tools/quorctl/RawBlocks.h"

#include <algorithm>
#include <utility>

#include "link/Frame.h"
#include "model/Cfgquor.h"
#include "model/KindConfig.h"

namespace quor::tools {

std::vector<BlockId> KindBlocks(const BusDevTable& table)
{
    std::vector<BlockId> blocks;
    switch (table.Kind) {
    case KindDoors:
        if (table.TrainFlag == 1)
            blocks.push_back({BlockCommon, 0});
        for (int door = 0; door < std::clamp(table.DoorCount, 0, MaxDoors); ++door)
            blocks.push_back({BlockDoor, static_cast<uint8_t>(door)});
        break;
    case KindLift:
        blocks.push_back({BlockLift, 0});
        break;
    case KindLockers:
        blocks.push_back({BlockLockers, 0});
        break;
    default:
        break;
    }
    return blocks;
}

const CfgBlock* RecordOf(const LoadedController& c, BlockId block)
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

CfgBlock* RecordOf(LoadedController& c, BlockId block)
{
    return const_cast<CfgBlock*>(RecordOf(std::as_const(c), block));
}

bool DecodeBlocks(std::span<const RawBlock> blocks, LoadedController& c)
{
    for (const RawBlock& raw : blocks) {
        CfgBlock* record = RecordOf(c, raw.Block);
        if (!record || raw.Bytes.empty() || record->Decode(raw.Bytes) != static_cast<int>(raw.Bytes.size()))
            return false;
        if (raw.Block.Type == BlockCommon)
            c.Doors.TrainNumber = Get16(c.Doors.Common.Data.data());
    }
    MarkKindConfig(c.Table, c.Doors, c.Lift, c.Lockers);
    return true;
}

std::vector<RawBlock> ReadKindBlocks(UdpDev& dev, LoadedController& c)
{
    dev.EnsureSession();
    std::vector<RawBlock> blocks;
    for (BlockId block : KindBlocks(c.Table)) {
        BlockArea area;
        const int len = std::clamp(dev.ReadBlock(block.Type, block.Index, area), 0, BlockAreaSize);
        blocks.push_back({block, {area.begin(), area.begin() + len}});
        // As the configurator's read: a block that does not fit ends the read at once.
        if (!DecodeBlocks(std::span(blocks).last(1), c))
            throw UErr{&dev, ErrConfigRead, 0};
    }
    return blocks;
}

void WriteRawBlocks(UdpDev& dev, std::span<const RawBlock> blocks,
                    const std::function<void(const RawBlock&)>& written)
{
    dev.EnsureSession();
    for (const RawBlock& raw : blocks) {
        const auto body = std::span(raw.Bytes).subspan(std::min<size_t>(BlockHeadLen, raw.Bytes.size()));
        dev.WriteBlock(raw.Block.Type, raw.Block.Index, body);
        written(raw);
    }
}

std::vector<RefSlot> RefSlotsOf(const CfgBlock& shape)
{
    std::vector<RefSlot> slots;
    size_t offset = BlockHeadLen;
    const auto group = [&](SlotGroup g, int count, size_t capacity) {
        for (int slot = 0; slot < std::clamp<int>(count, 0, static_cast<int>(capacity)); ++slot) {
            slots.push_back({g, slot, offset});
            offset += 2;
        }
    };
    group(SlotGroup::Outputs, shape.OutputCount, shape.Outputs.size());
    group(SlotGroup::OutputSets, shape.OutputSetCount, shape.OutputSets.size());
    group(SlotGroup::Inputs, shape.InputCount, shape.Inputs.size());
    group(SlotGroup::Readers, shape.ReaderCount, shape.Readers.size());
    return slots;
}

size_t ParamsOffset(const CfgBlock& shape)
{
    return BlockHeadLen + 2 * RefSlotsOf(shape).size();
}

}  // namespace quor::tools
