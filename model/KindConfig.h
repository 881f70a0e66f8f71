#pragma once
// Reading a controller's configuration after its bus-device table: the steps
// shared by the window and the command-line tool.

#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"

namespace quor {

class UdpDev;

// UErr 2 or 3 when the device speaks another protocol version than ours.
void RequireProtocolVersion(UdpDev& dev);

// Reads the configuration of the table's kind into the record of that kind;
// false when it cannot be read or does not fit. UErr passes through.
bool ReadKindConfig(UdpDev& dev, const BusDevTable& table, DoorCfgSet& doors, OutSetCfg& lift,
                    OutSetCfg& lockers);

// What a held configuration is cut to: its blocks' type and count, and
// whether the common block carries a train number.
struct KindShape {
    int32_t Kind = 0;
    int32_t DoorCount = 0;
    int32_t TrainFlag = 0;

    bool operator==(const KindShape&) const = default;
};

inline KindShape ShapeOf(const BusDevTable& table)
{
    return {table.Kind, table.DoorCount, table.TrainFlag};
}

// Marks in a freshly read table the resources that the held configuration of
// the table's kind uses, so that edits not yet written keep their resources.
void MarkKindConfig(BusDevTable& table, DoorCfgSet& doors, const OutSetCfg& lift, const OutSetCfg& lockers);

}  // namespace quor
