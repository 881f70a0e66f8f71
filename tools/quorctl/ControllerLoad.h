#pragma once
// Reading a controller the way the configurator reads the one the installer
// selects: poll, the mode and protocol checks, the bus-device table, then the
// configuration of the controller's kind.

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"

namespace quor::tools {

// A controller's table and the configuration records that refer to it.
struct LoadedController {
    LoadedController() = default;
    LoadedController(const LoadedController&) = delete;
    LoadedController& operator=(const LoadedController&) = delete;

    BusDevTable Table;
    DoorCfgSet Doors{Table};
    OutSetCfg Lift = OutSetCfg::Lift(Table);
    OutSetCfg Lockers = OutSetCfg::Lockers(Table);
};

// Polls the device and reads its bus-device table. UErr 1 when it does not
// answer, 11 when its mode keeps the table closed, 2 or 3 for a protocol
// version other than 2; std::runtime_error for a device that is no
// controller or a table the configurator cannot take in.
void LoadTable(UdpDev& dev, LoadedController& controller);

// LoadTable, then the configuration of the table's kind: UErr 8 when it
// cannot be read or does not fit.
void LoadConfiguration(UdpDev& dev, LoadedController& controller);

}  // namespace quor::tools
