#pragma once
// A controller's records: its bus-device table and the configuration of each
// kind, which refer to that table.

#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"

namespace quor {

// The configurations hold a pointer to Table, so a copy or a move would leave
// them maintaining the masks of another object's table: neither is allowed.
struct Controller {
    Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    BusDevTable Table;
    DoorCfgSet Doors{Table};
    OutSetCfg Lift = OutSetCfg::Lift(Table);
    OutSetCfg Lockers = OutSetCfg::Lockers(Table);
};

}  // namespace quor
