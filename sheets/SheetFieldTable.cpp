#include "sheets/SheetFieldTable.h"

#include <algorithm>
#include <utility>

#include "sheets/ControllerKinds.h"
#include "sheets/NumberText.h"
#include "sheets/SheetEdits.h"
#include "sheets/SheetWords.h"

namespace quor {

namespace {

using enum FieldSection;
using enum FieldAddress;

constexpr std::string_view Nc = "NC";

RefShown Row(const SelectorRowView& row)
{
    return {&row.Selector, row.Check.Checked};
}

RefShown Alone(const SelectorView& selector)
{
    return {&selector, false};
}

ValueShown Showing(std::string value, std::string_view flag = {})
{
    ValueShown shown;
    shown.Value = std::move(value);
    shown.Flag = flag;
    return shown;
}

ValueShown Seconds(const std::string& text)
{
    return Showing(text + " s");
}

// A door's controls, on its tab.
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
        SetDoorOutputNc(c.Doors, door, slot, r.Marked);
    else
        AssignDoorOutputRow(c.Doors, door, slot, r.Value, r.Marked);
}

void AssignDoorInputRow(Controller& c, int door, int slot, const RefInput& r)
{
    if (r.Same)
        SetDoorInputNc(c.Doors, door, slot, r.Marked);
    else
        AssignDoorInput(c.Doors, door, slot, r.Value, r.Marked);
}

void AssignDoorReaderRow(Controller& c, int door, int slot, const RefInput& r)
{
    if (!r.Same)
        AssignDoorReader(c.Doors, door, slot, r.Value);
    // The exit bit of an emptied reader stays as the disabled box shows it.
    if (r.Value != NoRef)
        SetReaderExit(c.Doors, door, slot, r.Marked);
}

// The lift's or lockers' record, of a controller of that kind.
OutSetCfg& OutSetOf(Controller& c)
{
    return c.Table.Kind == KindLift ? c.Lift : c.Lockers;
}

void AssignSheetInput(Controller& c, int, int slot, const RefInput& r)
{
    OutSetCfg& cfg = OutSetOf(c);
    if (r.Same)
        SetInputNc(cfg, slot, r.Marked);
    else
        cfg.AssignInput(slot, r.Value, r.Marked, c.Table);
}

void AssignSheetReader(Controller& c, int, int slot, const RefInput& r)
{
    if (!r.Same)
        OutSetOf(c).AssignReader(slot, r.Value, c.Table);
}

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

const SheetFieldRow DoorRows[] = {
    {.Section = Common,
     .Label = words::TrainNumber,
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
     .Value = FieldValue::Airlock,
     .Show = AirlockShown,
     .Set = [](Controller& c, int door, int, const FieldInput& in) { SetAirlock(c.Doors, door, in.Index); }},
    {.Section = Door,
     .Label = words::DoorType,
     .Value = FieldValue::DoorType,
     .Show = DoorTypeShown,
     .Set = [](Controller& c, int door, int, const FieldInput& in) { SetDoorType(c.Doors, door, in.Index); }},
    {.Section = Door,
     .Label = words::BoltPulse,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int door, int) { return Seconds(DoorOf(v, door).BoltPulseText); },
     .Set = [](Controller& c, int door, int, const FieldInput& in) { SetBoltPulse(c.Doors, door, in.Text); }},
    {.Section = Door,
     .Label = words::OpenTime,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int door, int) { return Seconds(DoorOf(v, door).OpenTimeText); },
     .Set = [](Controller& c, int door, int, const FieldInput& in) { SetOpenTime(c.Doors, door, in.Text); }},
    {.Section = Door,
     .Label = words::HandleOpening,
     .Value = FieldValue::YesNo,
     .Show = [](const SheetView& v, int door,
                int) { return Showing(std::string(YesNo(DoorOf(v, door).HandleOpening))); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetHandleOpening(c.Doors, door, in.On); }},
    {.Section = Door,
     .Label = words::FullBoltPulse,
     .Value = FieldValue::YesNo,
     .Show = [](const SheetView& v, int door,
                int) { return Showing(std::string(YesNo(DoorOf(v, door).FullBoltPulse))); },
     .Set = [](Controller& c, int door, int,
               const FieldInput& in) { SetFullBoltPulse(c.Doors, door, in.On); }},
};

const LiftSheetView& LiftOf(const SheetView& v)
{
    return *v.Lift;
}

RefShown LiftReader(const SheetView& v, int, int slot)
{
    return Alone(LiftOf(v).Readers[slot]);
}

constexpr SheetFieldRow LiftReaderRow(int n)
{
    return {.Section = Sheet,
            .Group = words::Readers,
            .Label = words::ReaderNumbers[n],
            .Address = Reader,
            .Slot = n,
            .ShowRef = LiftReader,
            .Assign = AssignSheetReader};
}

const SheetFieldRow LiftRows[] = {
    {.Section = Sheet,
     .Label = words::LiftModule,
     .Address = OutputSet,
     .Slot = LiftModuleSlot,
     .ShowRef = [](const SheetView& v, int, int) { return Alone(LiftOf(v).Module); },
     .Assign =
         [](Controller& c, int, int, const RefInput& r) {
             if (!r.Same)
                 AssignLiftModule(c.Lift, r.Value);
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
    LiftReaderRow(0),
    LiftReaderRow(1),
    LiftReaderRow(2),
    LiftReaderRow(3),
    {.Section = Sheet,
     .Label = words::ButtonRelease,
     .Value = FieldValue::Time,
     .Show = [](const SheetView& v, int, int) { return Seconds(LiftOf(v).PulseText); },
     .Set = [](Controller& c, int, int, const FieldInput& in) { SetPulseTime(c.Lift, in.Text); }},
};

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

const SheetFieldRow LockersRows[] = {
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
void PlaceModuleRows(std::span<const SheetFieldRow> rows, const std::string& section,
                     std::vector<PlacedField>& placed)
{
    for (int module = 0; module < LockerModules; ++module) {
        for (const SheetFieldRow& row : rows)
            placed.push_back({&row, 0, module, section, words::ModuleRow(module)});
    }
}

}  // namespace

std::span<const SheetFieldRow> FieldRowsOf(int32_t kind)
{
    switch (kind) {
    case KindDoors:
        return DoorRows;
    case KindLift:
        return LiftRows;
    case KindLockers:
        return LockersRows;
    default:
        return {};
    }
}

SheetView ViewSheet(const Controller& c, std::optional<int> door)
{
    SheetView view{.C = &c};
    switch (c.Table.Kind) {
    case KindDoors:
        view.Doors.resize(DoorTabCount(c.Table));
        for (int d = 0; d < static_cast<int>(view.Doors.size()); ++d) {
            if (!door || d == *door)
                view.Doors[d] = ViewDoorSheet(c.Doors, d);
        }
        break;
    case KindLift:
        view.Lift = ViewLiftSheet(c.Lift);
        break;
    case KindLockers:
        view.Lockers = ViewLockersSheet(c.Lockers);
        break;
    default:
        break;
    }
    return view;
}

std::vector<PlacedField> PlacedFields(const SheetView& view)
{
    const int32_t kind = view.C->Table.Kind;
    const std::span<const SheetFieldRow> rows = FieldRowsOf(kind);
    std::vector<PlacedField> placed;
    if (kind == KindDoors) {
        for (const SheetFieldRow& row : rows) {
            if (row.Section == Common && TrainNumberShown(view.C->Table))
                placed.push_back({&row, 0, row.Slot, std::string(words::Doors), std::string(row.Group)});
        }
        for (int door = 0; door < static_cast<int>(view.Doors.size()); ++door) {
            if (!view.Doors[door])
                continue;
            for (const SheetFieldRow& row : rows) {
                if (row.Section == Door)
                    placed.push_back(
                        {&row, door, row.Slot, words::DoorSection(door), std::string(row.Group)});
            }
        }
        return placed;
    }
    if (!view.Lift && !view.Lockers)
        return placed;
    const std::string section = SheetOf(kind);
    for (auto row = rows.begin(); row != rows.end(); ++row) {
        if (!row->EachModule) {
            placed.push_back({&*row, 0, row->Slot, section, std::string(row->Group)});
            continue;
        }
        const auto last = std::find_if(row, rows.end(), [](const SheetFieldRow& r) { return !r.EachModule; });
        PlaceModuleRows({row, last}, section, placed);
        row = last - 1;
    }
    return placed;
}

const ResRef& SlotOf(const Controller& c, const PlacedField& f)
{
    const CfgBlock& block = f.Row->Section == Door     ? c.Doors.Doors[f.Door]
                            : c.Table.Kind == KindLift ? static_cast<const CfgBlock&>(c.Lift)
                                                       : c.Lockers;
    switch (f.Row->Address) {
    case Output:
        return block.Outputs[f.Slot];
    case Input:
        return block.Inputs[f.Slot];
    case OutputSet:
        return block.OutputSets[f.Slot];
    default:
        return block.Readers[f.Slot];
    }
}

ResRef& SlotOf(Controller& c, const PlacedField& f)
{
    return const_cast<ResRef&>(SlotOf(std::as_const(c), f));
}

}  // namespace quor
