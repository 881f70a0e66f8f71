#include "sheets/FieldRows.h"

#include "sheets/SheetEdits.h"
#include "sheets/SheetWords.h"

namespace quor::rows {

namespace {

using enum FieldSection;
using enum FieldAddress;

const LockersSheetView& LockersOf(const SheetView& v)
{
    return *v.Lockers;
}

RefShown LockersReader(const SheetView& v, int, int slot)
{
    return Alone(LockersOf(v).Readers[slot]);
}

constexpr SheetFieldRow LockersReaderRow(int n)
{
    return {.Section = Sheet,
            .Group = words::Readers,
            .Label = words::ReaderNumbers[n],
            .Address = Reader,
            .Slot = n,
            .ShowRef = LockersReader,
            .Assign = AssignSheetReader};
}

ValueShown LockerNumberShown(const std::string& text, bool invalid)
{
    return Showing(text, invalid ? "!" : "");
}

const SheetFieldRow TheLockersRows[] = {
    {.Section = Sheet,
     .Label = words::RoomName,
     .Value = FieldValue::RoomName,
     .Show = [](const SheetView& v, int, int) { return Showing(LockersOf(v).RoomName); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetRoomNameText(c.Lockers, in.Text); }},
    {.Section = Sheet,
     .Group = words::Module,
     .Label = words::Module,
     .Address = OutputSet,
     .EachModule = true,
     .ShowRef = [](const SheetView& v, int, int row) { return Alone(LockersOf(v).Modules[row]); },
     .Assign =
         [](Controller& c, int, int row, const RefInput& r) {
             if (!r.Same)
                 c.Lockers.AssignOutputSet(row, r.Value, c.Table);
         }},
    {.Section = Sheet,
     .Group = words::Module,
     .Label = words::FirstLocker,
     .Value = FieldValue::LockerNumber,
     .EachModule = true,
     .Called = "a locker number",
     .Show =
         [](const SheetView& v, int, int row) {
             const LockersSheetView& view = LockersOf(v);
             return LockerNumberShown(view.FirstTexts[row], view.Invalid.FirstInvalid[row]);
         },
     .Set = [](Controller& c, int, int row,
               const FieldInput& in) { StoreLockerNumber(c.Lockers, row, false, in.Text); }},
    {.Section = Sheet,
     .Group = words::Module,
     .Label = words::LastLocker,
     .Value = FieldValue::LockerNumber,
     .EachModule = true,
     .Called = "a locker number",
     .Show =
         [](const SheetView& v, int, int row) {
             const LockersSheetView& view = LockersOf(v);
             return LockerNumberShown(view.LastTexts[row], view.Invalid.LastInvalid[row]);
         },
     .Set = [](Controller& c, int, int row,
               const FieldInput& in) { StoreLockerNumber(c.Lockers, row, true, in.Text); }},
    {.Section = Sheet,
     .Label = words::LockersAlarm,
     .Address = Input,
     .Slot = LockersAlarmInput,
     .Mark = Nc,
     .ShowRef = [](const SheetView& v, int, int) { return Row(LockersOf(v).Alarm); },
     .Assign = AssignSheetInput},
    {.Section = Sheet,
     .Label = words::Tamper,
     .Address = Input,
     .Slot = LockersTamperInput,
     .Mark = Nc,
     .ShowRef = [](const SheetView& v, int, int) { return Row(LockersOf(v).Tamper); },
     .Assign = AssignSheetInput},
    LockersReaderRow(0),
    LockersReaderRow(1),
    LockersReaderRow(2),
    LockersReaderRow(3),
    {.Section = Sheet,
     .Label = words::LockerPulse,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int, int) { return Seconds(LockersOf(v).PulseText); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetPulseTime(c.Lockers, in.Text); }},
    {.Section = Sheet,
     .Label = words::TestStart,
     .Value = FieldValue::Digits,
     .Called = "the first locker of the test",
     .Show = [](const SheetView& v, int, int) { return Showing(LockersOf(v).TestStartText); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetTestStartText(c.Lockers, in.Text); }},
};

// The rows of each module row, which the sheet shows module by module.
}  // namespace

std::span<const SheetFieldRow> LockersRows()
{
    return TheLockersRows;
}

}  // namespace quor::rows
