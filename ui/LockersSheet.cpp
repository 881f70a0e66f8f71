// The lockers sheet, filled from the lockers record.
#include <QLineEdit>
#include <QSignalBlocker>

#include "sheets/LockersSheet.h"
#include "sheets/Sheets.h"
#include "ui/SelectorFill.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// Invalid locker numbers are marked yellow; nothing else stops them.
void ShowNumber(QLineEdit* edit, const std::string& text, bool invalid)
{
    const QSignalBlocker quiet(edit);
    edit->setText(QString::fromStdString(text));
    QPalette colours;  // an empty palette takes the window's colours again
    if (invalid) {
        colours.setColor(QPalette::Base, Qt::yellow);
    }
    edit->setPalette(colours);
}

}  // namespace

void TMainWin::LoadLockersSheet()
{
    if (!SheetLoadable(BusDevTable)) {
        return;
    }
    Loading = true;
    EnableTestGroup(LockersSheet);
    // The number edits hold what they show, and a number of 10000 or more shows as none.
    TakeInShownLockerNumbers(LockersCfg);
    if (const std::optional<LockersSheetView> view = ViewLockersSheet(LockersCfg)) {
        LsRoomNameEd->setText(QString::fromStdString(view->RoomName));
        for (int k = 0; k < LockerModules; ++k) {
            ShowSelector(LsOutSetSel[k], view->Modules[k]);
            ShowNumber(LsSetBegEd[k], view->FirstTexts[k], view->Invalid.FirstInvalid[k]);
            ShowNumber(LsSetEndEd[k], view->LastTexts[k], view->Invalid.LastInvalid[k]);
        }
        ShowSelector(LsIn2Sel, view->Alarm.Selector);
        ShowCheck(LsIn2Cb, view->Alarm.Check);
        ShowSelector(LsIn3Sel, view->Tamper.Selector);
        ShowCheck(LsIn3Cb, view->Tamper.Check);
        for (size_t i = 0; i < LsRdRows.size(); ++i) {
            ShowSelector(LsRdRows[i].Sel, view->Readers[i]);
        }
        LsTimEd->setText(QString::fromStdString(view->PulseText));
        LsStartNrEd->setText(QString::fromStdString(view->TestStartText));
    }
    Loading = false;
}

}  // namespace quor
