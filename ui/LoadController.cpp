// Loading the selected device: its poll, the controller's bus-device table and
// configuration, and the sheet that fits its kind.
#include <QScopeGuard>

#include "model/ControllerLoad.h"
#include "sheets/Sheets.h"
#include "ui/WBMain.h"

namespace quor {

// Until the new device's table is read, the pane lists another controller's
// devices (or none of this one's), and its commands would reach the wrong one.
// The installer's own selection: whatever was held or parked is dropped (they
// were asked), and the pair list starts again from its first pair.
void TMainWin::LoadSelectedDevice(UdpDev& dev)
{
    HoldConfig(false);
    Parked.reset();
    ReplChoice = {};
    TableFresh = false;
    StaleDevPane();
    Guarded([this, &dev] {
        bool answered = false;
        const auto showRow = [this, &dev, &answered] {
            answered = true;
            RefreshEthRow(dev);
        };
        // Settled before an error box opens: ticks run inside it. The table is
        // forgotten once the device answers, so doors now mean a table of its own.
        // A device that did not answer shows so in its row at once.
        const auto settle = qScopeGuard([this, &dev, &answered] {
            TableFresh = answered && BusDevTable.DoorCount != 0;
            if (!answered) {
                RefreshEthRow(dev);
            }
        });
        HoldConfig(LoadDevice(dev, Records, {.Answered = showRow}) == LoadEnd::Configuration);
    });
    Guarded([this, &dev] { UpdateSheets(dev); });
}

// The sheet shown goes when the configuration is not read in full: what it
// would show, and its write button send, is partly another controller's. The
// table is forgotten first, so that one left behind by a failed read is never
// taken for the controller's current one.
bool TMainWin::LoadController(UdpDev& dev)
{
    HoldConfig(false);
    TableFresh = false;
    StaleDevPane();
    BusDevTable.Forget();
    const auto settle = qScopeGuard([this] {
        TableFresh = BusDevTable.DoorCount != 0;
        if (!ConfigHeld) {
            ShowSheets(0);
        }
    });
    HoldConfig(quor::LoadController(dev, Records));
    return ConfigHeld;
}

// A table with doors is listed in the bus-device pane even when the
// configuration could not be read, so that its devices can still be seen and
// maintained; the sheet shows only a configuration read in full. A table not
// read from this device (it did not answer) is not listed under its name.
void TMainWin::UpdateSheets(UdpDev& dev)
{
    const int kindSheets = SheetBitsFor(dev, BusDevTable);
    const int sheets = ConfigHeld ? kindSheets : 0;
    if (sheets == SheetDoorBit) {
        PrepareDoorSheet();
    }
    ShowSheets(sheets);
    if (kindSheets != 0 && TableFresh) {
        RefreshDevList();
    }
}

}  // namespace quor
