// The assign operations: one slot changes, and the taken masks follow it.
#include "model/Cfgset.h"

#include <algorithm>

namespace quor {

namespace {

// References outside the 128 entries never touch a mask.
void SetTaken(BusDevTable& table, int kind, ResRef r, bool taken)
{
    if (!RefNamesEntry(r)) {
        return;
    }
    uint32_t& mask = table.Dev[RefEntry(r)].Taken[kind];
    const uint32_t bit = uint32_t{1} << RefNumber(r);
    mask = taken ? mask | bit : mask & ~bit;
}

template <size_t N>
void Replace(std::array<ResRef, N>& slots, int slot, ResRef r, int kind, BusDevTable& table)
{
    SetTaken(table, kind, slots[slot], false);
    slots[slot] = r;
    SetTaken(table, kind, r, true);
}

template <size_t N> bool InRange(const std::array<ResRef, N>&, int slot)
{
    return slot >= 0 && slot < int{N};
}

template <size_t N>
void MarkFirst(const std::array<ResRef, N>& slots, int32_t count, int kind, BusDevTable& table)
{
    const int n = std::clamp<int32_t>(count, 0, N);
    for (int i = 0; i < n; ++i) {
        SetTaken(table, kind, slots[i], true);
    }
}

}  // namespace

void CfgBlock::AssignOutput(int slot, ResRef r, bool nc, BusDevTable& table)
{
    if (!InRange(Outputs, slot)) {
        return;
    }
    // Only OC outputs, at or above the device's fixed outputs, carry an NC flag.
    if (RefNamesEntry(r) && RefNumber(r) >= table.Dev[RefEntry(r)].FixedOutputs) {
        r = WithNc(r, nc);
    }
    Replace(Outputs, slot, r, ResOutput, table);
}

void CfgBlock::AssignOutputSet(int slot, ResRef r, BusDevTable& table)
{
    if (InRange(OutputSets, slot)) {
        Replace(OutputSets, slot, r, ResOutputSet, table);
    }
}

void CfgBlock::AssignInput(int slot, ResRef r, bool nc, BusDevTable& table)
{
    if (!InRange(Inputs, slot)) {
        return;
    }
    if (r != NoRef) {
        r = WithNc(r, nc);
    }
    Replace(Inputs, slot, r, ResInput, table);
}

void CfgBlock::AssignReader(int slot, ResRef r, BusDevTable& table)
{
    if (InRange(Readers, slot)) {
        Replace(Readers, slot, r, ResReader, table);
    }
}

void CfgBlock::MarkTaken(BusDevTable& table) const
{
    MarkFirst(Outputs, OutputCount, ResOutput, table);
    MarkFirst(OutputSets, OutputSetCount, ResOutputSet, table);
    MarkFirst(Inputs, InputCount, ResInput, table);
    if (BlockType != BlockCommon) {
        MarkFirst(Readers, ReaderCount, ResReader, table);
    }
}

}  // namespace quor
