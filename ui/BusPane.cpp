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
    const BusPaneView view = ViewBusPane(BusDevTable, UdpDevSet);
    DevSelBox->setTitle(QString::fromStdString(view.Caption));
    DevListBox->clear();
    for (const std::string& row : view.Rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(row), DevListBox);
        item->setSizeHint(QSize(0, ListItemHeight));
    }
    DevDelLostBtn->setEnabled(view.DelLostEnabled);
    ShowSelector(DevReplCb, view.Pairs);
    for (QWidget* w : {static_cast<QWidget*>(DevReplCb), static_cast<QWidget*>(DevReplOldLb),
                       static_cast<QWidget*>(DevReplNewLb), static_cast<QWidget*>(DevReplaceBtn)}) {
        w->setEnabled(view.ReplaceEnabled);
    }
    RefreshSheet();
}

// Both commands read the controller again afterwards, so edits not yet
// written are lost.
void TMainWin::DevDelLostBtnClick()
{
    Guarded([this] {
        CollectLateAnswers();
        // Which devices are lost is the controller's view at this moment; the
        // tick brings the device's state and table up to date first and shows
        // its own errors without stopping the command.
        UDPTimerTimer();
        UdpDev* dev = SelectedDevice();
        if (dev == nullptr) {
            return;
        }
        dev->DeleteLost();
        LoadController(*dev);
        RefreshDevList();
    });
}

void TMainWin::DevReplaceBtnClick()
{
    Guarded([this] {
        CollectLateAnswers();
        UdpDev* dev = SelectedDevice();
        const int item = DevReplCb->currentIndex();
        if (dev == nullptr || item < 0) {
            return;
        }
        // Low byte the old device's entry, high byte its successor's.
        const auto pair = static_cast<uint16_t>(DevReplCb->itemData(item).toUInt());
        dev->ReplaceDevice(pair);
        LoadController(*dev);
        RefreshDevList();
    });
}

}  // namespace quor
