// The door sheet: one door at a time, filled from the door configuration, and
// the installer's edits passed to it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "sheets/DoorSheet.h"
#include "sheets/Sheets.h"
#include "ui/NumberEdit.h"
#include "ui/SelectorFill.h"
#include "ui/SheetRows.h"
#include "ui/TabControl.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

template <size_t N, size_t M>
void ShowRows(const std::array<SelectorRow, N>& rows, const std::array<SelectorRowView, M>& views)
{
    static_assert(N == M);
    for (size_t i = 0; i < N; ++i) {
        ShowSelector(rows[i].Sel, views[i].Selector);
        ShowCheck(rows[i].Cb, views[i].Check);
    }
}

}  // namespace

void TMainWin::ConnectDoorSheet()
{
    connect(DDoorTabs, &TTabControl::Change, this, &TMainWin::DDoorTabsChange);
    connect(DOut0Sel, &QComboBox::activated, this, &TMainWin::DOutRygSelChange);
    for (size_t i = 0; i < DOutRows.size(); ++i) {
        QComboBox* sel = DOutRows[i].Sel;
        if (i != OutBolt) {
            connect(sel, &QComboBox::activated, this, [this, sel] { DOutSelChange(sel); });
        }
        QCheckBox* cb = DOutRows[i].Cb;
        connect(cb, &QCheckBox::clicked, this, [this, cb] { DOutCbClick(cb); });
    }
    for (const SelectorRow& row : DInRows) {
        connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { DInSelChange(sel); });
        connect(row.Cb, &QCheckBox::clicked, this, [this, cb = row.Cb] { DInCbClick(cb); });
    }
    for (const SelectorRow& row : DRdRows) {
        connect(row.Sel, &QComboBox::activated, this, [this, sel = row.Sel] { DRdSelChange(sel); });
        connect(row.Cb, &QCheckBox::clicked, this, [this, cb = row.Cb] { DRdCbClick(cb); });
    }
    connect(DSluzaSel, &QComboBox::activated, this, &TMainWin::DSluzaSelChange);
    // Typed text selects the item it names, or none.
    connect(DSluzaSel->lineEdit(), &QLineEdit::textEdited, this, &TMainWin::DSluzaSelChange);
    connect(DKlamkaCb, &QCheckBox::clicked, this, &TMainWin::DKlamkaCbClick);
    connect(DFullTimCb, &QCheckBox::clicked, this, &TMainWin::DFullTimCbClick);
    connect(DTypeCb, &QComboBox::activated, this, &TMainWin::DTypeCbChange);
    connect(DRygTimEd, &QLineEdit::editingFinished, this, &TMainWin::DRygTimEdExit);
    connect(DOpenTimEd, &QLineEdit::editingFinished, this, &TMainWin::DOpenTimEdExit);
    connect(DTrainNrEd, &QLineEdit::editingFinished, this, &TMainWin::DTrainNrEdExit);
}

void TMainWin::PrepareDoorSheet()
{
    DDoorTabs->SetTabs(DoorTabCaptions(BusDevTable));
    const bool train = TrainNumberShown(BusDevTable);
    DTrainNrEd->setVisible(train);
    DTrainNrLb->setVisible(train);
    ShowItems(DSluzaSel, AirlockItems(BusDevTable), 0);
}

void TMainWin::LoadDoorSheet()
{
    if (!SheetLoadable(BusDevTable)) {
        return;
    }
    Loading = true;
    EnableTestGroup(DoorSheet);
    if (const std::optional<DoorSheetView> view = ViewDoorSheet(DoorCfgSet, DDoorTabs->TabIndex())) {
        ShowRows(DOutRows, view->Outputs);
        ShowRows(DInRows, view->Inputs);
        ShowRows(DRdRows, view->Readers);
        DSluzaSel->setCurrentIndex(view->AirlockIndex);
        DKlamkaCb->setChecked(view->HandleOpening);
        DFullTimCb->setChecked(view->FullBoltPulse);
        DTypeCb->setCurrentIndex(view->TypeIndex);
        DRygTimEd->setText(QString::fromStdString(view->BoltPulseText));
        DOpenTimEd->setText(QString::fromStdString(view->OpenTimeText));
        ShowWhole(DTrainNrEd, QString::fromStdString(view->TrainNumberText));
    }
    Loading = false;
}

void TMainWin::DDoorTabsChange()
{
    LoadDoorSheet();
}

void TMainWin::DOutRygSelChange()
{
    AssignBolt(DoorCfgSet, DDoorTabs->TabIndex(), SelectedValue(DOut0Sel), DOut0Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DOutSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DOutRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorOutputRow(DoorCfgSet, DDoorTabs->TabIndex(), slot, SelectedValue(sender),
                        DOutRows[slot].Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DInSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DInRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorInput(DoorCfgSet, DDoorTabs->TabIndex(), slot, SelectedValue(sender),
                    DInRows[slot].Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DRdSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DRdRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorReader(DoorCfgSet, DDoorTabs->TabIndex(), slot, SelectedValue(sender));
    LoadDoorSheet();
}

void TMainWin::DOutCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DOutRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetDoorOutputNc(DoorCfgSet, DDoorTabs->TabIndex(), slot, sender->isChecked());
}

void TMainWin::DInCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DInRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetDoorInputNc(DoorCfgSet, DDoorTabs->TabIndex(), slot, sender->isChecked());
}

void TMainWin::DRdCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DRdRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetReaderExit(DoorCfgSet, DDoorTabs->TabIndex(), slot, sender->isChecked());
}

void TMainWin::DKlamkaCbClick()
{
    if (!Loading) {
        SetHandleOpening(DoorCfgSet, DDoorTabs->TabIndex(), DKlamkaCb->isChecked());
    }
}

void TMainWin::DFullTimCbClick()
{
    if (!Loading) {
        SetFullBoltPulse(DoorCfgSet, DDoorTabs->TabIndex(), DFullTimCb->isChecked());
    }
}

void TMainWin::DTypeCbChange()
{
    if (!Loading) {
        SetDoorType(DoorCfgSet, DDoorTabs->TabIndex(), DTypeCb->currentIndex());
    }
}

void TMainWin::DRygTimEdExit()
{
    SetBoltPulse(DoorCfgSet, DDoorTabs->TabIndex(), TextOf(DRygTimEd));
    LoadDoorSheet();
}

void TMainWin::DOpenTimEdExit()
{
    SetOpenTime(DoorCfgSet, DDoorTabs->TabIndex(), TextOf(DOpenTimEd));
    LoadDoorSheet();
}

void TMainWin::DSluzaSelChange()
{
    // Text typed into the field counts as the item it matches, if any.
    const int index = DSluzaSel->findText(DSluzaSel->currentText(), Qt::MatchExactly);
    SetAirlock(DoorCfgSet, DDoorTabs->TabIndex(), index);
}

void TMainWin::DTrainNrEdExit()
{
    SetTrainNumber(DoorCfgSet, TextOf(DTrainNrEd));
}

}  // namespace quor
