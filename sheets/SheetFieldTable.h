#pragma once
// Every field of the three sheets, declared once: where it stands in the
// sheets' words, what it addresses, the value it takes, its mark, how the
// sheet shows it and the sheet's edit that sets it. The export, the slot
// names, the site planner, quorctl's text and the window's captions all walk
// these rows.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Controller.h"
#include "sheets/DoorSheet.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"

namespace quor {

// Where a field's section is: the door sheet's common part ("Przejścia"),
// a door's tab ("Przejście N"), or the sheet of a lift or lockers ("Winda",
// "Szafki").
enum class FieldSection { Common, Door, Sheet };

// What a field addresses: a slot of the record, or a parameter.
enum class FieldAddress { Output, Input, Reader, OutputSet, Parameter };

// Which field that is not a slot a parameter row sets; the key the window
// asks its caption by.
enum class FieldParam {
    None,  // a slot's row
    TrainNumber,
    Airlock,
    DoorType,
    BoltPulse,
    OpenTime,
    HandleOpening,
    FullBoltPulse,
    PulseTime,  // the lift's button release, the lockers' opening pulse
    RoomName,
    FirstLocker,
    LastLocker,
    TestStart,
};

// The value a field takes, and so how its text is read.
enum class FieldValue {
    Reference,     // a resource of a bus device, or none
    Digits,        // 0 to 9999
    LockerNumber,  // 0 to 9999, or none
    Time,          // 0 to 63,5 s in half seconds
    YesNo,         // a check box
    DoorType,      // an item of DoorTypeNames
    Airlock,       // an item of AirlockItems, or none
    RoomName,      // Windows-1250, RoomNameMax characters
};

// Everything a controller's sheet shows, made once for a walk of its rows.
struct SheetView {
    const Controller* C = nullptr;
    std::vector<std::optional<DoorSheetView>> Doors = {};  // by tab; none for a door not in use
    std::optional<LiftSheetView> Lift = {};
    std::optional<LockersSheetView> Lockers = {};
};

// The view of the sheet of c's kind; door, when given, views that door's tab alone.
SheetView ViewSheet(const Controller& c, std::optional<int> door = std::nullopt);

// What a reference field's controls show: its selector, and its box when it has one.
struct RefShown {
    const SelectorView* Selector = nullptr;
    bool Ticked = false;
};

// What the control of a field that is not a reference shows.
struct ValueShown {
    std::string Value;           // empty for none
    std::string Shown;           // the control's text, its none item included; empty when it is Value
    std::string_view Flag = {};  // "!" for a locker number the sheet shows in yellow
};

// A value read from its text, for the row's edit.
struct FieldInput {
    std::string_view Text;  // Digits, LockerNumber (empty for none), Time as typed, RoomName
    int Index = 0;          // DoorType, Airlock
    bool On = false;        // YesNo
};

// A reference as a file or a selector gives it, for the row's assignment.
struct RefInput {
    ResRef Value = NoRef;
    bool Marked = false;  // the box beside the selector
    bool Same = false;    // the slot holds this resource already: only the box changes
};

struct SheetFieldRow {
    FieldSection Section;
    std::string_view Group = {};  // empty outside any group box
    std::string_view Label;
    FieldAddress Address = FieldAddress::Parameter;
    int Slot =
        0;  // the record's slot; for a row of each lockers module, unused (the module's row is the slot)
    FieldParam Param = FieldParam::None;
    FieldValue Value = FieldValue::Reference;
    std::string_view Mark = {};  // "NC" or "Wyjście"; empty for a field without one
    // The row stands once in each lockers module row, its group "Moduł 0" to "Moduł F".
    bool EachModule = false;
    // What the field is called in a refusal of its digits ("the train number").
    std::string_view Called = {};
    // A reference: how the sheet shows it and how its selector and box set it.
    RefShown (*ShowRef)(const SheetView& view, int door, int slot) = nullptr;
    void (*Assign)(Controller& c, int door, int slot, const RefInput& ref) = nullptr;
    // Any other field: how the sheet shows it and how its edit sets it.
    ValueShown (*Show)(const SheetView& view, int door, int row) = nullptr;
    void (*Set)(Controller& c, int door, int row, const FieldInput& value) = nullptr;
};

// The rows of the sheet of a controller kind, in the order the sheet shows
// them (a door's rows once, for every door); empty for a kind without one.
std::span<const SheetFieldRow> FieldRowsOf(int32_t kind);

// The row of the sheet of kind that addresses this slot; for an output set
// of the lockers, the modules' row. Throws std::out_of_range for a slot no
// row addresses.
const SheetFieldRow& SlotRow(int32_t kind, FieldAddress address, int slot);
// The row of the sheet of kind that sets param; throws std::out_of_range for none.
const SheetFieldRow& ParamRow(int32_t kind, FieldParam param);

// One field as it stands on a controller's sheet.
struct PlacedField {
    const SheetFieldRow* Row = nullptr;
    int Door = 0;  // the door's tab, for a door's row
    int Slot = 0;  // the record's slot; the module row for a row of each module
    std::string Section;
    std::string Group;
};

// Every field the sheet of the view shows, in the sheet's order: the train
// number when the sheet shows it, each door in use with all a door's rows,
// each lockers module row with its fields.
std::vector<PlacedField> PlacedFields(const SheetView& view);

// The slot of c's records that a reference field addresses.
ResRef& SlotOf(Controller& c, const PlacedField& f);
const ResRef& SlotOf(const Controller& c, const PlacedField& f);

}  // namespace quor
