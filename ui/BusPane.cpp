// The bus-device pane: the devices on the loaded controller's RS485 bus and
// the two maintenance commands on the controller's list of them.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "sheets/BusPane.h"
#include "ui/SelectorFill.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

constexpr int ListItemHeight = 14;

}  // namespace

void TMainWin::ConnectDevPane()
{
    connect(DevDelLostBtn, &QPushButton::clicked, this,
            [this] { RunCommand(&TMainWin::DevDelLostBtnClick); });
    connect(DevReplaceBtn, &QPushButton::clicked, this,
            [this] { RunCommand(&TMainWin::DevReplaceBtnClick); });
    connect(DevReplCb, &QComboBox::activated, this, &TMainWin::DevReplCbChange);
}

void TMainWin::RefreshDevList()
{
    DevPaneCurrent = TableFresh;
    const BusPaneView view = ViewBusPane(BusDevTable, UdpDevSet, DevPaneCurrent, ReplChoice, Settling);
    DevSelBox->setTitle(QString::fromStdString(view.Caption));
    DevListBox->clear();
    for (const std::string& row : view.Rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(row), DevListBox);
        item->setSizeHint(QSize(0, ListItemHeight));
    }
    DevListBox->setEnabled(view.ListEnabled);
    DelLostOffered = view.DelLostEnabled;
    DevDelLostBtn->setToolTip(QString::fromStdString(view.DelLostTip));
    ShowSelector(DevReplCb, view.Pairs);
    for (QWidget* w : ReplaceControls()) {
        w->setEnabled(view.ReplaceEnabled);
    }
    ReplaceOffered = view.ReplaceBtnEnabled;
    ShowCommandButtons();
    if (DevPaneCurrent) {
        // A settled device answers as any other: it may be lost again later.
        const std::vector<uint32_t> waiting = StillSettling(BusDevTable, Settling);
        Settling = {waiting.begin(), waiting.end()};
        ReplChoice.FirstShow = false;
        DevReplCbChange();
    }
    RefreshSheet();
}

void TMainWin::StaleDevPane()
{
    DevPaneCurrent = false;
    // An empty list stands for no controller and needs no greying.
    DevListBox->setEnabled(DevListBox->count() == 0);
    DelLostOffered = false;
    ReplaceOffered = false;
    ShowCommandButtons();
    for (QWidget* w : ReplaceControls()) {
        w->setEnabled(false);
    }
}

std::array<QWidget*, 3> TMainWin::ReplaceControls() const
{
    return {DevReplCb, DevReplOldLb, DevReplNewLb};
}

// The pair is kept by its devices, not by its place in the list, which the
// next table may change.
void TMainWin::DevReplCbChange()
{
    const int item = DevReplCb->currentIndex();
    if (item < 0) {
        ReplChoice.Chosen.reset();
        return;
    }
    ReplChoice.Chosen = DevicesOfPair(BusDevTable, static_cast<uint16_t>(DevReplCb->itemData(item).toUInt()));
    ReplaceOffered = DevPaneCurrent;
    ShowCommandButtons();
}

// Both commands read the controller again afterwards, so edits not yet
// written are lost: the installer is asked first. They act only while the
// pane lists the selected controller's current table: that is the device
// they are meant for.
void TMainWin::DevDelLostBtnClick()
{
    if (!MayDropEdits()) {
        return;
    }
    Guarded([this] {
        CollectLateAnswers();
        // Which devices are lost is the controller's view at this moment; the
        // tick brings the device's state and table up to date first and shows
        // its own errors without stopping the command.
        Tick();
        UdpDev* dev = SelectedDevice();
        if (dev == nullptr || !DevPaneCurrent) {
            return;
        }
        // The controller deletes every inactive device, a device that has just
        // taken over a failed one's settings included.
        if (const std::vector<uint32_t> waiting = StillSettling(BusDevTable, Settling); !waiting.empty()) {
            ShowError(QString::fromStdString(SettlingText(waiting)));
            return;
        }
        dev->DeleteLost();
        ReloadAfterCommand(*dev);
    });
}

void TMainWin::DevReplaceBtnClick()
{
    if (!MayDropEdits()) {
        return;
    }
    Guarded([this] {
        CollectLateAnswers();
        UdpDev* dev = SelectedDevice();
        const int item = DevReplCb->currentIndex();
        if (dev == nullptr || item < 0 || !DevPaneCurrent) {
            return;
        }
        // Low byte the old device's entry, high byte its successor's.
        const auto pair = static_cast<uint16_t>(DevReplCb->itemData(item).toUInt());
        const PairDevices devices = DevicesOfPair(BusDevTable, pair);
        dev->ReplaceDevice(pair);
        Settling.insert(devices.New);
        ReloadAfterCommand(*dev);
    });
}

// A configuration that cannot be read again leaves its sheet hidden; the
// installer is told why once, here, rather than finding the sheet gone.
void TMainWin::ReloadAfterCommand(UdpDev& dev)
{
    const bool read = LoadController(dev);
    RefreshDevList();
    if (!read) {
        throw UErr{&dev, ErrConfigRead, 0};
    }
}

}  // namespace quor
