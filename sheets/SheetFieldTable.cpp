#include "sheets/SheetFieldTable.h"

#include "sheets/DoorSheet.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"
#include "sheets/SheetEdits.h"
#include "sheets/SheetWords.h"

namespace quor {

namespace {

using enum FieldSection;
using enum FieldAddress;
using enum FieldValue;

constexpr std::string_view Nc = "NC";

const SheetFieldRow DoorRows[] = {
    {Common,
     "",
     words::TrainNumber,
     Parameter,
     0,
     Digits,
     {},
     false,
     "the train number",
     [](Controller& c, int, int, const FieldInput& v) { SetTrainNumber(c.Doors, v.Text); }},
    {Door, words::Outputs, words::DoorOutputs[0], Output, 0, Reference, Nc},
    {Door, words::Outputs, words::DoorOutputs[1], Output, 1, Reference, Nc},
    {Door, words::Outputs, words::DoorOutputs[2], Output, 2, Reference, Nc},
    {Door, words::Outputs, words::DoorOutputs[3], Output, 3, Reference, Nc},
    {Door, words::Inputs, words::DoorInputs[0], Input, 0, Reference, Nc},
    {Door, words::Inputs, words::DoorInputs[1], Input, 1, Reference, Nc},
    {Door, words::Inputs, words::DoorInputs[2], Input, 2, Reference, Nc},
    {Door, words::Inputs, words::DoorInputs[3], Input, 3, Reference, Nc},
    {Door, words::Inputs, words::DoorInputs[4], Input, 4, Reference, Nc},
    {Door, words::Readers, words::ReaderNumbers[0], Reader, 0, Reference, words::ExitReader},
    {Door, words::Readers, words::ReaderNumbers[1], Reader, 1, Reference, words::ExitReader},
    {Door, words::Readers, words::ReaderNumbers[2], Reader, 2, Reference, words::ExitReader},
    {Door, words::Readers, words::ReaderNumbers[3], Reader, 3, Reference, words::ExitReader},
    {Door,
     "",
     words::Airlocks,
     Parameter,
     0,
     Airlock,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) { SetAirlock(c.Doors, c.Table, door, v.Index); }},
    {Door,
     "",
     words::DoorType,
     Parameter,
     0,
     DoorType,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) { SetDoorType(c.Doors, c.Table, door, v.Index); }},
    {Door,
     "",
     words::BoltPulse,
     Parameter,
     0,
     Time,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) { SetBoltPulse(c.Doors, c.Table, door, v.Text); }},
    {Door,
     "",
     words::OpenTime,
     Parameter,
     0,
     Time,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) { SetOpenTime(c.Doors, c.Table, door, v.Text); }},
    {Door,
     "",
     words::HandleOpening,
     Parameter,
     0,
     YesNo,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) {
         SetHandleOpening(c.Doors, c.Table, door, v.On);
     }},
    {Door,
     "",
     words::FullBoltPulse,
     Parameter,
     0,
     YesNo,
     {},
     false,
     {},
     [](Controller& c, int door, int, const FieldInput& v) {
         SetFullBoltPulse(c.Doors, c.Table, door, v.On);
     }},
};

const SheetFieldRow LiftRows[] = {
    {Sheet, "", words::LiftModule, OutputSet, LiftModuleSlot, Reference},
    {Sheet, "", words::FloorChoice, Input, LiftFloorInput, Reference, Nc},
    {Sheet, "", words::Tamper, Input, LiftTamperInput, Reference, Nc},
    {Sheet, words::Readers, words::ReaderNumbers[0], Reader, 0, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[1], Reader, 1, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[2], Reader, 2, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[3], Reader, 3, Reference},
    {Sheet,
     "",
     words::ButtonRelease,
     Parameter,
     0,
     Time,
     {},
     false,
     {},
     [](Controller& c, int, int, const FieldInput& v) { SetPulseTime(c.Lift, v.Text); }},
};

const SheetFieldRow LockersRows[] = {
    {Sheet,
     "",
     words::RoomName,
     Parameter,
     0,
     RoomName,
     {},
     false,
     {},
     [](Controller& c, int, int, const FieldInput& v) { SetRoomNameText(c.Lockers, v.Text); }},
    {Sheet, words::Module, words::Module, OutputSet, 0, Reference, {}, true},
    {Sheet,
     words::Module,
     words::FirstLocker,
     Parameter,
     0,
     LockerNumber,
     {},
     true,
     "a locker number",
     [](Controller& c, int, int row, const FieldInput& v) {
         StoreLockerNumber(c.Lockers, row, false, v.Text);
     }},
    {Sheet,
     words::Module,
     words::LastLocker,
     Parameter,
     0,
     LockerNumber,
     {},
     true,
     "a locker number",
     [](Controller& c, int, int row, const FieldInput& v) {
         StoreLockerNumber(c.Lockers, row, true, v.Text);
     }},
    {Sheet, "", words::LockersAlarm, Input, LockersAlarmInput, Reference, Nc},
    {Sheet, "", words::Tamper, Input, LockersTamperInput, Reference, Nc},
    {Sheet, words::Readers, words::ReaderNumbers[0], Reader, 0, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[1], Reader, 1, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[2], Reader, 2, Reference},
    {Sheet, words::Readers, words::ReaderNumbers[3], Reader, 3, Reference},
    {Sheet,
     "",
     words::LockerPulse,
     Parameter,
     0,
     Time,
     {},
     false,
     {},
     [](Controller& c, int, int, const FieldInput& v) { SetPulseTime(c.Lockers, v.Text); }},
    {Sheet,
     "",
     words::TestStart,
     Parameter,
     0,
     Digits,
     {},
     false,
     "the first locker of the test",
     [](Controller& c, int, int, const FieldInput& v) { SetTestStartText(c.Lockers, v.Text); }},
};

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

}  // namespace quor
