#include "sheets/SheetFieldTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "sheets/ControllerKinds.h"
#include "sheets/FieldRows.h"
#include "sheets/SheetWords.h"

namespace quor {

namespace {

using enum FieldSection;
using enum FieldAddress;

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
        return rows::DoorRows();
    case KindLift:
        return rows::LiftRows();
    case KindLockers:
        return rows::LockersRows();
    default:
        return {};
    }
}

const SheetFieldRow& SlotRow(int32_t kind, FieldAddress address, int slot)
{
    for (const SheetFieldRow& row : FieldRowsOf(kind)) {
        if (address != Parameter && row.Address == address && (row.EachModule || row.Slot == slot))
            return row;
    }
    throw std::out_of_range("no field of kind " + std::to_string(kind) + " addresses slot " +
                            std::to_string(slot));
}

const SheetFieldRow& ParamRow(int32_t kind, FieldParam param)
{
    for (const SheetFieldRow& row : FieldRowsOf(kind)) {
        if (param != FieldParam::None && row.Param == param)
            return row;
    }
    throw std::out_of_range("no field of kind " + std::to_string(kind) + " sets parameter " +
                            std::to_string(static_cast<int>(param)));
}

SheetView ViewSheet(const Controller& c, std::optional<int> door)
{
    SheetView view{.C = &c};
    switch (c.Table.Kind) {
    case KindDoors:
        view.Doors.resize(DoorTabCount(c.Table));
        for (int d = 0; d < static_cast<int>(view.Doors.size()); ++d) {
            if (!door || d == *door)
                view.Doors[d] = ViewDoorSheet(c.Doors, c.Table, d);
        }
        break;
    case KindLift:
        view.Lift = ViewLiftSheet(c.Lift, c.Table);
        break;
    case KindLockers:
        view.Lockers = ViewLockersSheet(c.Lockers, c.Table);
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