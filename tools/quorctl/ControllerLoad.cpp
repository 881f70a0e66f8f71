#include "tools/quorctl/ControllerLoad.h"

#include <stdexcept>

#include "model/ControllerLoad.h"

namespace quor::tools {

namespace {

// The window shows nothing for a device it cannot configure; here that must be said.
void Load(UdpDev& dev, LoadedController& c, bool tableOnly)
{
    const ControllerRecords records{c.Table, c.Doors, c.Lift, c.Lockers};
    switch (LoadDevice(dev, records, {.TableOnly = tableOnly, .NeedDoors = true})) {
    case LoadEnd::NotController:
        throw std::runtime_error(DevName(dev.Id) + " is not a controller");
    case LoadEnd::NoDoors:
        throw std::runtime_error(DevName(dev.Id) + ": the bus-device table holds no configuration");
    case LoadEnd::Table:
    case LoadEnd::Configuration:
        break;
    }
}

}  // namespace

void LoadTable(UdpDev& dev, LoadedController& c)
{
    Load(dev, c, true);
}

void LoadConfiguration(UdpDev& dev, LoadedController& c)
{
    Load(dev, c, false);
}

}  // namespace quor::tools
