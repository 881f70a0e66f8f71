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

// Marks in a freshly read table the resources that the held configuration of
// the table's kind uses, so that edits not yet written keep their resources.
void MarkKindConfig(BusDevTable& table, DoorCfgSet& doors, const OutSetCfg& lift, const OutSetCfg& lockers);

}  // namespace quor
