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

bool LoadConfiguration(UdpDev& dev, const ControllerRecords& r)
{
    return ReadKindConfig(dev, r.Table, r.Doors, r.Lift, r.Lockers);
}

}  // namespace

LoadEnd LoadDevice(UdpDev& dev, const ControllerRecords& records, const LoadSteps& steps)
{
    if (!dev.Poll()) {
        throw UErr{&dev, ErrNoAnswer, 0};
    }
    if (steps.Answered) {
        steps.Answered();
    }
    records.Table.Forget();
    if (DevType(dev.Id) != ControllerType) {
        return LoadEnd::NotController;
    }
    if (!ConfigOpen(dev.Mode)) {
        throw UErr{&dev, ErrModeRefuses, 0};
    }
    LoadTable(dev, records.Table);
    if (steps.NeedDoors && records.Table.DoorCount == 0) {
        return LoadEnd::NoDoors;
    }
    if (steps.TableOnly) {
        return LoadEnd::Table;
    }
    if (!LoadConfiguration(dev, records)) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
    return LoadEnd::Configuration;
}

bool LoadController(UdpDev& dev, const ControllerRecords& records)
{
    LoadTable(dev, records.Table);
    return LoadConfiguration(dev, records);
}

}  // namespace quor
