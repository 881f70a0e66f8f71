#include "model/ControllerLoad.h"

#include "link/Udpdev.h"
#include "model/KindConfig.h"

namespace quor {

namespace {

// The protocol version and the bus-device table, the first half of LoadController.
void LoadTable(UdpDev& dev, BusDevTable& table)
{
    RequireProtocolVersion(dev);
    // The result is not looked at: a rejected table leaves no doors, and no sheet shows.
    table.Fetch(dev);
}

bool LoadConfiguration(UdpDev& dev, Controller& c)
{
    return ReadKindConfig(dev, c);
}

}  // namespace

LoadEnd LoadDevice(UdpDev& dev, Controller& c, const LoadSteps& steps)
{
    if (!dev.Poll()) {
        throw UErr{&dev, ErrNoAnswer, 0};
    }
    if (steps.Answered) {
        steps.Answered();
    }
    c.Table.Forget();
    if (DevType(dev.Id) != ControllerType) {
        return LoadEnd::NotController;
    }
    if (!ConfigOpen(dev.Mode)) {
        throw UErr{&dev, ErrModeRefuses, 0};
    }
    LoadTable(dev, c.Table);
    if (steps.NeedDoors && c.Table.DoorCount == 0) {
        return LoadEnd::NoDoors;
    }
    if (steps.TableOnly) {
        return LoadEnd::Table;
    }
    if (!LoadConfiguration(dev, c)) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
    return LoadEnd::Configuration;
}

bool LoadController(UdpDev& dev, Controller& c)
{
    LoadTable(dev, c.Table);
    return LoadConfiguration(dev, c);
}

}  // namespace quor
