// The edits the door sheet's controls make to the door configuration.
#include "sheets/DoorSheet.h"
#include "sheets/HalfSeconds.h"
#include "sheets/NumberText.h"
#include "sheets/SheetEdits.h"

namespace quor {

namespace {

constexpr int HandleBit = 0x40;
constexpr int FullPulseBit = 0x80;

// The door of a tab, or null when the tab holds no door of the configuration.
DoorCfg* DoorOf(DoorCfgSet& cfg, const BusDevTable& table, int door)
{
    return door >= 0 && door < DoorsInUse(table) ? &cfg.Doors[door] : nullptr;
}

void SetFlag(DoorCfgSet& cfg, const BusDevTable& table, int door, int bit, bool on)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        uint8_t& flags = d->Params[ParDoorFlags];
        flags = static_cast<uint8_t>(on ? flags | bit : flags & ~bit);
    }
}

void SetTime(DoorCfgSet& cfg, const BusDevTable& table, int door, int param, std::string_view text)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        d->Params[param] = ParseHalfSeconds(text);
    }
}

}  // namespace

void AssignBolt(DoorCfgSet& cfg, BusDevTable& table, int door, ResRef value, bool nc)
{
    DoorCfg* d = DoorOf(cfg, table, door);
    if (!d) {
        return;
    }
    const ResRef old = d->Outputs[OutBolt];
    cfg.AssignDoorOutput(door, OutBolt, value, nc, table);
    if (value == NoRef || (value >> 8) != (old >> 8)) {
        d->AssignInput(InOpenSensor, NoRef, false, table);
    }
}

void AssignDoorOutputRow(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value, bool nc)
{
    if (slot == OutBolt) {
        AssignBolt(cfg, table, door, value, nc);
    } else if (DoorOf(cfg, table, door) && slot > 0 && slot < DoorOutputRows) {
        cfg.AssignDoorOutput(door, slot, value, nc, table);
    }
}

void AssignDoorInput(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value, bool nc)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        d->AssignInput(slot, value, nc, table);
    }
}

void AssignDoorReader(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        d->AssignReader(slot, value, table);
    }
}

void SetDoorOutputNc(DoorCfgSet& cfg, const BusDevTable& table, int door, int slot, bool nc)
{
    if (DoorOf(cfg, table, door)) {
        cfg.SetOutputNc(door, slot, nc, table);
    }
}

void SetDoorInputNc(DoorCfgSet& cfg, const BusDevTable& table, int door, int slot, bool nc)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        SetInputNc(*d, slot, nc);
    }
}

void SetReaderExit(DoorCfgSet& cfg, const BusDevTable& table, int door, int reader, bool exit)
{
    DoorCfg* d = DoorOf(cfg, table, door);
    if (!d || reader < 0 || reader >= DoorReaderRows) {
        return;
    }
    uint8_t& flags = d->Params[ParReaderFlags + 4 * reader];
    flags = static_cast<uint8_t>(exit ? flags | 1 : flags & ~1);
}

void SetHandleOpening(DoorCfgSet& cfg, const BusDevTable& table, int door, bool on)
{
    SetFlag(cfg, table, door, HandleBit, on);
}

void SetFullBoltPulse(DoorCfgSet& cfg, const BusDevTable& table, int door, bool on)
{
    SetFlag(cfg, table, door, FullPulseBit, on);
}

void SetDoorType(DoorCfgSet& cfg, const BusDevTable& table, int door, int index)
{
    DoorCfg* d = DoorOf(cfg, table, door);
    if (d && index >= 0) {
        d->Params[ParDoorType] = DoorTypeValue(d->Params[ParDoorType], index);
    }
}

void SetAirlock(DoorCfgSet& cfg, const BusDevTable& table, int door, int index)
{
    if (DoorCfg* d = DoorOf(cfg, table, door)) {
        d->Params[ParDoorFlags] = AirlockFlags(d->Params[ParDoorFlags], index);
    }
}

void SetBoltPulse(DoorCfgSet& cfg, const BusDevTable& table, int door, std::string_view text)
{
    SetTime(cfg, table, door, ParBoltPulse, text);
}

void SetOpenTime(DoorCfgSet& cfg, const BusDevTable& table, int door, std::string_view text)
{
    SetTime(cfg, table, door, ParOpenTime, text);
}

void SetTrainNumber(DoorCfgSet& cfg, std::string_view text)
{
    cfg.TrainNumber = ParseTrainNumber(text);
}

}  // namespace quor
