// The door sheet: one door at a time, filled from the door configuration, and
// the installer's edits passed to it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "sheets/DoorSheet.h"
#include "sheets/Sheets.h"
#include "ui/FieldRules.h"
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
    // A click on a tab takes the focus, so that a field being typed into is
    // left, and its text stored, while it still shows the door it was typed for.
    DDoorTabs->Tabs->setFocusPolicy(Qt::ClickFocus);
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
    connect(DSluzaSel, &QComboBox::activated, this, [this](int index) {
        AirlockTyped = false;
        SetAirlock(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), index);
        ShowAirlock();
        ShowUnsavedMark();
    });
    // Typed text selects the item it names once the field is left; until
    // then a stored airlock beyond the items stays as it is.
    connect(DSluzaSel->lineEdit(), &QLineEdit::textEdited, this, [this] { AirlockTyped = true; });
    StoreOnLeave(DSluzaSel, DSluzaSel->lineEdit(), this, [this] { DSluzaSelChange(); });
    connect(DKlamkaCb, &QCheckBox::clicked, this, &TMainWin::DKlamkaCbClick);
    connect(DFullTimCb, &QCheckBox::clicked, this, &TMainWin::DFullTimCbClick);
    connect(DTypeCb, &QComboBox::activated, this, &TMainWin::DTypeCbChange);
    StoreOnLeave(DRygTimEd, DRygTimEd, this, [this] { DRygTimEdExit(); });
    StoreOnLeave(DOpenTimEd, DOpenTimEd, this, [this] { DOpenTimEdExit(); });
    connect(DTrainNrEd, &QLineEdit::editingFinished, this, &TMainWin::DTrainNrEdExit);
}

// A controller read afresh: nothing typed before belongs to it.
void TMainWin::PrepareDoorSheet()
{
    for (QLineEdit* edit : {DTrainNrEd, DRygTimEd, DOpenTimEd, DSluzaSel->lineEdit()}) {
        edit->setModified(false);
    }
    AirlockTyped = false;
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
    if (const std::optional<DoorSheetView> view =
            ViewDoorSheet(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex())) {
        ShowRows(DOutRows, view->Outputs);
        ShowRows(DInRows, view->Inputs);
        ShowRows(DRdRows, view->Readers);
        if (!TypingAirlock()) {
            AirlockTyped = false;
            ShowAirlock(view->AirlockIndex);
        }
        DKlamkaCb->setChecked(view->HandleOpening);
        DFullTimCb->setChecked(view->FullBoltPulse);
        DTypeCb->setCurrentIndex(view->TypeIndex);
        ShowUnlessTyping(DRygTimEd, QString::fromStdString(view->BoltPulseText));
        ShowUnlessTyping(DOpenTimEd, QString::fromStdString(view->OpenTimeText));
        ShowWhole(DTrainNrEd, QString::fromStdString(view->TrainNumberText));
    }
    Loading = false;
    ShowUnsavedMark();
}

void TMainWin::DDoorTabsChange()
{
    LoadDoorSheet();
}

void TMainWin::DOutRygSelChange()
{
    AssignBolt(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), SelectedValue(DOut0Sel), DOut0Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DOutSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DOutRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorOutputRow(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, SelectedValue(sender),
                        DOutRows[slot].Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DInSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DInRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorInput(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, SelectedValue(sender),
                    DInRows[slot].Cb->isChecked());
    LoadDoorSheet();
}

void TMainWin::DRdSelChange(QComboBox* sender)
{
    const int slot = SlotOfSelector(DRdRows, sender);
    if (slot < 0) {
        return;
    }
    AssignDoorReader(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, SelectedValue(sender));
    LoadDoorSheet();
}

void TMainWin::DOutCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DOutRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetDoorOutputNc(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, sender->isChecked());
    ShowUnsavedMark();
}

void TMainWin::DInCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DInRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetDoorInputNc(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, sender->isChecked());
    ShowUnsavedMark();
}

void TMainWin::DRdCbClick(QCheckBox* sender)
{
    const int slot = SlotOfCheck(DRdRows, sender);
    if (Loading || slot < 0) {
        return;
    }
    SetReaderExit(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), slot, sender->isChecked());
    ShowUnsavedMark();
}

void TMainWin::DKlamkaCbClick()
{
    if (!Loading) {
        SetHandleOpening(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), DKlamkaCb->isChecked());
        ShowUnsavedMark();
    }
}

void TMainWin::DFullTimCbClick()
{
    if (!Loading) {
        SetFullBoltPulse(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), DFullTimCb->isChecked());
        ShowUnsavedMark();
    }
}

void TMainWin::DTypeCbChange()
{
    if (!Loading) {
        SetDoorType(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), DTypeCb->currentIndex());
        ShowUnsavedMark();
    }
}

void TMainWin::DRygTimEdExit()
{
    SetBoltPulse(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), TextOf(DRygTimEd));
    LoadDoorSheet();
}

void TMainWin::DOpenTimEdExit()
{
    SetOpenTime(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), TextOf(DOpenTimEd));
    LoadDoorSheet();
}

void TMainWin::DSluzaSelChange()
{
    if (!AirlockTyped) {
        return;
    }
    AirlockTyped = false;
    // Text that names no item changes nothing: the field shows the stored item again.
    const int index = TypedAirlockIndex(DSluzaSel->currentText().toStdString(), AirlockItems(BusDevTable));
    if (index >= 0) {
        SetAirlock(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex(), index);
    }
    ShowAirlock();
    ShowUnsavedMark();
}

bool TMainWin::TypingAirlock() const
{
    return AirlockTyped && DSluzaSel->hasFocus();
}

void TMainWin::ShowAirlock()
{
    if (const std::optional<DoorSheetView> view =
            ViewDoorSheet(DoorCfgSet, BusDevTable, DDoorTabs->TabIndex())) {
        ShowAirlock(view->AirlockIndex);
    }
}

void TMainWin::ShowAirlock(int index)
{
    // The field shows the item of the stored value, not what was typed; a
    // stored airlock beyond the items shows nothing.
    DSluzaSel->setCurrentIndex(index);
    DSluzaSel->setEditText(index >= 0 ? DSluzaSel->itemText(index) : QString());
}

void TMainWin::DTrainNrEdExit()
{
    DTrainNrEd->setModified(false);
    SetTrainNumber(DoorCfgSet, TextOf(DTrainNrEd));
    ShowUnsavedMark();
}

}  // namespace quor
