#include "tools/quorsim/Roster.h"

#include <algorithm>
#include <stdexcept>

#include "link/Udpdev.h"

namespace quor::tools {

RosterEntry MakeEntry(sim::EmuDevice& device, std::string ip)
{
    return {&device, DevName(device.Id), std::move(ip)};
}

const RosterEntry& FindDevice(const Roster& roster, std::string_view key)
{
    const auto hit = std::find_if(roster.begin(), roster.end(),
                                  [key](const auto& e) { return e.Name == key || e.Ip == key; });
    if (hit == roster.end())
        throw std::invalid_argument("no device " + std::string(key) + " in the scenario");
    return *hit;
}

void ApplyFaults(const std::vector<FaultOrder>& orders, const Roster& scenario, const Roster& running)
{
    for (const FaultOrder& order : orders) {
        const sim::EmuDevice* target =
            order.Device.empty() ? nullptr : FindDevice(scenario, order.Device).Device;
        for (const RosterEntry& entry : running) {
            if (!target || entry.Device == target)
                ApplyFault(order, *entry.Device);
        }
    }
}

}  // namespace quor::tools
