// The controls of the lift sheet.
#include "sheets/FieldCaptions.h"
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"
#include "ui/FieldRules.h"
#include "ui/LayoutKit.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// A field of the lift sheet's table, by the slot or the parameter it sets.
const SheetFieldRow& LiftSlot(FieldAddress address, int slot)
{
    return SlotRow(KindLift, address, slot);
}

const SheetFieldRow& LiftParam(FieldParam param)
{
    return ParamRow(KindLift, param);
}

}  // namespace

void TMainWin::BuildLiftSheet()
{
    QWidget* sheet = LiftSheet;
    LOutSet1Lb = MakeLabel(sheet, "LOutSet1Lb", FieldText(LiftSlot(FieldAddress::OutputSet, LiftModuleSlot)),
                           {87, 36, 42, 14}, true);
    LRdGrpBox =
        MakeGroup(sheet, "LRdGrpBox", GroupText(LiftSlot(FieldAddress::Reader, 0)), {352, 55, 161, 161});
    StopGrpBox = MakeGroup(sheet, "StopGrpBox", WordText(FramedCaption(words::Lift)), {32, 56, 281, 113});
    LInGrpBox = MakeGroup(sheet, "LInGrpBox", WordText(FramedCaption(words::Inputs)), {32, 184, 281, 89});
    LTstGrpBox = MakeGroup(sheet, "LTstGrpBox", " Testowanie ", {103, 527, 297, 73});
    LWrCfgBtn = MakeButton(sheet, "LWrCfgBtn", QStringLiteral("Zapisz konfigurację"), {456, 560, 137, 25});
    LWrCfgProgrBar = MakeProgress(sheet, "LWrCfgProgrBar", {456, 592, 137, 17});

    QWidget* stop = StopGrpBox;
    LOutSet0Sel = MakeSelector(stop, "LOutSet0Sel", {112, 32, 113, 22});
    LOutSet0Lb = MakeLabel(stop, "LOutSet0Lb", FieldText(LiftSlot(FieldAddress::OutputSet, LiftModuleSlot)),
                           {47, 36, 42, 14}, true);
    LIn1Sel = MakeSelector(stop, "LIn1Sel", {112, 64, 113, 22});
    LIn1Lb = MakeLabel(stop, "LIn1Lb", FieldText(LiftSlot(FieldAddress::Input, LiftFloorInput)),
                       {24, 68, 65, 14}, true);
    LIn1Cb =
        MakeCheck(stop, "LIn1Cb", MarkText(LiftSlot(FieldAddress::Input, LiftFloorInput)), {240, 68, 33, 17});

    QWidget* in = LInGrpBox;
    LIn3Sel = MakeSelector(in, "LIn3Sel", {112, 36, 113, 22});
    LIn3Cb =
        MakeCheck(in, "LIn3Cb", MarkText(LiftSlot(FieldAddress::Input, LiftTamperInput)), {240, 36, 33, 17});
    LIn3Lb = MakeLabel(in, "LIn3Lb", FieldText(LiftSlot(FieldAddress::Input, LiftTamperInput)),
                       {24, 40, 65, 14}, true);

    QWidget* rd = LRdGrpBox;
    LRd0Sel = MakeSelector(rd, "LRd0Sel", {24, 24, 113, 22});
    LRd0Lb = MakeLabel(rd, "LRd0Lb", FieldText(LiftSlot(FieldAddress::Reader, 0)), {11, 28, 9, 14});
    LRd1Sel = MakeSelector(rd, "LRd1Sel", {24, 56, 113, 22});
    LRd1Lb = MakeLabel(rd, "LRd1Lb", FieldText(LiftSlot(FieldAddress::Reader, 1)), {11, 60, 9, 14});
    LRd2Sel = MakeSelector(rd, "LRd2Sel", {24, 88, 113, 22});
    LRd2Lb = MakeLabel(rd, "LRd2Lb", FieldText(LiftSlot(FieldAddress::Reader, 2)), {11, 92, 9, 14});
    LRd3Sel = MakeSelector(rd, "LRd3Sel", {24, 120, 113, 22});
    LRd3Lb = MakeLabel(rd, "LRd3Lb", FieldText(LiftSlot(FieldAddress::Reader, 3)), {11, 124, 9, 14});

    QWidget* tst = LTstGrpBox;
    LTimEd = MakeEdit(tst, "LTimEd", {200, 31, 33, 22}, 4);
    LTimEd->setValidator(new TTimeText(LTimEd));
    LTimLb = MakeLabel(tst, "LTimLb", FieldText(LiftParam(FieldParam::PulseTime)), {24, 35, 158, 14}, true);
    LTimsLb = MakeLabel(tst, "LTimsLb", "s", {243, 35, 6, 14});
}

}  // namespace quor
