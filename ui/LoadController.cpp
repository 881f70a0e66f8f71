// Loading the selected device: its poll, the controller's bus-device table and
// configuration, and the sheet that fits its kind.
#include "model/KindConfig.h"
#include "sheets/Sheets.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"

namespace quor {

void TMainWin::LoadSelectedDevice(UdpDev& dev)
{
    Guarded([this, &dev] {
        if (!dev.Poll()) {
            throw UErr{&dev, ErrNoAnswer, 0};
        }
        const int row = static_cast<int>(&dev - UdpDevSet.Dev.data());
        if (QListWidgetItem* item = EthLstBox->item(row)) {
            item->setText(QString::fromStdString(dev.ListRow()));
        }
        BusDevTable.DevCount = 0;
        BusDevTable.PresentCount = 0;
        BusDevTable.DoorCount = 0;
        if (DevType(dev.Id) != ControllerType) {
            return;
        }
        // Blokada and Konfiguracja keep the bus and door settings to themselves.
        if ((dev.Mode & 3) < 2) {
            throw UErr{&dev, ErrModeRefuses, 0};
        }
        if (!LoadController(dev)) {
            throw UErr{&dev, ErrConfigRead, 0};
        }
    });
    Guarded([this, &dev] { UpdateSheets(dev); });
}

bool TMainWin::LoadController(UdpDev& dev)
{
    RequireProtocolVersion(dev);
    // The result is not looked at: a rejected table leaves no doors, so no sheet shows.
    BusDevTable.Fetch(dev);
    return ReadKindConfig(dev, BusDevTable, DoorCfgSet, LiftCfg, LockersCfg);
}

void TMainWin::UpdateSheets(UdpDev& dev)
{
    const int sheets = SheetBitsFor(dev, BusDevTable);
    if (sheets == SheetDoorBit) {
        PrepareDoorSheet();
    }
    ShowSheets(sheets);
    if (sheets != 0) {
        RefreshDevList();
    }
}

}  // namespace quor
