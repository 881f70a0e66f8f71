#pragma once
// Every field of the three sheets, declared once: where it stands in the
// sheets' words, what it addresses, the value it takes, its mark and, for a
// field that is not a reference, the sheet's edit that sets it. The site
// planner finds a site file's field here and sets it through the row.

#include <cstdint>
#include <span>
#include <string_view>

#include "model/Controller.h"

namespace quor {

// Where a field's section is: the door sheet's common part ("Przejścia"),
// a door's tab ("Przejście N"), or the sheet of a lift or lockers ("Winda",
// "Szafki").
enum class FieldSection { Common, Door, Sheet };

// What a field addresses: a slot of the record, or a parameter.
enum class FieldAddress { Output, Input, Reader, OutputSet, Parameter };

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

// A value read from its text, for the row's edit.
struct FieldInput {
    std::string_view Text;  // Digits, LockerNumber (empty for none), Time as typed, RoomName
    int Index = 0;          // DoorType, Airlock
    bool On = false;        // YesNo
};

struct SheetFieldRow {
    FieldSection Section;
    std::string_view Group;  // empty outside any group box
    std::string_view Label;
    FieldAddress Address;
    int Slot;  // the record's slot; for a row of each lockers module, unused (the module's row is the slot)
    FieldValue Value;
    std::string_view Mark = {};  // "NC" or "Wyjście"; empty for a field without one
    // The row stands once in each lockers module row, its group "Moduł 0" to "Moduł F".
    bool EachModule = false;
    // What the field is called in a refusal of its digits ("the train number").
    std::string_view Called = {};
    // The sheet's edit; null for a reference, which is assigned by its slot.
    void (*Set)(Controller& c, int door, int row, const FieldInput& value) = nullptr;
};

// The rows of the sheet of a controller kind, in the order the sheet shows
// them (a door's rows once, for every door); empty for a kind without one.
std::span<const SheetFieldRow> FieldRowsOf(int32_t kind);

}  // namespace quor
