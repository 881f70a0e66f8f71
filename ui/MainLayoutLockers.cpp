// The controls of the lockers sheet.
#include "sheets/FieldCaptions.h"
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"
#include "ui/FieldRules.h"
#include "ui/LayoutKit.h"
#include "ui/NumberEdit.h"
#include "ui/WBMain.h"

namespace quor {

namespace {

// Row k of the module list stands 32 pixels below row k - 1.
constexpr int RowTop(int k)
{
    return 56 + 32 * k;
}

QByteArray RowName(const char* head, int k, const char* tail)
{
    return QByteArray(head) + QByteArray::number(k, 16).toUpper() + tail;
}

// A field of the lockers sheet's table, by the slot or the parameter it sets.
const SheetFieldRow& LockersSlot(FieldAddress address, int slot)
{
    return SlotRow(KindLockers, address, slot);
}

const SheetFieldRow& LockersParam(FieldParam param)
{
    return ParamRow(KindLockers, param);
}

}  // namespace

void TMainWin::BuildLockersSheet()
{
    QWidget* sheet = LockersSheet;
    LsLockersGrpBox =
        MakeGroup(sheet, "LsLockersGrpBox", WordText(FramedCaption(words::Lockers)), {29, 15, 276, 578});
    LsRoomNameEd = MakeEdit(sheet, "LsRoomNameEd", {477, 16, 169, 22}, RoomNameMax);
    LsRoomNameEd->setValidator(new TCp1250Text(LsRoomNameEd));
    LrRoomNameLb = MakeLabel(sheet, "LrRoomNameLb", FieldText(LockersParam(FieldParam::RoomName)),
                             {353, 20, 113, 14}, true);
    LsInGrpBox = MakeGroup(sheet, "LsInGrpBox", WordText(FramedCaption(words::Inputs)), {352, 56, 297, 113});
    LsRdGrpBox =
        MakeGroup(sheet, "LsRdGrpBox", GroupText(LockersSlot(FieldAddress::Reader, 0)), {352, 183, 161, 161});
    LsTstGrpBox = MakeGroup(sheet, "LsTstGrpBox", " Testowanie ", {351, 367, 297, 122});
    LsWrCfgBtn = MakeButton(sheet, "LsWrCfgBtn", QStringLiteral("Zapisz konfigurację"), {456, 560, 137, 25});
    LsWrCfgProgrBar = MakeProgress(sheet, "LsWrCfgProgrBar", {456, 592, 137, 17});

    BuildLockerRows();
    BuildLockersSide();
}

void TMainWin::BuildLockerRows()
{
    QWidget* box = LsLockersGrpBox;
    LsNumbersLbl = MakeLabel(box, "LsNumbersLbl", "Numery szafek", {168, 16, 81, 14});
    LsModLbl =
        MakeLabel(box, "LsModLbl", FieldText(LockersSlot(FieldAddress::OutputSet, 0)), {56, 32, 33, 14});
    LsFromLbl =
        MakeLabel(box, "LsFromLbl", FieldText(LockersParam(FieldParam::FirstLocker)), {176, 32, 25, 14});
    LsToLbl = MakeLabel(box, "LsToLbl", FieldText(LockersParam(FieldParam::LastLocker)), {224, 32, 25, 14});
    for (int k = 0; k < LockerModules; ++k) {
        LsOutSetSel[k] =
            MakeSelector(box, RowName("LsOutSet", k, "Sel").constData(), {24, RowTop(k), 113, 22});
        LsSetBegEd[k] =
            MakeEdit(box, RowName("LsSet", k, "BegEd").constData(), {168, RowTop(k), 33, 22}, 4, true);
        LsSetEndEd[k] =
            MakeEdit(box, RowName("LsSet", k, "EndEd").constData(), {216, RowTop(k), 33, 22}, 4, true);
    }
}

void TMainWin::BuildLockersSide()
{
    QWidget* in = LsInGrpBox;
    LsIn2Sel = MakeSelector(in, "LsIn2Sel", {120, 36, 113, 22});
    LsIn2Cb = MakeCheck(in, "LsIn2Cb", MarkText(LockersSlot(FieldAddress::Input, LockersAlarmInput)),
                        {248, 36, 33, 17});
    LsIn2Lb = MakeLabel(in, "LsIn2Lb", FieldText(LockersSlot(FieldAddress::Input, LockersAlarmInput)),
                        {16, 40, 89, 14}, true);
    LsIn3Sel = MakeSelector(in, "LsIn3Sel", {120, 64, 113, 22});
    LsIn3Lb = MakeLabel(in, "LsIn3Lb", FieldText(LockersSlot(FieldAddress::Input, LockersTamperInput)),
                        {16, 68, 89, 14}, true);
    LsIn3Cb = MakeCheck(in, "LsIn3Cb", MarkText(LockersSlot(FieldAddress::Input, LockersTamperInput)),
                        {248, 68, 33, 17});

    QWidget* rd = LsRdGrpBox;
    LsRd0Sel = MakeSelector(rd, "LsRd0Sel", {24, 24, 113, 22});
    LsRd0Lb = MakeLabel(rd, "LsRd0Lb", FieldText(LockersSlot(FieldAddress::Reader, 0)), {11, 28, 9, 14});
    LsRd1Sel = MakeSelector(rd, "LsRd1Sel", {24, 56, 113, 22});
    LsRd1Lb = MakeLabel(rd, "LsRd1Lb", FieldText(LockersSlot(FieldAddress::Reader, 1)), {11, 60, 9, 14});
    LsRd2Sel = MakeSelector(rd, "LsRd2Sel", {24, 88, 113, 22});
    LsRd2Lb = MakeLabel(rd, "LsRd2Lb", FieldText(LockersSlot(FieldAddress::Reader, 2)), {11, 92, 9, 14});
    LsRd3Sel = MakeSelector(rd, "LsRd3Sel", {24, 120, 113, 22});
    LsRd3Lb = MakeLabel(rd, "LsRd3Lb", FieldText(LockersSlot(FieldAddress::Reader, 3)), {11, 124, 9, 14});

    QWidget* tst = LsTstGrpBox;
    LsStartNrEd = MakeNumberEdit(tst, "LsStartNrEd", {200, 32, 33, 22}, 4);
    LsStartNrLb = MakeLabel(tst, "LsStartNrLb", FieldText(LockersParam(FieldParam::TestStart)),
                            {21, 36, 161, 14}, true);
    LsTimEd = MakeEdit(tst, "LsTimEd", {200, 71, 33, 22}, 4);
    LsTimEd->setValidator(new TTimeText(LsTimEd));
    LsTimLb =
        MakeLabel(tst, "LsTimLb", FieldText(LockersParam(FieldParam::PulseTime)), {16, 75, 166, 14}, true);
    LsTimsLb = MakeLabel(tst, "LsTimsLb", "s", {243, 75, 6, 14});
}

}  // namespace quor
