#pragma once
// The devices of a scenario as quorsim names them: by device name or address.

#include <string>
#include <string_view>
#include <vector>

#include "sim/EmuDevice.h"
#include "tools/quorsim/FaultOrder.h"

namespace quor::tools {

struct RosterEntry {
    sim::EmuDevice* Device;
    std::string Name;
    std::string Ip;
};

using Roster = std::vector<RosterEntry>;

RosterEntry MakeEntry(sim::EmuDevice& device, std::string ip);

// The entry whose name or address is `key`; throws std::invalid_argument when none is.
const RosterEntry& FindDevice(const Roster& roster, std::string_view key);

// Applies each order to the running devices it names (all of them without a
// device); an order for a device of the scenario that this process does not
// run is passed over, one for a device the scenario lacks throws.
void ApplyFaults(const std::vector<FaultOrder>& orders, const Roster& scenario, const Roster& running);

}  // namespace quor::tools
