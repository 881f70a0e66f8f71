// The bus-device pane: the devices on the loaded controller's RS485 bus and
// the controls of the two maintenance commands.
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

}  // namespace quor
