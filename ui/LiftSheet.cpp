// The lift sheet, filled from the lift record, and the installer's edits
// passed to it.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "sheets/LiftSheet.h"
#include "sheets/SheetEdits.h"
#include "sheets/Sheets.h"
#include "ui/FieldRules.h"
#include "ui/SelectorFill.h"
#include "ui/SheetRows.h"
#include "ui/WBMain.h"

namespace quor {

void TMainWin::ConnectLiftSheet()
{
    connect(LOutSet0Sel, &QComboBox::activated, this, &TMainWin::LOutSetSelChange);
    for (const SelectorRow& row : LInRows) {
        if (row.Sel != nullptr) {
            connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { LInSelChange(sel); });
            connect(row.Cb, &QCheckBox::clicked, this, [this, cb = row.Cb] { LInCbClick(cb); });
        }
    }
    for (const SelectorRow& row : LRdRows) {
        connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { LRdSelChange(sel); });
    }
    StoreOnLeave(LTimEd, LTimEd, this, [this] { LTimEdExit(); });
}

void TMainWin::LoadLiftSheet()
{
    if (!SheetLoadable(BusDevTable)) {
        return;
    }
    Loading = true;
    EnableTestGroup(LiftSheet);
    if (const std::optional<LiftSheetView> view = ViewLiftSheet(LiftCfg, BusDevTable)) {
        ShowSelector(LOutSet0Sel, view->Module);
        ShowSelector(LIn1Sel, view->Floor.Selector);
        ShowCheck(LIn1Cb, view->Floor.Check);
        ShowSelector(LIn3Sel, view->Tamper.Selector);
        ShowCheck(LIn3Cb, view->Tamper.Check);
        for (size_t i = 0; i < LRdRows.size(); ++i) {
            ShowSelector(LRdRows[i].Sel, view->Readers[i]);
        }
        ShowUnlessTyping(LTimEd, QString::fromStdString(view->PulseText));
    }
    Loading = false;
    ShowUnsavedMark();
}

void TMainWin::LOutSetSelChange()
{
    AssignLiftModule(LiftCfg, BusDevTable, SelectedValue(LOutSet0Sel));
    LoadLiftSheet();
}

void TMainWin::LInSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(LInRows, sender);
    if (slot < 0) {
        return;
    }
    LiftCfg.AssignInput(slot, SelectedValue(sender), LInRows[slot].Cb->isChecked(), BusDevTable);
    LoadLiftSheet();
}

void TMainWin::LInCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(LInRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetInputNc(LiftCfg, slot, sender->isChecked());
    ShowUnsavedMark();
}

void TMainWin::LRdSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(LRdRows, sender);
    if (slot < 0) {
        return;
    }
    LiftCfg.AssignReader(slot, SelectedValue(sender), BusDevTable);
    LoadLiftSheet();
}

void TMainWin::LTimEdExit()
{
    SetPulseTime(LiftCfg, TextOf(LTimEd));
    LoadLiftSheet();
}

}  // namespace quor
