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

bool DoorCfgSet::Load(UdpDev& dev)
{
    if (!dev.Alive || !ConfigOpen(dev.Mode)) {
        return false;
    }
    dev.EnsureSession();
    if (Table->TrainFlag == 1) {
        if (!ReadCfgBlock(dev, BlockCommon, 0, Common)) {
            return false;
        }
        TrainNumber = Get16(Common.Data.data());
    }
    const auto type = static_cast<uint8_t>(Table->Kind);
    for (int i = 0; i < DoorsInUse(); ++i) {
        if (!ReadCfgBlock(dev, type, static_cast<uint8_t>(i), Doors[i])) {
            return false;
        }
    }
    MarkAll();
    return true;
}

void DoorCfgSet::Store(UdpDev& dev)
{
    dev.EnsureSession();
    if (Table->TrainFlag == 1) {
        Put16(Common.Data.data(), TrainNumber);
        WriteCfgBlock(dev, BlockCommon, 0, Common);
    }
    const auto type = static_cast<uint8_t>(Table->Kind);
    for (int i = 0; i < DoorsInUse(); ++i) {
        WriteCfgBlock(dev, type, static_cast<uint8_t>(i), Doors[i]);
    }
}

void DoorCfgSet::MarkAll()
{
    for (int i = 0; i < DoorsInUse(); ++i) {
        Doors[i].MarkTaken(*Table);
    }
}

}  // namespace quor
