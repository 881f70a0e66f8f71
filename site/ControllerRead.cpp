#include "site/ControllerRead.h"

#include <stdexcept>

#include "model/ControllerLoad.h"
#include "model/KindConfig.h"

namespace quor::site {

namespace {

// The window shows nothing for a device it cannot configure; here that must be said.
void Load(UdpDev& dev, Controller& c, bool tableOnly)
{
    switch (LoadDevice(dev, c, {.TableOnly = tableOnly, .NeedDoors = true})) {
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

void LoadTable(UdpDev& dev, Controller& c)
{
    Load(dev, c, true);
}

void LoadConfiguration(UdpDev& dev, Controller& c)
{
    Load(dev, c, false);
}

std::vector<RawBlock> ReadRawConfiguration(UdpDev& dev, Controller& c)
{
    std::optional<std::vector<RawBlock>> blocks = ReadKindBlocks(dev, c);
    if (!blocks)
        throw UErr{&dev, ErrConfigRead, 0};
    return std::move(*blocks);
}

}  // namespace quor::site
