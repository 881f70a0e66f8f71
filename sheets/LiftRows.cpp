#include "sheets/FieldRows.h"

#include "sheets/SheetEdits.h"
#include "sheets/SheetWords.h"

namespace quor::rows {

namespace {

using enum FieldSection;
using enum FieldAddress;

const LiftSheetView& LiftOf(const SheetView& v)
{
    return *v.Lift;
}

RefShown LiftReader(const SheetView& v, int, int slot)
{
    return Alone(LiftOf(v).Readers[slot]);
}

const SheetFieldRow TheLiftRows[] = {
    {.Section = Sheet,
     .Label = words::LiftModule,
     .Address = OutputSet,
     .Slot = LiftModuleSlot,
     .ShowRef = [](const SheetView& v, int, int) { return Alone(LiftOf(v).Module); },
     .Assign =
         [](Controller& c, int, int, const RefInput& r) {
             if (!r.Same)
                 AssignLiftModule(c.Lift, c.Table, r.Value);
         }},
    {.Section = Sheet,
     .Label = words::FloorChoice,
     .Address = Input,
     .Slot = LiftFloorInput,
     .Mark = Nc,
     .ShowRef = [](const SheetView& v, int, int) { return Row(LiftOf(v).Floor); },
     .Assign = AssignSheetInput},
    {.Section = Sheet,
     .Label = words::Tamper,
     .Address = Input,
     .Slot = LiftTamperInput,
     .Mark = Nc,
     .ShowRef = [](const SheetView& v, int, int) { return Row(LiftOf(v).Tamper); },
     .Assign = AssignSheetInput},
    SheetReaderRow(0, LiftReader),
    SheetReaderRow(1, LiftReader),
    SheetReaderRow(2, LiftReader),
    SheetReaderRow(3, LiftReader),
    {.Section = Sheet,
     .Label = words::ButtonRelease,
     .Param = FieldParam::PulseTime,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int, int) { return Seconds(LiftOf(v).PulseText); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetPulseTime(c.Lift, in.Text); }},
};

}  // namespace

std::span<const SheetFieldRow> LiftRows()
{
    return TheLiftRows;
}

}  // namespace quor::rows
