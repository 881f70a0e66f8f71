#pragma once
// A controller of a scenario, by its device name.
#include <stdexcept>
#include <string>

#include "link/DevId.h"
#include "sim/Scenario.h"

namespace quor::test {

inline sim::EmuController& EmuNamed(sim::Scenario& scenario, const std::string& name)
{
    for (auto& device : scenario.Devices) {
        if (DevName(device->Id) == name)
            return dynamic_cast<sim::EmuController&>(*device);
    }
    throw std::runtime_error("no " + name + " in the scenario");
}

}  // namespace quor::test
