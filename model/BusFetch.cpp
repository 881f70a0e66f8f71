// Reading the table from the controller.
#include <algorithm>

#include "link/Udpdev.h"
#include "model/Hardres.h"

namespace quor {

namespace {

std::span<const uint8_t> Received(const BlockArea& area, int length)
{
    return {area.data(), static_cast<size_t>(std::clamp(length, 0, BlockAreaSize))};
}

}  // namespace

bool BusDevTable::Fetch(UdpDev& dev)
{
    BlockArea area;
    // Nothing read (device gone or mode forbids it) counts as a rejected reply.
    return Parse(Received(area, dev.ReadBusTable(area)));
}

bool BusDevTable::FetchIfChanged(UdpDev& dev, bool* read)
{
    BlockArea area;
    int length = 0;
    const bool replied = dev.TryReadBusTable(area, &length);
    if (read != nullptr) {
        *read = replied;
    }
    if (!replied) {
        return false;
    }
    const auto reply = Received(area, length);
    if (!Differs(reply)) {
        return false;
    }
    Parse(reply);
    return true;
}

void BusDevTable::Forget()
{
    DevCount = 0;
    PresentCount = 0;
    DoorCount = 0;
}

}  // namespace quor
