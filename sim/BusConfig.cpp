#include "sim/BusConfig.h"

#include "sim/BlockShape.h"
#include "sim/EmuFrames.h"

#include <utility>

namespace quor::sim {

namespace {

constexpr uint8_t SetModuleBit = 0x80;  // in D2: an output-set module, sets in bits 0-1
constexpr uint8_t SetInD3Bits = 0x84;   // in D3: no outputs, one output set
constexpr uint32_t ModelCodeMask = 0x03FF0000;

// Bytes D2 and D3 of an entry: an output-set module, a device with one set, or outputs.
std::pair<uint8_t, uint8_t> OutputBytes(const BusEntry& entry)
{
    if (entry.OutputSets == 0)
        return {entry.RelayOutputs, entry.OcOutputs};
    if (entry.SetInD3 && entry.OutputSets == 1)
        return {0, SetInD3Bits};
    return {static_cast<uint8_t>(SetModuleBit | (entry.OutputSets & 0x03)), 0};
}

}  // namespace

// Header bits nobody reads (byte 3 bits 0-3, bytes 4-5, D6-D7) go out as 0.
Bytes BusConfig::TableBytes() const
{
    Bytes table;
    PutLe16(table, static_cast<uint16_t>(Entries.size()));
    table.push_back(static_cast<uint8_t>(Kind << 5 | (DoorCount & 0x1F)));
    table.push_back(static_cast<uint8_t>(TrainFlag << 4));
    PutLe16(table, 0);
    for (const auto& entry : Entries) {
        PutLe32(table, entry.Id);
        const auto [d2, d3] = OutputBytes(entry);
        table.insert(table.end(), {entry.Conn, entry.Flags, d2, d3, entry.Inputs, entry.Readers, 0, 0});
    }
    return table;
}

void BusConfig::Tick(int64_t nowMs)
{
    for (auto& entry : Entries) {
        if (entry.InactiveUntilMs >= 0 && nowMs >= entry.InactiveUntilMs) {
            entry.Flags &= static_cast<uint8_t>(~BusInactive);
            entry.InactiveUntilMs = -1;
        }
    }
}

void BusConfig::DeleteLost()
{
    for (auto& entry : Entries)
        if (entry.Present() && (entry.Flags & BusInactive))
            entry = BusEntry{};
}

// The successor takes the old entry, so every stored reference to that entry
// now names it; it needs a moment on the bus before the controller reports it active.
bool BusConfig::Replace(uint8_t oldIndex, uint8_t newIndex, int64_t nowMs)
{
    if (oldIndex == newIndex || oldIndex >= Entries.size() || newIndex >= Entries.size())
        return false;
    const BusEntry& old = Entries[oldIndex];
    BusEntry successor = Entries[newIndex];
    if (!old.Present() || !successor.Present() || (old.Id & ModelCodeMask) != (successor.Id & ModelCodeMask))
        return false;
    successor.Flags = static_cast<uint8_t>((successor.Flags & ~BusNew) | BusInactive);
    successor.InactiveUntilMs = nowMs + ReplaceSettleMs;
    Entries[oldIndex] = successor;
    Entries[newIndex] = BusEntry{};
    return true;
}

void BusConfig::AcceptNew()
{
    for (auto& entry : Entries)
        entry.Flags &= static_cast<uint8_t>(~BusNew);
}

bool BusConfig::HoldsBlock(uint8_t type, uint8_t index) const
{
    switch (Kind) {
    case KindDoorsCode:
        return (type == DoorBlockType && index < DoorCount) ||
               (type == CommonBlockType && index == 0 && TrainFlag == 1);
    case KindLiftCode:
        return type == LiftBlockType && index == 0;
    case KindLockersCode:
        return type == LockersBlockType && index == 0;
    default:
        return false;
    }
}

}  // namespace quor::sim
