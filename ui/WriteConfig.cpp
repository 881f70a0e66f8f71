// Writing a sheet's part of the model to the selected controller, and the
// short animation that confirms a completed write.
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include "sheets/Sheets.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

constexpr int ProgressStep = 5;
constexpr unsigned long StepPauseMs = 5;
constexpr unsigned long EndPauseMs = 50;

}  // namespace

void TMainWin::ConnectWriteButtons()
{
    connect(DWrCfgBtn, &QPushButton::clicked, this, [this] { RunCommand(&TMainWin::DWrCfgBtnClick); });
    connect(LWrCfgBtn, &QPushButton::clicked, this, [this] { RunCommand(&TMainWin::LWrCfgBtnClick); });
    connect(LsWrCfgBtn, &QPushButton::clicked, this, [this] { RunCommand(&TMainWin::LsWrCfgBtnClick); });
}

void TMainWin::DWrCfgBtnClick()
{
    WriteToSelected(DWrCfgProgrBar, SheetKind::Doors,
                    [this](UdpDev& dev) { DoorCfgSet.Store(dev, BusDevTable); });
}

void TMainWin::LWrCfgBtnClick()
{
    WriteToSelected(LWrCfgProgrBar, SheetKind::Lift, [this](UdpDev& dev) { LiftCfg.Write(dev); });
}

void TMainWin::LsWrCfgBtnClick()
{
    WriteToSelected(LsWrCfgProgrBar, SheetKind::Lockers, [this](UdpDev& dev) { LockersCfg.Write(dev); });
}

// Nothing is read back after: the model stays as it is, so the installer can
// edit on and write again, also after a failure. Only a configuration read in
// full from the selected controller, cut to the kind it still has, is written.
void TMainWin::WriteToSelected(QProgressBar* bar, SheetKind sheet, const std::function<void(UdpDev&)>& write)
{
    Guarded([&] {
        if (UdpDevSet.CollectReplies(0)) {
            RefreshEthList();
        }
        const int s = UdpDevSet.Selected;
        if (s < 0 || s >= UdpDevSet.Count || !ConfigHeld || RefreshTarget(BusDevTable) != sheet) {
            return;
        }
        write(UdpDevSet.Dev[s]);
        // What the controller holds now: the sheet has no edits left to write.
        HoldConfig(true);
        RunProgress(bar);
    });
}

// The window is blocked meanwhile, as during any exchange: the bar is painted
// at once at each step, and no event is taken in, so no handler runs in between.
void TMainWin::RunProgress(QProgressBar* bar)
{
    bar->reset();  // no position left from the last run shows as the bar appears
    bar->show();
    for (int position = 0; position <= 100; position += ProgressStep) {
        bar->setValue(position);
        bar->repaint();
        QThread::msleep(StepPauseMs);
    }
    QThread::msleep(EndPauseMs);
    bar->hide();
}

}  // namespace quor
