// The controls of the door sheet.
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"
#include "ui/FieldRules.h"
#include "ui/LayoutKit.h"
#include "ui/NumberEdit.h"
#include "ui/TabControl.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// A selector row of a door group: selector, right-aligned label and NC box.
struct RowNames {
    const char* Sel;
    const char* Lb;
    const char* Cb;
};

SelectorRow MakeNcRow(QWidget* box, RowNames names, const SheetFieldRow& field, int top)
{
    SelectorRow row;
    row.Sel = MakeSelector(box, names.Sel, {112, top, 113, 22});
    row.Label = MakeLabel(box, names.Lb, FieldText(field), {16, top + 4, 86, 14}, true);
    row.Cb = MakeCheck(box, names.Cb, MarkText(field), {240, top + 4, 33, 17});
    return row;
}

// A field of the door sheet's table, by the slot or the parameter it sets.
const SheetFieldRow& DoorSlot(FieldAddress address, int slot)
{
    return SlotRow(KindDoors, address, slot);
}

const SheetFieldRow& DoorParam(FieldParam param)
{
    return ParamRow(KindDoors, param);
}

}  // namespace

void TMainWin::BuildDoorSheet()
{
    QWidget* sheet = DoorSheet;
    DDoorTabs = Place<TTabControl>(sheet, "DDoorTabs", {5, 0, 692, 561});
    DDoorTabs->SetTabs({"1", "2", "3", "4", "5", "6", "7", "8"});
    DTrainNrEd = MakeNumberEdit(sheet, "DTrainNrEd", {248, 576, 41, 22}, 4);
    DRapBtn = MakeButton(sheet, "DRapBtn", "Raport", {376, 576, 75, 25});
    DWrCfgBtn = MakeButton(sheet, "DWrCfgBtn", QStringLiteral("Zapisz konfigurację"), {496, 576, 121, 25});
    DWrCfgProgrBar = MakeProgress(sheet, "DWrCfgProgrBar", {618, 579, 65, 17});
    DTrainNrLb =
        MakeLabel(sheet, "DTrainNrLb", FieldText(DoorParam(FieldParam::TrainNumber)), {184, 580, 55, 14});

    BuildDoorGroups();
    BuildDoorOutputs();
    BuildDoorInputs();
    BuildDoorReaders();
    BuildDoorTest();
}

void TMainWin::BuildDoorGroups()
{
    QWidget* tabs = DDoorTabs;
    DDoorGrpBox = MakeGroup(tabs, "DDoorGrpBox", " Drzwi ", {16, 48, 281, 81});
    DRdGrpBox =
        MakeGroup(tabs, "DRdGrpBox", GroupText(DoorSlot(FieldAddress::Reader, 0)), {312, 48, 209, 177});
    DInGrpBox = MakeGroup(tabs, "DInGrpBox", GroupText(DoorSlot(FieldAddress::Input, InExitButton)),
                          {16, 136, 281, 145});
    DAirLockGrpBox =
        MakeGroup(tabs, "DAirLockGrpBox", FieldText(DoorParam(FieldParam::Airlock)), {312, 232, 161, 65});
    DOutGrpBox = MakeGroup(tabs, "DOutGrpBox", GroupText(DoorSlot(FieldAddress::Output, OutReminder)),
                           {16, 288, 281, 113});
    DTstGrpBox = MakeGroup(tabs, "DTstGrpBox", " Testowanie ", {312, 303, 201, 177});
}

void TMainWin::BuildDoorOutputs()
{
    SelectorRow r = MakeNcRow(DDoorGrpBox, {"DOut0Sel", "DOut0Lb", "DOut0Cb"},
                              DoorSlot(FieldAddress::Output, OutBolt), 16);
    DOut0Sel = r.Sel, DOut0Lb = r.Label, DOut0Cb = r.Cb;

    r = MakeNcRow(DOutGrpBox, {"DOut1Sel", "DOut1Lb", "DOut1Cb"}, DoorSlot(FieldAddress::Output, OutReminder),
                  16);
    DOut1Sel = r.Sel, DOut1Lb = r.Label, DOut1Cb = r.Cb;
    r = MakeNcRow(DOutGrpBox, {"DOut2Sel", "DOut2Lb", "DOut2Cb"}, DoorSlot(FieldAddress::Output, OutAlarm),
                  48);
    DOut2Sel = r.Sel, DOut2Lb = r.Label, DOut2Cb = r.Cb;
    r = MakeNcRow(DOutGrpBox, {"DOut3Sel", "DOut3Lb", "DOut3Cb"}, DoorSlot(FieldAddress::Output, OutCctv),
                  80);
    DOut3Sel = r.Sel, DOut3Lb = r.Label, DOut3Cb = r.Cb;
}

void TMainWin::BuildDoorInputs()
{
    SelectorRow r = MakeNcRow(DDoorGrpBox, {"DIn1Sel", "DIn1Lb", "DIn1Cb"},
                              DoorSlot(FieldAddress::Input, InOpenSensor), 48);
    DIn1Sel = r.Sel, DIn1Lb = r.Label, DIn1Cb = r.Cb;

    r = MakeNcRow(DInGrpBox, {"DIn0Sel", "DIn0Lb", "DIn0Cb"}, DoorSlot(FieldAddress::Input, InExitButton),
                  16);
    DIn0Sel = r.Sel, DIn0Lb = r.Label, DIn0Cb = r.Cb;
    r = MakeNcRow(DInGrpBox, {"DIn2Sel", "DIn2Lb", "DIn2Cb"}, DoorSlot(FieldAddress::Input, InAlarmSensor),
                  48);
    DIn2Sel = r.Sel, DIn2Lb = r.Label, DIn2Cb = r.Cb;
    r = MakeNcRow(DInGrpBox, {"DIn3Sel", "DIn3Lb", "DIn3Cb"}, DoorSlot(FieldAddress::Input, InTamper), 80);
    DIn3Sel = r.Sel, DIn3Lb = r.Label, DIn3Cb = r.Cb;
    r = MakeNcRow(DInGrpBox, {"DIn4Sel", "DIn4Lb", "DIn4Cb"}, DoorSlot(FieldAddress::Input, InEvacuation),
                  112);
    DIn4Sel = r.Sel, DIn4Lb = r.Label, DIn4Cb = r.Cb;
}

void TMainWin::BuildDoorReaders()
{
    QWidget* box = DRdGrpBox;
    DRdOutLb =
        MakeLabel(box, "DRdOutLb", ' ' + MarkText(DoorSlot(FieldAddress::Reader, 0)), {144, 16, 41, 14});
    DRd0Sel = MakeSelector(box, "DRd0Sel", {24, 40, 113, 22});
    DRd0Lb = MakeLabel(box, "DRd0Lb", FieldText(DoorSlot(FieldAddress::Reader, 0)), {8, 44, 9, 14});
    DRd0Cb = MakeCheck(box, "DRd0Cb", "", {160, 44, 17, 17});
    DRd1Sel = MakeSelector(box, "DRd1Sel", {24, 72, 113, 22});
    DRd1Lb = MakeLabel(box, "DRd1Lb", FieldText(DoorSlot(FieldAddress::Reader, 1)), {8, 76, 9, 14});
    DRd1Cb = MakeCheck(box, "DRd1Cb", "", {160, 76, 17, 17});
    DRd2Sel = MakeSelector(box, "DRd2Sel", {24, 104, 113, 22});
    DRd2Lb = MakeLabel(box, "DRd2Lb", FieldText(DoorSlot(FieldAddress::Reader, 2)), {8, 108, 9, 14});
    DRd2Cb = MakeCheck(box, "DRd2Cb", "", {160, 108, 17, 17});
    DRd3Sel = MakeSelector(box, "DRd3Sel", {24, 136, 113, 22});
    DRd3Lb = MakeLabel(box, "DRd3Lb", FieldText(DoorSlot(FieldAddress::Reader, 3)), {8, 140, 9, 14});
    DRd3Cb = MakeCheck(box, "DRd3Cb", "", {160, 140, 17, 17});

    DSluzaSel = MakeSelector(DAirLockGrpBox, "DSluzaSel", {32, 24, 113, 22}, true);
}

void TMainWin::BuildDoorTest()
{
    QWidget* box = DTstGrpBox;
    DKlamkaCb =
        MakeCheck(box, "DKlamkaCb", FieldText(DoorParam(FieldParam::HandleOpening)), {24, 25, 161, 17});
    DFullTimCb =
        MakeCheck(box, "DFullTimCb", FieldText(DoorParam(FieldParam::FullBoltPulse)), {24, 48, 161, 17});
    // "Zablokowane" needs 16 pixels more than a 73-pixel list leaves beside its
    // arrow even in the tight style; the list grows into the free room on its
    // right.
    DTypeCb = MakeSelector(box, "DTypeCb", {96, 83, 93, 22});
    for (std::string_view type : words::DoorTypes) {
        DTypeCb->addItem(WordText(type));
    }
    DTypeLb = MakeLabel(box, "DTypeLb", FieldText(DoorParam(FieldParam::DoorType)), {16, 88, 74, 14}, true);
    DRygTimEd = MakeEdit(box, "DRygTimEd", {128, 111, 33, 22}, 4);
    DRygTimEd->setValidator(new TTimeText(DRygTimEd));
    DRygTimLb =
        MakeLabel(box, "DRygTimLb", FieldText(DoorParam(FieldParam::BoltPulse)), {16, 115, 106, 14}, true);
    DRygTimsLb = MakeLabel(box, "DRygTimsLb", "s", {171, 115, 6, 14});
    DOpenTimEd = MakeEdit(box, "DOpenTimEd", {128, 143, 33, 22}, 4);
    DOpenTimEd->setValidator(new TTimeText(DOpenTimEd));
    DOpenTimLb =
        MakeLabel(box, "DOpenTimLb", FieldText(DoorParam(FieldParam::OpenTime)), {16, 147, 107, 14}, true);
    DOpenTimsLb = MakeLabel(box, "DOpenTimsLb", "s", {171, 147, 6, 14});
}

}  // namespace quor
