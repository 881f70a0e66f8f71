// Door outputs that several doors may share: alarm and CCTV.
#include <algorithm>

#include "model/Cfgquor.h"

namespace quor {

namespace {

constexpr int OutputSlots = 10;

bool IsDoor(int door)
{
    return door >= 0 && door < MaxDoors;
}

bool IsOutputSlot(int slot)
{
    return slot >= 0 && slot < OutputSlots;
}

bool IsShared(int slot)
{
    return slot == OutAlarm || slot == OutCctv;
}

}  // namespace

void DoorCfgSet::AssignDoorOutput(int door, int slot, ResRef r, bool nc, BusDevTable& table)
{
    if (!IsDoor(door)) {
        return;
    }
    Doors[door].AssignOutput(slot, r, nc, table);
    if (IsShared(slot)) {
        PropagateNc(door, slot, table);
        RemarkSlot(slot, table);
    }
}

void DoorCfgSet::SetOutputNc(int door, int slot, bool nc, const BusDevTable& table)
{
    if (!IsDoor(door) || !IsOutputSlot(slot)) {
        return;
    }
    ResRef& r = Doors[door].Outputs[slot];
    r = WithNc(r, nc);
    if (IsShared(slot)) {
        PropagateNc(door, slot, table);
    }
}

void DoorCfgSet::PropagateNc(int door, int slot, const BusDevTable& table)
{
    if (!IsDoor(door) || !IsOutputSlot(slot)) {
        return;
    }
    // The door assigned or edited last decides the flag for every door sharing the output.
    const ResRef v = Doors[door].Outputs[slot];
    for (int i = 0; i < DoorsInUse(table); ++i) {
        ResRef& r = Doors[i].Outputs[slot];
        if (SameResource(r, v)) {
            r = v;
        }
    }
}

void DoorCfgSet::RemarkSlot(int slot, BusDevTable& table) const
{
    if (!IsOutputSlot(slot)) {
        return;
    }
    // One door leaving a shared output cleared its bit; the others still use it.
    for (int i = 0; i < DoorsInUse(table); ++i) {
        const ResRef r = Doors[i].Outputs[slot];
        if (RefNamesEntry(r)) {
            table.Dev[RefEntry(r)].Taken[ResOutput] |= uint32_t{1} << RefNumber(r);
        }
    }
}

int DoorCfgSet::SharedValues(int slot, std::span<ResRef> out, const BusDevTable& table) const
{
    if (!IsOutputSlot(slot)) {
        return 0;
    }
    size_t count = 0;
    for (int i = 0; i < DoorsInUse(table) && count < out.size(); ++i) {
        const ResRef r = Doors[i].Outputs[slot];
        const auto listed = out.first(count);
        if (r != NoRef && std::find(listed.begin(), listed.end(), r) == listed.end()) {
            out[count++] = r;
        }
    }
    return static_cast<int>(count);
}

}  // namespace quor
