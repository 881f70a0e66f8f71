#pragma once
// A controller's records: its bus-device table and the configuration of each
// kind. A plain value: a copy holds its own table, with the taken masks of
// its own configuration.

#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"

namespace quor {

struct Controller {
    BusDevTable Table;
    DoorCfgSet Doors;
    OutSetCfg Lift = OutSetCfg::Lift();
    OutSetCfg Lockers = OutSetCfg::Lockers();
};

}  // namespace quor
