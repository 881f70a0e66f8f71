// Reading, writing and marking a door controller's configuration.
#include "model/Cfgquor.h"

#include <algorithm>

#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

DoorCfg::DoorCfg() : CfgBlock(BlockDoor, 4, 0, 10, 4, 0)
{
}

int DoorsInUse(const BusDevTable& table)
{
    return std::clamp<int32_t>(table.DoorCount, 0, MaxDoors);
}

std::vector<BlockRecord> DoorCfgSet::Blocks(const BusDevTable& table)
{
    std::vector<BlockRecord> blocks;
    if (table.TrainFlag == 1) {
        blocks.push_back({{BlockCommon, 0}, &Common});
    }
    const auto type = static_cast<uint8_t>(table.Kind);
    for (int i = 0; i < DoorsInUse(table); ++i) {
        blocks.push_back({{type, static_cast<uint8_t>(i)}, &Doors[i]});
    }
    return blocks;
}

bool DoorCfgSet::Load(UdpDev& dev, BusDevTable& table, std::vector<RawBlock>* read)
{
    std::vector<RawBlock> own;
    std::vector<RawBlock>& bytes = read ? *read : own;
    const size_t before = bytes.size();
    const bool fit = ReadBlocks(dev, Blocks(table), bytes);
    // The train number is taken as soon as its block fits, whatever the doors give.
    if (bytes.size() > before && bytes[before].Block.Type == BlockCommon) {
        TrainNumber = Get16(Common.Data.data());
    }
    if (!fit) {
        return false;
    }
    MarkAll(table);
    return true;
}

void DoorCfgSet::Store(UdpDev& dev, const BusDevTable& table)
{
    dev.EnsureSession();
    if (table.TrainFlag == 1) {
        Put16(Common.Data.data(), TrainNumber);
    }
    for (const BlockRecord& b : Blocks(table)) {
        WriteCfgBlock(dev, b.Block.Type, b.Block.Index, *b.Record);
    }
}

void DoorCfgSet::MarkAll(BusDevTable& table) const
{
    for (int i = 0; i < DoorsInUse(table); ++i) {
        Doors[i].MarkTaken(table);
    }
}

}  // namespace quor
