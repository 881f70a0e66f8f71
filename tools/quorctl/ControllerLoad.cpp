#include "tools/quorctl/ControllerLoad.h"

#include <stdexcept>

#include "model/KindConfig.h"

namespace quor::tools {

void LoadTable(UdpDev& dev, LoadedController& c)
{
    if (!dev.Poll()) {
        throw UErr{&dev, ErrNoAnswer, 0};
    }
    if (DevType(dev.Id) != ControllerType) {
        throw std::runtime_error(DevName(dev.Id) + " is not a controller");
    }
    // Blokada and Konfiguracja keep the bus and door settings to themselves.
    if ((dev.Mode & 3) < 2) {
        throw UErr{&dev, ErrModeRefuses, 0};
    }
    RequireProtocolVersion(dev);
    // The configurator shows nothing for a table it rejects; here that must be said.
    if (!c.Table.Fetch(dev) || c.Table.DoorCount == 0) {
        throw std::runtime_error(DevName(dev.Id) + ": the bus-device table holds no configuration");
    }
}

void LoadConfiguration(UdpDev& dev, LoadedController& c)
{
    LoadTable(dev, c);
    if (!ReadKindConfig(dev, c.Table, c.Doors, c.Lift, c.Lockers)) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
}

}  // namespace quor::tools
