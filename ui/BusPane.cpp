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
    connect(DevDelLostBtn, &QPushButton::clicked, this, &TMainWin::DevDelLostBtnClick);
    connect(DevReplaceBtn, &QPushButton::clicked, this, &TMainWin::DevReplaceBtnClick);
}

void TMainWin::RefreshDevList()
{
    DevPaneCurrent = TableFresh;
    const BusPaneView view = ViewBusPane(BusDevTable, UdpDevSet, DevPaneCurrent);
    DevSelBox->setTitle(QString::fromStdString(view.Caption));
    DevListBox->clear();
    for (const std::string& row : view.Rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(row), DevListBox);
        item->setSizeHint(QSize(0, ListItemHeight));
    }
    DevListBox->setEnabled(view.ListEnabled);
    DevDelLostBtn->setEnabled(view.DelLostEnabled);
    ShowSelector(DevReplCb, view.Pairs);
    for (QWidget* w : ReplaceControls()) {
        w->setEnabled(view.ReplaceEnabled);
    }
    RefreshSheet();
}

void TMainWin::StaleDevPane()
{
    DevPaneCurrent = false;
    // An empty list stands for no controller and needs no greying.
    DevListBox->setEnabled(DevListBox->count() == 0);
    DevDelLostBtn->setEnabled(false);
    for (QWidget* w : ReplaceControls()) {
        w->setEnabled(false);
    }
}

std::array<QWidget*, 4> TMainWin::ReplaceControls() const
{
    return {DevReplCb, DevReplOldLb, DevReplNewLb, DevReplaceBtn};
}

// Both commands read the controller again afterwards, so edits not yet
// written are lost. They act only while the pane lists the selected
// controller's current table: that is the device they are meant for.
void TMainWin::DevDelLostBtnClick()
{
    Guarded([this] {
        CollectLateAnswers();
        // Which devices are lost is the controller's view at this moment; the
        // tick brings the device's state and table up to date first and shows
        // its own errors without stopping the command.
        UDPTimerTimer();
        UdpDev* dev = SelectedDevice();
        if (dev == nullptr || !DevPaneCurrent) {
            return;
        }
        dev->DeleteLost();
        ReloadAfterCommand(*dev);
    });
}

void TMainWin::DevReplaceBtnClick()
{
    Guarded([this] {
        CollectLateAnswers();
        UdpDev* dev = SelectedDevice();
        const int item = DevReplCb->currentIndex();
        if (dev == nullptr || item < 0 || !DevPaneCurrent) {
            return;
        }
        // Low byte the old device's entry, high byte its successor's.
        const auto pair = static_cast<uint16_t>(DevReplCb->itemData(item).toUInt());
        dev->ReplaceDevice(pair);
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
