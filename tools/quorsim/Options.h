#pragma once
// quorsim's command line.

#include <cstdint>
#include <string>
#include <vector>

#include "link/Endpoint.h"
#include "tools/quorsim/FaultOrder.h"

namespace quor::tools {

struct QuorsimOptions {
    std::string ScenarioPath;
    std::string Device;  // a device name or address: run that device alone; empty: every device
    std::string BindIp;  // with Device: the socket's address; empty: 0.0.0.0
    uint16_t Port = QuorPort;
    std::string LogPath;
    std::vector<FaultOrder> Faults;
    bool List = false;
    bool Help = false;
    bool Version = false;
};

// What --help and --version print.
std::string QuorsimHelp();
std::string QuorsimVersion();

// Throws std::invalid_argument naming what is wrong.
QuorsimOptions ParseOptions(const std::vector<std::string>& args);

}  // namespace quor::tools
