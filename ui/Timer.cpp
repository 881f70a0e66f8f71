// The periodic timer: late search answers, the selected device's state and
// bus, and the sessions of every device found.
#include <exception>
#include <optional>
#include <set>

#include <QTimer>

#include "link/DevMode.h"
#include "link/EndpointError.h"
#include "model/KindConfig.h"
#include "sheets/EditTexts.h"
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

// Each error of the timer is said once, or a fault that lasts would come
// back every second: a device's error (UErr) once per device and code, until
// a tick on that device runs through or another device is selected; any other
// error (the network's, say) once until a tick runs through.
void TMainWin::UDPTimerTimer()
{
    // The event loop of an open box delivers ticks too; they wait, so that no
    // box is ever stacked on another and no tick runs inside a tick. A
    // command runs the tick it needs itself.
    if (BoxesOpen > 0 || CommandRunning) {
        return;
    }
    Tick();
}

void TMainWin::Tick()
{
    const int slot = KeepAliveSlot;
    std::optional<QString> error;
    try {
        if (RunTick()) {
            ReportErrors = true;
            ForgetTickErrors(slot);
        }
    } catch (const UErr& e) {
        if (!e.Dev || TickErrorsShown.insert({e.Dev->Id, e.Code}).second) {
            error = QString::fromStdString(e.Text());
        }
    } catch (const std::exception& e) {
        // A poll that could not be sent leaves the device out of reach; its
        // row says so although the tick ended before the list was rebuilt.
        if (const UdpDev* dev = SelectedDevice()) {
            RefreshEthRow(*dev);
        }
        if (ReportErrors) {
            ReportErrors = false;
            error = QString::fromStdString(PolishText(e));
        }
    }
    if (error) {
        ShowError(*error);
    }
}

// The devices a tick that ran through has heard from: the selected one and
// those of the keep-alive turn it took.
void TMainWin::ForgetTickErrors(int slot)
{
    std::set<uint32_t> heard;
    if (const UdpDev* dev = SelectedDevice()) {
        heard.insert(dev->Id);
    }
    for (int i = slot; i < UdpDevSet.Count; i += KeepAliveSlots) {
        heard.insert(UdpDevSet.Dev[i].Id);
    }
    std::erase_if(TickErrorsShown, [&heard](const auto& shown) { return heard.contains(shown.first); });
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
    if (Parked && BusDevTable.DoorCount != 0) {
        ReturnParked(*dev);
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
        MarkKindConfig(Records);
        RefreshDevList();
    }
}

// Blocks of another type or count than the controller now has would be
// written over whatever its new configuration holds, so the configuration is
// read again as selecting the controller would; unwritten edits cannot be
// kept in a shape that no longer exists.
void TMainWin::ReloadChangedShape(UdpDev& dev)
{
    const bool dropped = UnsavedEdits();
    const bool read = LoadController(dev);
    UpdateSheets(dev);
    if (dropped) {
        ShowError(QString::fromStdString(EditsDroppedShapeText(dev.Id)));
    }
    if (!read) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
}

// In Blokada and Konfiguracja the controller refuses its configuration, as
// loading it in that mode would find: the sheet goes instead of waiting for
// a write to fail, and the pane no longer stands for a table that can be
// maintained. Once the mode allows it again, the table is read and listed;
// the sheet returns when the controller is selected again, or at once with
// the edits it held, which are kept meanwhile.
void TMainWin::DropClosedController()
{
    if (!TableFresh && !ConfigHeld && !DevPaneCurrent) {
        return;
    }
    if (const UdpDev* dev = SelectedDevice()) {
        ParkEdits(*dev);
    }
    BusDevTable.Forget();
    TableFresh = false;
    HoldConfig(false);
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

}  // namespace quor
