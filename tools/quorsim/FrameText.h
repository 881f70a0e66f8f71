#pragma once
// One datagram as a line of quorsim's log:
//   CMD IDENTITY plain len=N crc=ok|bad
//   CMD IDENTITY signed ctr=N len=N sig=ok|bad|nokey [block=TYPE.INDEX]
//   CMD IDENTITY short bytes=N     (a tagged frame too short for its layout)
//   - - junk bytes=N               (not a frame of this protocol)
// CMD is the command letter (hex as xNN when not printable; a trailing * marks
// the echo bit of a signed reply), IDENTITY the device name of a scenario
// device, "all" for the search address, else the identity in hex. len is the
// payload length. A signature is checked with the session key of the device
// whose identity the frame carries; nokey when that device holds none. A
// request to read (C) or write (c) a configuration block names the block.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/EmuDevice.h"

namespace quor::tools {

// The devices of the scenario, for their names and session keys.
class DeviceBook {
public:
    void Add(const sim::EmuDevice& device) { Devices.push_back(&device); }
    const sim::EmuDevice* Find(uint32_t id) const;

private:
    std::vector<const sim::EmuDevice*> Devices;
};

std::string DescribeDatagram(std::span<const uint8_t> data, const DeviceBook& book);

}  // namespace quor::tools
