#pragma once
// Scenario files: the devices on an emulated LAN, written as readable JSON
// (see sim/scenarios/README.md for the format).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"

namespace quor::sim {

struct Scenario {
    std::vector<std::unique_ptr<EmuDevice>> Devices;  // controllers are EmuController
    std::vector<std::string> Ips;                     // Ips[i] is the address of Devices[i]
};

// Throws std::runtime_error naming the file and the place of the fault.
Scenario LoadScenario(const std::string& path);
// The same from JSON text; `source` names it in error messages.
Scenario ParseScenario(std::string_view json, const std::string& source);
void AttachAll(Scenario& scenario, VirtualLan& lan);

}  // namespace quor::sim
