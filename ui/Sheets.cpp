// The page control of the three sheets: which one is shown, refreshing the
// shown one, and the "Testowanie" groups that only installation mode edits.
#include <QSignalBlocker>
#include <QTabWidget>

#include "sheets/Sheets.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

template <size_t N>
void SwitchTestGroup(QWidget* sheet, const std::array<std::string_view, N>& names, bool enabled)
{
    // The group comes first in the list; when it already has the state, so do its controls.
    auto* group = sheet->findChild<QWidget*>(QString::fromLatin1(names[0].data(), names[0].size()));
    if (group == nullptr || group->testAttribute(Qt::WA_Disabled) != enabled) {
        return;
    }
    for (std::string_view name : names) {
        if (auto* w = sheet->findChild<QWidget*>(QString::fromLatin1(name.data(), name.size()))) {
            w->setEnabled(enabled);
        }
    }
}

}  // namespace

void TMainWin::ConnectSheets()
{
    connect(SheetSet, &QTabWidget::currentChanged, this, &TMainWin::SheetSetChange);
}

void TMainWin::ShowSheets(int sheets)
{
    const SheetVisibility show = SheetVisibilityOf(sheets);
    const QSignalBlocker quiet(SheetSet);
    SheetSet->setTabVisible(SheetSet->indexOf(DoorSheet), show.Doors);
    SheetSet->setTabVisible(SheetSet->indexOf(LiftSheet), show.Lift);
    SheetSet->setTabVisible(SheetSet->indexOf(LockersSheet), show.Lockers);
    for (int i = 0; i < SheetSet->count(); ++i) {
        if (SheetSet->isTabVisible(i)) {
            SheetSet->setCurrentIndex(i);
            break;
        }
    }
    SheetSet->setVisible(show.Control);
}

void TMainWin::SheetSetChange()
{
    RefreshSheet();
}

void TMainWin::RefreshSheet()
{
    switch (RefreshTarget(BusDevTable)) {
    case SheetKind::Doors:
        LoadDoorSheet();
        break;
    case SheetKind::Lift:
        LoadLiftSheet();
        break;
    case SheetKind::Lockers:
        LoadLockersSheet();
        break;
    case SheetKind::None:
        break;
    }
}

void TMainWin::EnableTestGroup(QWidget* sheet)
{
    const int s = UdpDevSet.Selected;
    const bool enabled = s >= 0 && s < UdpDevSet.Count && TestGroupEnabled(UdpDevSet.Dev[s].Mode);
    if (sheet == DoorSheet) {
        SwitchTestGroup(sheet, DoorTestControls, enabled);
    } else if (sheet == LiftSheet) {
        SwitchTestGroup(sheet, LiftTestControls, enabled);
    } else if (sheet == LockersSheet) {
        SwitchTestGroup(sheet, LockersTestControls, enabled);
    }
}

}  // namespace quor
