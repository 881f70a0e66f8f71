// The lift and lockers records: their shapes, their transport and the lockers' fields.
#include <algorithm>

#include "link/Frame.h"
#include "link/Udpdev.h"
#include "model/Cfgset.h"

namespace quor {

namespace {

OutSetCfg Shaped(uint32_t type, int outputSets, int inputs, int dataLength)
{
    OutSetCfg cfg;
    static_cast<CfgBlock&>(cfg) = CfgBlock(type, 0, outputSets, inputs, 4, dataLength);
    return cfg;
}

// Lockers: Data bytes 4i, 4i + 1 hold the first locker of module i, 4i + 2, 4i + 3 the last.
int LockerOffset(int module, bool last)
{
    return 4 * module + (last ? 2 : 0);
}

bool IsModule(int module)
{
    return module >= 0 && module < LockerModules;
}

}  // namespace

OutSetCfg OutSetCfg::Lift()
{
    return Shaped(BlockLift, 4, 10, 0);
}

OutSetCfg OutSetCfg::Lockers()
{
    return Shaped(BlockLockers, 16, 4, 64);
}

bool OutSetCfg::Read(UdpDev& dev, BusDevTable& table, std::vector<RawBlock>* read)
{
    std::vector<RawBlock> own;
    const BlockRecord block{{static_cast<uint8_t>(BlockType), 0}, this};
    if (!ReadBlocks(dev, std::span(&block, 1), read ? *read : own)) {
        return false;
    }
    MarkTaken(table);
    return true;
}

void OutSetCfg::Write(UdpDev& dev) const
{
    dev.EnsureSession();
    WriteCfgBlock(dev, static_cast<uint8_t>(BlockType), 0, *this);
}

uint16_t OutSetCfg::LockerFirst(int module) const
{
    return IsModule(module) ? Get16(&Data[LockerOffset(module, false)]) : NoLocker;
}

uint16_t OutSetCfg::LockerLast(int module) const
{
    return IsModule(module) ? Get16(&Data[LockerOffset(module, true)]) : NoLocker;
}

void OutSetCfg::SetLockerFirst(int module, uint16_t number)
{
    if (IsModule(module)) {
        Put16(&Data[LockerOffset(module, false)], number);
    }
}

void OutSetCfg::SetLockerLast(int module, uint16_t number)
{
    if (IsModule(module)) {
        Put16(&Data[LockerOffset(module, true)], number);
    }
}

uint16_t OutSetCfg::TestStart() const
{
    return Get16(&Params[ParTestStart]);
}

void OutSetCfg::SetTestStart(uint16_t number)
{
    Put16(&Params[ParTestStart], number);
}

std::string OutSetCfg::RoomName() const
{
    const auto field = Params.begin() + ParRoomName;
    return std::string(field, std::find(field, field + RoomNameMax + 1, 0));
}

void OutSetCfg::SetRoomName(std::string_view cp1250)
{
    const auto field = Params.begin() + ParRoomName;
    std::fill_n(field, RoomNameMax + 1, 0);
    std::copy_n(cp1250.begin(), std::min<size_t>(cp1250.size(), RoomNameMax), field);
}

}  // namespace quor
