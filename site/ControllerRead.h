#pragma once
// Reading a controller the way the configurator reads the one the installer
// selects: poll, the mode and protocol checks, the bus-device table, then the
// configuration of the controller's kind.

#include <vector>

#include "link/Udpdev.h"
#include "model/Controller.h"

namespace quor::site {

// Polls the device and reads its bus-device table. UErr 1 when it does not
// answer, 11 when its mode keeps the table closed, 2 or 3 for a protocol
// version other than 2; std::runtime_error for a device that is no
// controller or a table the configurator cannot take in.
void LoadTable(UdpDev& dev, Controller& controller);

// LoadTable, then the configuration of the table's kind: UErr 8 when it
// cannot be read or does not fit.
void LoadConfiguration(UdpDev& dev, Controller& controller);

// After LoadTable: reads the configuration of the table's kind as
// LoadConfiguration does, keeping every block's bytes. UErr 8 when a block
// does not fit.
std::vector<RawBlock> ReadRawConfiguration(UdpDev& dev, Controller& controller);

}  // namespace quor::site
