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

// The first (Last false) or last locker of a module row; "!" when the sheet shows it in yellow.
template <bool Last> ValueShown LockerNumberShown(const SheetView& v, int, int row)
{
    const LockersSheetView& view = LockersOf(v);
    const bool invalid = Last ? view.Invalid.LastInvalid[row] : view.Invalid.FirstInvalid[row];
    return Showing(Last ? view.LastTexts[row] : view.FirstTexts[row], invalid ? "!" : "");
}

template <bool Last> void StoreNumber(Controller& c, int, int row, const FieldInput& in)
{
    StoreLockerNumber(c.Lockers, row, Last, in.Text);
}

template <bool Last> constexpr SheetFieldRow LockerNumberRow()
{
    return {.Section = Sheet,
            .Group = words::Module,
            .Label = Last ? words::LastLocker : words::FirstLocker,
            .Param = Last ? FieldParam::LastLocker : FieldParam::FirstLocker,
            .Value = FieldValue::LockerNumber,
            .EachModule = true,
            .Called = "a locker number",
            .Show = LockerNumberShown<Last>,
            .Set = StoreNumber<Last>};
}

const SheetFieldRow TheLockersRows[] = {
    {.Section = Sheet,
     .Label = words::RoomName,
     .Param = FieldParam::RoomName,
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
    LockerNumberRow<false>(),
    LockerNumberRow<true>(),
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
    SheetReaderRow(0, LockersReader),
    SheetReaderRow(1, LockersReader),
    SheetReaderRow(2, LockersReader),
    SheetReaderRow(3, LockersReader),
    {.Section = Sheet,
     .Label = words::LockerPulse,
     .Param = FieldParam::PulseTime,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int, int) { return Seconds(LockersOf(v).PulseText); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetPulseTime(c.Lockers, in.Text); }},
    {.Section = Sheet,
     .Label = words::TestStart,
     .Param = FieldParam::TestStart,
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
