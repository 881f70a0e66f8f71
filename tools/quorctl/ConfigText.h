#pragma once
// A controller's configuration as the sheet of its kind shows it: every slot
// under its label with the resource the selector shows, the ticked NC and
// exit boxes, and the other fields in the sheet's words. UTF-8 text, one item
// a line.

#include <string>

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Controller.h"

namespace quor::tools {

// The device's Ethernet list row, then the sheet of the table's kind.
std::string ConfigText(const UdpDev& dev, const Controller& controller);

// "Przejścia": the train number when the controller keeps it, then each door in use.
std::string DoorSheetText(const DoorCfgSet& cfg);
// "Winda".
std::string LiftSheetText(const OutSetCfg& cfg);
// "Szafki".
std::string LockersSheetText(const OutSetCfg& cfg);

}  // namespace quor::tools
