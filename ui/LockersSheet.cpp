// The lockers sheet, filled from the lockers record, and the installer's
// edits passed to it.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "sheets/LockersSheet.h"
#include "sheets/SheetEdits.h"
#include "sheets/Sheets.h"
#include "ui/FieldRules.h"
#include "ui/NumberEdit.h"
#include "ui/SelectorFill.h"
#include "ui/SheetRows.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

void ShowNumber(QLineEdit* edit, const std::string& text)
{
    const QSignalBlocker quiet(edit);
    ShowUnlessTyping(edit, QString::fromStdString(text));
}

// Invalid locker numbers are marked yellow; nothing else stops them.
void ColourNumber(QLineEdit* edit, bool invalid)
{
    QPalette colours;  // an empty palette takes the window's colours again
    if (invalid) {
        colours.setColor(QPalette::Base, Qt::yellow);
    }
    edit->setPalette(colours);
}

}  // namespace

void TMainWin::ConnectLockersSheet()
{
    // Only the installer's typing reaches the model: the program's own texts
    // show what the model holds already.
    for (int k = 0; k < LockerModules; ++k) {
        QComboBox* sel = LsOutSetSel[k];
        connect(sel, &QComboBox::activated, this, [this, sel] { LsOutSetSelChange(sel); });
        for (QLineEdit* edit : {LsSetBegEd[k], LsSetEndEd[k]}) {
            connect(edit, &QLineEdit::textEdited, this, [this, edit] { LsSetBegEndChange(edit); });
        }
    }
    for (const SelectorRow& row : LsInRows) {
        if (row.Sel != nullptr) {
            connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { LsInSelChange(sel); });
            connect(row.Cb, &QCheckBox::clicked, this, [this, cb = row.Cb] { LsInCbClick(cb); });
        }
    }
    for (const SelectorRow& row : LsRdRows) {
        connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { LsRdSelChange(sel); });
    }
    connect(LsRoomNameEd, &QLineEdit::textEdited, this, &TMainWin::LsRoomNameEdChange);
    connect(LsStartNrEd, &QLineEdit::textEdited, this, &TMainWin::LsStartNrEdChange);
    StoreOnLeave(LsTimEd, LsTimEd, this, [this] { LsTimEdExit(); });
}

void TMainWin::LoadLockersSheet()
{
    if (!SheetLoadable(BusDevTable)) {
        return;
    }
    Loading = true;
    EnableTestGroup(LockersSheet);
    // The number edits hold what they show, and a number of 10000 or more shows as none.
    TakeInShownLockerNumbers(LockersCfg);
    if (const std::optional<LockersSheetView> view = ViewLockersSheet(LockersCfg, BusDevTable)) {
        ShowUnlessTyping(LsRoomNameEd, QString::fromStdString(view->RoomName));
        for (int k = 0; k < LockerModules; ++k) {
            ShowSelector(LsOutSetSel[k], view->Modules[k]);
            ShowNumber(LsSetBegEd[k], view->FirstTexts[k]);
            ShowNumber(LsSetEndEd[k], view->LastTexts[k]);
        }
        CheckLockerRanges();
        ShowSelector(LsIn2Sel, view->Alarm.Selector);
        ShowCheck(LsIn2Cb, view->Alarm.Check);
        ShowSelector(LsIn3Sel, view->Tamper.Selector);
        ShowCheck(LsIn3Cb, view->Tamper.Check);
        for (size_t i = 0; i < LsRdRows.size(); ++i) {
            ShowSelector(LsRdRows[i].Sel, view->Readers[i]);
        }
        ShowUnlessTyping(LsTimEd, QString::fromStdString(view->PulseText));
        ShowWhole(LsStartNrEd, QString::fromStdString(view->TestStartText));
    }
    Loading = false;
    ShowUnsavedMark();
}

void TMainWin::CheckLockerRanges()
{
    const LockerRangeColours invalid = quor::CheckLockerRanges(LockersCfg);
    for (int k = 0; k < LockerModules; ++k) {
        ColourNumber(LsSetBegEd[k], invalid.FirstInvalid[k]);
        ColourNumber(LsSetEndEd[k], invalid.LastInvalid[k]);
    }
}

void TMainWin::LsOutSetSelChange(QComboBox* sender)
{
    const auto row = std::find(LsOutSetSel.begin(), LsOutSetSel.end(), sender);
    if (row == LsOutSetSel.end()) {
        return;
    }
    LockersCfg.AssignOutputSet(static_cast<int>(row - LsOutSetSel.begin()), SelectedValue(sender),
                               BusDevTable);
    LoadLockersSheet();
}

// Typing is not disturbed: the sheet is only recoloured, not reloaded.
void TMainWin::LsSetBegEndChange(QLineEdit* sender)
{
    for (int k = 0; k < LockerModules; ++k) {
        if (sender == LsSetBegEd[k] || sender == LsSetEndEd[k]) {
            StoreLockerNumber(LockersCfg, k, sender == LsSetEndEd[k], TextOf(sender));
            CheckLockerRanges();
            ShowUnsavedMark();
            return;
        }
    }
}

void TMainWin::LsInSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(LsInRows, sender);
    if (slot < 0) {
        return;
    }
    LockersCfg.AssignInput(slot, SelectedValue(sender), LsInRows[slot].Cb->isChecked(), BusDevTable);
    LoadLockersSheet();
}

void TMainWin::LsInCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(LsInRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetInputNc(LockersCfg, slot, sender->isChecked());
    ShowUnsavedMark();
}

void TMainWin::LsRdSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(LsRdRows, sender);
    if (slot < 0) {
        return;
    }
    LockersCfg.AssignReader(slot, SelectedValue(sender), BusDevTable);
    LoadLockersSheet();
}

void TMainWin::LsRoomNameEdChange()
{
    // The conversion to Windows-1250 is the system's and may be missing.
    Guarded([this] { SetRoomNameText(LockersCfg, TextOf(LsRoomNameEd)); });
    ShowUnsavedMark();
}

void TMainWin::LsStartNrEdChange()
{
    SetTestStartText(LockersCfg, TextOf(LsStartNrEd));
    ShowUnsavedMark();
}

void TMainWin::LsTimEdExit()
{
    SetPulseTime(LockersCfg, TextOf(LsTimEd));
    LoadLockersSheet();
}

}  // namespace quor
