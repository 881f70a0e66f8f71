#pragma once
// A controller's configuration as the sheet of its kind shows it: every slot
// under its label with the resource the selector shows, the ticked NC and
// exit boxes, and the other fields in the sheet's words. UTF-8 text, one item
// a line, rendered from the same fields as the JSON and CSV listings.

#include <string>

#include "link/Udpdev.h"
#include "model/Controller.h"

namespace quor::tools {

// The device's Ethernet list row, then the sheet of the table's kind:
// "Przejścia" (the train number when the controller keeps it, then each door
// in use), "Winda" or "Szafki".
std::string ConfigText(const UdpDev& dev, const Controller& controller);

}  // namespace quor::tools
