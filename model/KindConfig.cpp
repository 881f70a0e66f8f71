#include "model/KindConfig.h"

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

bool ReadKindConfig(UdpDev& dev, const BusDevTable& table, DoorCfgSet& doors, OutSetCfg& lift,
                    OutSetCfg& lockers)
{
    switch (table.Kind) {
    case KindDoors:
        return doors.Load(dev);
    case KindLift:
        return lift.Read(dev);
    case KindLockers:
        return lockers.Read(dev);
    default:
        return false;
    }
}

void MarkKindConfig(BusDevTable& table, DoorCfgSet& doors, const OutSetCfg& lift, const OutSetCfg& lockers)
{
    switch (table.Kind) {
    case KindDoors:
        doors.MarkAll();
        break;
    case KindLift:
        lift.MarkTaken(table);
        break;
    case KindLockers:
        lockers.MarkTaken(table);
        break;
    default:
        break;
    }
}

}  // namespace quor
