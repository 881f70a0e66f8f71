// The periodic timer: late search answers, the selected device's state and
// bus, and the sessions of every device found.
#include <exception>
#include <optional>

#include <QScopeGuard>
#include <QTimer>

#include "link/DevMode.h"
#include "model/KindConfig.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// Every device gets a keep-alive once in this many ticks, so that no tick
// handles more than 7 of the 100 devices the table can hold.
constexpr int KeepAliveSlots = 15;

}  // namespace

void TMainWin::ConnectTimer()
{
    connect(UDPTimer, &QTimer::timeout, this, &TMainWin::UDPTimerTimer);
}

// A protocol error is shown on every tick it occurs on; any other error (the
// socket's, say) only once until a tick runs through, as it would otherwise
// come back every second.
void TMainWin::UDPTimerTimer()
{
    if (TickErrorOpen) {
        return;
    }
    std::optional<QString> error;
    try {
        if (RunTick()) {
            ReportErrors = true;
        }
    } catch (const UErr& e) {
        error = QString::fromStdString(e.Text());
    } catch (const std::exception& e) {
        if (ReportErrors) {
            ReportErrors = false;
            error = QString::fromUtf8(e.what());
        }
    }
    if (error) {
        ShowTickError(*error);
    }
}

bool TMainWin::RunTick()
{
    CollectLateAnswers();
    if (UdpDevSet.Count == 0) {
        return false;
    }
    FollowSelectedDevice();
    KeepSessionsAlive();
    return true;
}

void TMainWin::CollectLateAnswers()
{
    if (UdpDevSet.CollectReplies(0)) {
        RefreshEthList();
    }
}

UdpDev* TMainWin::SelectedDevice()
{
    const int s = UdpDevSet.Selected;
    return s >= 0 && s < UdpDevSet.Count ? &UdpDevSet.Dev[s] : nullptr;
}

// A change on the bus keeps the configuration held, edits included: only its
// resources are marked again in the new table. A table without doors leaves
// nothing to keep, so the controller is read afresh.
void TMainWin::FollowSelectedDevice()
{
    UdpDev* dev = SelectedDevice();
    if (dev == nullptr) {
        return;
    }
    const bool answered = dev->Poll();
    if (dev->Changed) {
        RefreshEthList();
    }
    if (!answered || DevType(dev->Id) != ControllerType) {
        return;
    }
    if (!ConfigOpen(dev->Mode)) {
        DropClosedController();
        return;
    }
    const KindShape held = ShapeOf(BusDevTable);
    bool read = false;
    const bool changed = BusDevTable.FetchIfChanged(*dev, &read);
    if (!read) {
        return;
    }
    // The same table as held, once it is this controller's, is what a pane
    // left stale (by a failed reload, say) waits for.
    TableFresh = BusDevTable.DoorCount != 0;
    if (!changed) {
        if (TableFresh && !DevPaneCurrent) {
            RefreshDevList();
        }
        return;
    }
    if (BusDevTable.DoorCount == 0) {
        LoadController(*dev);
        UpdateSheets(*dev);
    } else if (ConfigHeld && ShapeOf(BusDevTable) != held) {
        ReloadChangedShape(*dev);
    } else {
        MarkKindConfig(BusDevTable, DoorCfgSet, LiftCfg, LockersCfg);
        RefreshDevList();
    }
}

// Blocks of another type or count than the controller now has would be
// written over whatever its new configuration holds, so the configuration is
// read again as selecting the controller would; unwritten edits cannot be
// kept in a shape that no longer exists.
void TMainWin::ReloadChangedShape(UdpDev& dev)
{
    const bool read = LoadController(dev);
    UpdateSheets(dev);
    if (!read) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
}

// In Blokada and Konfiguracja the controller refuses its configuration, as
// loading it in that mode would find: the sheet goes instead of waiting for
// a write to fail, and the pane no longer stands for a table that can be
// maintained. Once the mode allows it again, the table is read and listed;
// the sheet returns when the controller is selected again.
void TMainWin::DropClosedController()
{
    if (!TableFresh && !ConfigHeld && !DevPaneCurrent) {
        return;
    }
    BusDevTable.Forget();
    TableFresh = false;
    ConfigHeld = false;
    ShowSheets(0);
    StaleDevPane();
}

void TMainWin::KeepSessionsAlive()
{
    const int slot = KeepAliveSlot;
    KeepAliveSlot = (slot + 1) % KeepAliveSlots;
    for (int i = slot; i < UdpDevSet.Count; i += KeepAliveSlots) {
        UdpDevSet.Dev[i].KeepAlive();
    }
}

// The box's own event loop goes on delivering ticks; a persistent error
// would pile one box a second on top of it.
void TMainWin::ShowTickError(const QString& text)
{
    TickErrorOpen = true;
    const auto closed = qScopeGuard([this] { TickErrorOpen = false; });
    ShowError(text);
}

}  // namespace quor
