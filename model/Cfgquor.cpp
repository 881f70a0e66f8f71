// Reading, writing and marking a door controller's configuration.
#include "model/Cfgquor.h"

#include <algorithm>

#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

DoorCfg::DoorCfg() : CfgBlock(BlockDoor, 4, 0, 10, 4, 0)
{
}

DoorCfgSet::DoorCfgSet(BusDevTable& table) : Table(&table)
{
}

int DoorCfgSet::DoorsInUse() const
{
    return std::clamp<int32_t>(Table->DoorCount, 0, MaxDoors);
}

std::vector<BlockRecord> DoorCfgSet::Blocks()
{
    std::vector<BlockRecord> blocks;
    if (Table->TrainFlag == 1) {
        blocks.push_back({{BlockCommon, 0}, &Common});
    }
    const auto type = static_cast<uint8_t>(Table->Kind);
    for (int i = 0; i < DoorsInUse(); ++i) {
        blocks.push_back({{type, static_cast<uint8_t>(i)}, &Doors[i]});
    }
    return blocks;
}

bool DoorCfgSet::Load(UdpDev& dev, std::vector<RawBlock>* read)
{
    std::vector<RawBlock> own;
    std::vector<RawBlock>& bytes = read ? *read : own;
    const size_t before = bytes.size();
    const bool fit = ReadBlocks(dev, Blocks(), bytes);
    // The train number is taken as soon as its block fits, whatever the doors give.
    if (bytes.size() > before && bytes[before].Block.Type == BlockCommon) {
        TrainNumber = Get16(Common.Data.data());
    }
    if (!fit) {
        return false;
    }
    MarkAll();
    return true;
}

void DoorCfgSet::Store(UdpDev& dev)
{
    dev.EnsureSession();
    if (Table->TrainFlag == 1) {
        Put16(Common.Data.data(), TrainNumber);
    }
    for (const BlockRecord& b : Blocks()) {
        WriteCfgBlock(dev, b.Block.Type, b.Block.Index, *b.Record);
    }
}

void DoorCfgSet::MarkAll()
{
    for (int i = 0; i < DoorsInUse(); ++i) {
        Doors[i].MarkTaken(*Table);
    }
}

}  // namespace quor
