// The Ethernet pane: the devices found on the LAN, the search and the web page.
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUrl>

#include "sheets/EthPane.h"
#include "ui/RowList.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

constexpr int ListItemHeight = 14;

QListWidgetItem* MakeRow(const std::string& text)
{
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    item->setSizeHint(QSize(0, ListItemHeight));
    return item;
}

}  // namespace

void TMainWin::ConnectEthPane()
{
    connect(EthSearchBtn, &QPushButton::clicked, this, [this] { RunCommand(&TMainWin::EthSearchBtnClick); });
    connect(EthLstBox, &TRowList::Click, this, &TMainWin::EthLstBoxClick);
    connect(EthWwwBtn, &QPushButton::clicked, this, &TMainWin::EthWwwBtnClick);
    EthWwwBtn->setEnabled(false);
}

void TMainWin::EthSearchBtnClick()
{
    Guarded([this] {
        UdpDevSet.Search();
        RefreshEthList();
    });
    ShowNotListed();
}

void TMainWin::ShowNotListed()
{
    const std::string text = NotListedText(UdpDevSet.Capacity, UdpDevSet.NotListed());
    if (!text.empty()) {
        ShowError(QString::fromStdString(text));
    }
}

void TMainWin::EthLstBoxClick()
{
    Guarded([this] { SelectEthDevice(); });
}

void TMainWin::EthWwwBtnClick()
{
    Guarded([this] {
        const std::string address = WebAddress(UdpDevSet);
        // Without a browser nothing would happen at all; the installer learns
        // why and where the page is.
        if (!address.empty() && !OpenUrl(QUrl(QString::fromStdString(address)))) {
            ShowError(QString::fromStdString(NoBrowserText(address)));
        }
    });
}

void TMainWin::RefreshEthList()
{
    const EthPaneView view = ViewEthPane(UdpDevSet);
    {
        // Rows placed by the program must not look like the installer's choice.
        const QSignalBlocker quiet(EthLstBox);
        EthLstBox->clear();
        EthWwwBtn->setEnabled(view.WwwEnabled);
        if (view.HideSheets) {
            // No device is selected, so nothing the pane lists can be acted on.
            SheetSet->hide();
            StaleDevPane();
            return;
        }
        for (const std::string& row : view.Rows) {
            EthLstBox->addItem(MakeRow(row));
        }
        EthLstBox->setCurrentRow(view.SelectRow);
    }
    if (view.LoadSelected) {
        SelectEthDevice();
    } else {
        RefreshSheet();
    }
}

void TMainWin::RefreshEthRow(const UdpDev& dev)
{
    const int row = static_cast<int>(&dev - UdpDevSet.Dev.data());
    if (QListWidgetItem* item = EthLstBox->item(row)) {
        item->setText(QString::fromStdString(dev.ListRow()));
    }
}

// Selecting a device, also the selected one again, reads it afresh: unsaved
// edits would be lost, so the installer is asked first, and on a no the
// highlighted row goes back to the device still selected.
void TMainWin::SelectEthDevice()
{
    const int i = EthLstBox->currentRow();
    if (i < 0) {
        return;
    }
    if (!MayDropEdits()) {
        const QSignalBlocker quiet(EthLstBox);
        EthLstBox->setCurrentRow(UdpDevSet.Selected);
        return;
    }
    if (i < UdpDevSet.Count) {
        const UdpDev* before = SelectedDevice();
        UdpDevSet.Selected = i;
        // The timer's errors of the device left are said again on its return.
        if (before == nullptr || before->Id != UdpDevSet.Dev[i].Id) {
            TickErrorsShown.clear();
            Settling.clear();
        }
    }
    if (UdpDevSet.Selected >= 0) {
        LoadSelectedDevice(UdpDevSet.Dev[UdpDevSet.Selected]);
    }
}

}  // namespace quor
