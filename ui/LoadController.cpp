// Loading the selected device: its poll, the controller's bus-device table and
// configuration, and the sheet that fits its kind.
#include <QScopeGuard>

#include "model/ControllerLoad.h"
#include "sheets/Sheets.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"

namespace quor {

void TMainWin::LoadSelectedDevice(UdpDev& dev)
{
    ConfigHeld = false;
    Guarded([this, &dev] {
        const auto showRow = [this, &dev] {
            const int row = static_cast<int>(&dev - UdpDevSet.Dev.data());
            if (QListWidgetItem* item = EthLstBox->item(row)) {
                item->setText(QString::fromStdString(dev.ListRow()));
            }
        };
        ConfigHeld = LoadDevice(dev, Records, {.Answered = showRow}) == LoadEnd::Configuration;
    });
    Guarded([this, &dev] { UpdateSheets(dev); });
}

// The sheet shown goes when the configuration is not read in full: what it
// would show, and its write button send, is partly another controller's.
bool TMainWin::LoadController(UdpDev& dev)
{
    ConfigHeld = false;
    const auto hideSheets = qScopeGuard([this] {
        if (!ConfigHeld) {
            ShowSheets(0);
        }
    });
    ConfigHeld = quor::LoadController(dev, Records);
    return ConfigHeld;
}

// A table with doors is listed in the bus-device pane even when the
// configuration could not be read, so that its devices can still be seen and
// maintained; the sheet shows only a configuration read in full.
void TMainWin::UpdateSheets(UdpDev& dev)
{
    const int kindSheets = SheetBitsFor(dev, BusDevTable);
    const int sheets = ConfigHeld ? kindSheets : 0;
    if (sheets == SheetDoorBit) {
        PrepareDoorSheet();
    }
    ShowSheets(sheets);
    if (kindSheets != 0) {
        RefreshDevList();
    }
}

}  // namespace quor
