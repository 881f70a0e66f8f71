#include "sheets/FieldRows.h"

#include "sheets/NumberText.h"
#include "sheets/SheetEdits.h"
#include "sheets/SheetWords.h"

namespace quor::rows {

namespace {

using enum FieldSection;
using enum FieldAddress;

const DoorSheetView& DoorOf(const SheetView& v, int door)
{
    return *v.Doors[door];
}

RefShown DoorOutput(const SheetView& v, int door, int slot)
{
    return Row(DoorOf(v, door).Outputs[slot]);
}

RefShown DoorInput(const SheetView& v, int door, int slot)
{
    return Row(DoorOf(v, door).Inputs[slot]);
}

RefShown DoorReader(const SheetView& v, int door, int slot)
{
    return Row(DoorOf(v, door).Readers[slot]);
}

void AssignDoorOutput(Controller& c, int door, int slot, const RefInput& r)
{
    if (r.Same)
        SetDoorOutputNc(c.Doors, c.Table, door, slot, r.Marked);
    else
        AssignDoorOutputRow(c.Doors, c.Table, door, slot, r.Value, r.Marked);
}

void AssignDoorInputRow(Controller& c, int door, int slot, const RefInput& r)
{
    if (r.Same)
        SetDoorInputNc(c.Doors, c.Table, door, slot, r.Marked);
    else
        AssignDoorInput(c.Doors, c.Table, door, slot, r.Value, r.Marked);
}

void AssignDoorReaderRow(Controller& c, int door, int slot, const RefInput& r)
{
    if (!r.Same)
        AssignDoorReader(c.Doors, c.Table, door, slot, r.Value);
    // The exit bit of an emptied reader stays as the disabled box shows it.
    if (r.Value != NoRef)
        SetReaderExit(c.Doors, c.Table, door, slot, r.Marked);
}

// The lift's or lockers' record, of a controller of that kind.
constexpr SheetFieldRow DoorOutputRow(int n)
{
    return {.Section = Door,
            .Group = words::Outputs,
            .Label = words::DoorOutputs[n],
            .Address = Output,
            .Slot = n,
            .Mark = Nc,
            .ShowRef = DoorOutput,
            .Assign = AssignDoorOutput};
}

constexpr SheetFieldRow DoorInputRow(int n)
{
    return {.Section = Door,
            .Group = words::Inputs,
            .Label = words::DoorInputs[n],
            .Address = Input,
            .Slot = n,
            .Mark = Nc,
            .ShowRef = DoorInput,
            .Assign = AssignDoorInputRow};
}

constexpr SheetFieldRow DoorReaderRow(int n)
{
    return {.Section = Door,
            .Group = words::Readers,
            .Label = words::ReaderNumbers[n],
            .Address = Reader,
            .Slot = n,
            .Mark = words::ExitReader,
            .ShowRef = DoorReader,
            .Assign = AssignDoorReaderRow};
}

// The airlock selector's item; a stored airlock it does not offer shows as
// "? (Śluza n)". No airlock is no value, though the selector shows its none item.
ValueShown AirlockShown(const SheetView& v, int door, int)
{
    const int index = DoorOf(v, door).AirlockIndex;
    if (index < 0) {
        const uint8_t flags = v.C->Doors.Doors[door].Params[ParDoorFlags];
        return Showing("? (" + words::AirlockName((flags & 3) + 1) + ")");
    }
    std::string item = AirlockItems(v.C->Table).at(index);
    if (index > 0)
        return Showing(item);
    ValueShown none;
    none.Shown = std::move(item);
    return none;
}

ValueShown DoorTypeShown(const SheetView& v, int door, int)
{
    const int index = DoorOf(v, door).TypeIndex;
    if (index >= 0)
        return Showing(std::string(DoorTypeNames.at(index)));
    return Showing("? (" + std::to_string(v.C->Doors.Doors[door].Params[ParDoorType] & 0x0F) + ")");
}

const SheetFieldRow TheDoorRows[] = {
    {.Section = Common,
     .Label = words::TrainNumber,
     .Param = FieldParam::TrainNumber,
     .Value = FieldValue::Digits,
     .Called = "the train number",
     .Show = [](const SheetView& v, int, int) { return Showing(TrainNumberText(v.C->Doors.TrainNumber)); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetTrainNumber(c.Doors, in.Text); }},
    DoorOutputRow(0),
    DoorOutputRow(1),
    DoorOutputRow(2),
    DoorOutputRow(3),
    DoorInputRow(0),
    DoorInputRow(1),
    DoorInputRow(2),
    DoorInputRow(3),
    DoorInputRow(4),
    DoorReaderRow(0),
    DoorReaderRow(1),
    DoorReaderRow(2),
    DoorReaderRow(3),
    {.Section = Door,
     .Label = words::Airlocks,
     .Param = FieldParam::Airlock,
     .Value = FieldValue::Airlock,
     .Show = AirlockShown,
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetAirlock(c.Doors, c.Table, door, in.Index); }},
    {.Section = Door,
     .Label = words::DoorType,
     .Param = FieldParam::DoorType,
     .Value = FieldValue::DoorType,
     .Show = DoorTypeShown,
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetDoorType(c.Doors, c.Table, door, in.Index); }},
    {.Section = Door,
     .Label = words::BoltPulse,
     .Param = FieldParam::BoltPulse,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int door, int) { return Seconds(DoorOf(v, door).BoltPulseText); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetBoltPulse(c.Doors, c.Table, door, in.Text); }},
    {.Section = Door,
     .Label = words::OpenTime,
     .Param = FieldParam::OpenTime,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int door, int) { return Seconds(DoorOf(v, door).OpenTimeText); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetOpenTime(c.Doors, c.Table, door, in.Text); }},
    {.Section = Door,
     .Label = words::HandleOpening,
     .Param = FieldParam::HandleOpening,
     .Value = FieldValue::YesNo,
     .Show = [](const SheetView& v, int door,
                int) { return Showing(std::string(YesNo(DoorOf(v, door).HandleOpening))); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetHandleOpening(c.Doors, c.Table, door, in.On); }},
    {.Section = Door,
     .Label = words::FullBoltPulse,
     .Param = FieldParam::FullBoltPulse,
     .Value = FieldValue::YesNo,
     .Show = [](const SheetView& v, int door,
                int) { return Showing(std::string(YesNo(DoorOf(v, door).FullBoltPulse))); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetFullBoltPulse(c.Doors, c.Table, door, in.On); }},
};

}  // namespace

std::span<const SheetFieldRow> DoorRows()
{
    return TheDoorRows;
}

}  // namespace quor::rows
