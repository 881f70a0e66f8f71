#pragma once
// Fault switches given on quorsim's command line, in the form
//   KIND[:CMD[:COUNT]][@DEVICE]   spoil COUNT replies (default 1, * until stop)
//                                 to command letter CMD (default *, any command)
//   flood:MS[@DEVICE]             one unprompted datagram every MS milliseconds
// KIND is drop, crc, sig, echo, ack, long or late (the reply sent 350 ms
// after the request); DEVICE a device name or address
// (default: every device the process runs).

#include <optional>
#include <string>
#include <string_view>

#include "sim/EmuDevice.h"

namespace quor::tools {

struct FaultOrder {
    std::string Device;              // empty: every device of the process
    std::optional<sim::Fault> Kind;  // nullopt: a flood
    uint8_t Cmd = 0;                 // 0: any command
    int Count = 1;                   // -1: until the process stops
    int FloodMs = 0;
};

// Throws std::invalid_argument naming what is wrong.
FaultOrder ParseFaultOrder(std::string_view text);

void ApplyFault(const FaultOrder& order, sim::EmuDevice& device);

}  // namespace quor::tools
