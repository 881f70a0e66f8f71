#pragma once
// Loading a controller: the one order of steps and error codes that the
// window runs when the installer selects a device, and quorctl for every
// command that reads a controller.

#include <functional>

#include "model/Controller.h"

namespace quor {

class UdpDev;

// How far loading the selected device goes.
struct LoadSteps {
    // Runs once the device has answered its poll (the window shows its fresh row).
    std::function<void()> Answered = nullptr;
    // Read the bus-device table only.
    bool TableOnly = false;
    // A table without doors ends the loading before the configuration is read.
    bool NeedDoors = false;
};

enum class LoadEnd {
    NotController,  // the device answered; the table held is forgotten, nothing is read
    NoDoors,        // the table read has no doors (NeedDoors)
    Table,          // the table is read (TableOnly)
    Configuration,  // the table and the configuration of its kind are read
};

// Loads the selected device: its poll (UErr 1 when it does not answer), then
// forgets the table held; for a controller, its mode (UErr 11 in Blokada and
// Konfiguracja), then LoadController (UErr 8 when that gives false). Errors of
// the reads pass through; what was read before them stays.
LoadEnd LoadDevice(UdpDev& dev, Controller& c, const LoadSteps& steps = {});

// Reads controller dev again: its protocol version (UErr 2 or 3), the
// bus-device table, whatever its result, and the configuration of the
// table's kind; false when that cannot be read or does not fit.
bool LoadController(UdpDev& dev, Controller& c);

}  // namespace quor
