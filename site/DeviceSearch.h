#pragma once
// Finding the device a command names: by its device name or its address.

#include <string_view>

#include "link/Udpdev.h"

namespace quor::site {

// The device found whose name (K01_12345) or dotted address is key; nullptr when none is.
UdpDev* FindFound(UdpDevSet& devices, std::string_view key);

// The device found with this identity; nullptr when none is. A search that
// learns a new device moves the records after it, so what must name one
// device across searches keeps its identity, not its address in the table.
UdpDev* FindById(UdpDevSet& devices, uint32_t id);

// Searches the LAN, then finds the device. Throws std::runtime_error when no
// device that answered carries that name or address.
UdpDev& SearchFor(UdpDevSet& devices, std::string_view key);

}  // namespace quor::site
