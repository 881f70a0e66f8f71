// Loading the selected device: its poll, the controller's bus-device table and
// configuration, and the sheet that fits its kind.
#include "model/ControllerLoad.h"
#include "sheets/Sheets.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

ControllerRecords RecordsOf(TMainWin& win)
{
    return {win.BusDevTable, win.DoorCfgSet, win.LiftCfg, win.LockersCfg};
}

}  // namespace

void TMainWin::LoadSelectedDevice(UdpDev& dev)
{
    Guarded([this, &dev] {
        const auto showRow = [this, &dev] {
            const int row = static_cast<int>(&dev - UdpDevSet.Dev.data());
            if (QListWidgetItem* item = EthLstBox->item(row)) {
                item->setText(QString::fromStdString(dev.ListRow()));
            }
        };
        LoadDevice(dev, RecordsOf(*this), {.Answered = showRow});
    });
    Guarded([this, &dev] { UpdateSheets(dev); });
}

bool TMainWin::LoadController(UdpDev& dev)
{
    return quor::LoadController(dev, RecordsOf(*this));
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
