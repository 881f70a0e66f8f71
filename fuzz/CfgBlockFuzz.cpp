// A configuration block as a controller may send it, for each of the four
// shapes, then the edits a sheet makes with references of any 16 bits.
//
// Input: one byte (bits 0-1 the shape: common, door, lift, lockers; bits 2-6
// the table's door count; bit 7 every door a copy of the first), a 16-bit
// length and the block's bytes, then edits of 4 bytes each: operation,
// argument, reference (little-endian).

#include <algorithm>
#include <map>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/TableChecks.h"
#include "link/Frame.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

// A full table of 128 entries of every sort of device, so that any entry
// index a reference carries names an entry: present or empty.
std::vector<uint8_t> TableReply(uint8_t kindAndDoors)
{
    std::vector<uint8_t> reply = {MaxBusDevs, 0, kindAndDoors, 0x10, 0, 0};
    for (int i = 0; i < MaxBusDevs; ++i) {
        // Model code, D2 to D5 of each sort: controller, reader, empty slot,
        // output-set module, one set in D3, a large module.
        static constexpr uint16_t Models[] = {301, 5, 0xFFFF, 710, 210, 720};
        static constexpr uint8_t Outputs[][4] = {{2, 2, 4, 2},    {0, 0, 1, 1},    {0, 0, 0, 0},
                                                 {0x83, 0, 0, 0}, {0, 0x84, 2, 0}, {16, 16, 32, 4}};
        // Large modules only every 32nd entry: the free lists, checked after every
        // input, stay a few hundred long instead of thousands.
        const int sort = i == 0 ? 0 : i % 32 == 31 ? 5 : 1 + i % 4;
        const uint32_t id = 0x20000000u | uint32_t{Models[sort]} << 16 | static_cast<uint32_t>(i);
        const uint8_t flags = (i % 7 == 3 ? FlagInactive : 0) | (i % 5 == 4 ? FlagNew : 0);
        reply.resize(reply.size() + 12);
        uint8_t* e = &reply[reply.size() - 12];
        Put32(e, id);
        e[4] = static_cast<uint8_t>(i);
        e[5] = flags;
        std::copy_n(Outputs[sort], 4, e + 6);
    }
    return reply;
}

// The table as parsed, made once per head byte: parsing and sorting 128
// entries cost more than the rest of a run.
BusDevTable ParsedTable(uint8_t kindAndDoors)
{
    static std::map<uint8_t, BusDevTable> parsed;
    const auto [at, made] = parsed.try_emplace(kindAndDoors);
    if (made)
        FUZZ_CHECK(at->second.Parse(TableReply(kindAndDoors)));
    return at->second;
}

bool Marked(const BusDevTable& t, int kind, ResRef r)
{
    return !RefNamesEntry(r) || (t.Dev[RefEntry(r)].Taken[kind] >> RefNumber(r) & 1);
}

// Every slot in use that names an entry has its resource marked taken.
void CheckMarked(const CfgBlock& b, const BusDevTable& t)
{
    const auto marked = [&t](auto& slots, int32_t count, int kind) {
        for (int i = 0; i < std::clamp<int32_t>(count, 0, static_cast<int32_t>(slots.size())); ++i)
            FUZZ_CHECK(Marked(t, kind, slots[i]));
    };
    marked(b.Outputs, b.OutputCount, ResOutput);
    marked(b.OutputSets, b.OutputSetCount, ResOutputSet);
    marked(b.Inputs, b.InputCount, ResInput);
    if (b.BlockType != BlockCommon)
        marked(b.Readers, b.ReaderCount, ResReader);
}

// Decodes the block; a block taken in encodes to a body that decodes to the same record.
void DecodeBlock(CfgBlock& block, std::span<const uint8_t> bytes)
{
    const CfgBlock before = block;
    const int expected = block.Decode(bytes);
    FUZZ_CHECK(expected == 0 || expected == before.ExpectedLength());
    if (expected == 0 || expected != static_cast<int>(bytes.size())) {
        FUZZ_CHECK(block == before);
        return;
    }
    BlockBody body;
    const int n = block.Encode(body);
    FUZZ_CHECK(n == expected - BlockHeadLen);
    std::vector<uint8_t> again(bytes.begin(), bytes.begin() + BlockHeadLen);
    again.insert(again.end(), body.begin(), body.begin() + n);
    CfgBlock copy = before;
    FUZZ_CHECK(copy.Decode(again) == expected && copy == block);
}

void Assign(CfgBlock& block, BusDevTable& table, int op, int slot, ResRef r, bool nc)
{
    static constexpr int Kinds[] = {ResOutput, ResOutputSet, ResInput, ResReader};
    static constexpr int Slots[] = {10, 16, 10, 4};
    switch (op) {
    case 0:
        block.AssignOutput(slot, r, nc, table);
        break;
    case 1:
        block.AssignOutputSet(slot, r, table);
        break;
    case 2:
        block.AssignInput(slot, r, nc, table);
        break;
    default:
        block.AssignReader(slot, r, table);
        break;
    }
    FUZZ_CHECK(Marked(table, Kinds[op], r) || slot < 0 || slot >= Slots[op]);
}

void DoorEdit(DoorCfgSet& doors, BusDevTable& table, int op, uint8_t arg, ResRef r, bool nc)
{
    const int door = static_cast<int8_t>(arg) >> 4;  // -8 to 7
    const int slot = (arg & 15) - 2;                 // -2 to 13
    switch (op) {
    case 4:
        doors.AssignDoorOutput(door, slot, r, nc, table);
        if (door >= 0 && slot >= 0 && slot < 10)
            FUZZ_CHECK(Marked(table, ResOutput, r));
        break;
    case 5:
        doors.SetOutputNc(door, slot, nc, table);
        break;
    case 6:
        doors.PropagateNc(door, slot, table);
        doors.RemarkSlot(slot, table);
        break;
    default: {
        std::vector<ResRef> out(r % 12);
        const int n = doors.SharedValues(slot, out, table);
        FUZZ_CHECK(n >= 0 && static_cast<size_t>(n) <= out.size() && n <= DoorsInUse(table));
        for (int i = 0; i < n; ++i)
            FUZZ_CHECK(out[i] != NoRef && std::count(out.begin(), out.begin() + n, out[i]) == 1);
    }
    }
}

void LockerEdit(OutSetCfg& cfg, uint8_t arg, ResRef r, FuzzInput& in)
{
    const int module = static_cast<int8_t>(arg) >> 2;  // -32 to 31
    const bool inside = module >= 0 && module < LockerModules;
    if (!inside)
        FUZZ_CHECK(cfg.LockerFirst(module) == NoLocker && cfg.LockerLast(module) == NoLocker);
    cfg.SetLockerFirst(module, r);
    cfg.SetLockerLast(module, static_cast<uint16_t>(r + 1));
    if (inside)
        FUZZ_CHECK(cfg.LockerFirst(module) == r && cfg.LockerLast(module) == static_cast<uint16_t>(r + 1));
    cfg.SetTestStart(r);
    FUZZ_CHECK(cfg.TestStart() == r);
    const auto name = in.Take(arg & 31);
    cfg.SetRoomName(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    const std::string kept(reinterpret_cast<const char*>(name.data()),
                           std::min<size_t>(name.size(), RoomNameMax));
    FUZZ_CHECK(cfg.RoomName() == kept.substr(0, kept.find('\0')));
}

}  // namespace

QUOR_FUZZ_TARGET(cfg_block)
{
    FuzzInput in(data, size);
    const uint8_t head = in.Byte();
    const int shape = head & 3;
    static constexpr uint8_t TableKinds[] = {KindDoors, KindDoors, KindLift, KindLockers};
    const int doorsHeld = shape >= 2 ? 1 : (head >> 2) & 31;
    BusDevTable table = ParsedTable(static_cast<uint8_t>(TableKinds[shape] << 5 | doorsHeld));

    DoorCfgSet doors;
    OutSetCfg lift = OutSetCfg::Lift();
    OutSetCfg lockers = OutSetCfg::Lockers();
    CfgBlock* const blocks[] = {&doors.Common, &doors.Doors[0], &lift, &lockers};
    CfgBlock& block = *blocks[shape];
    DecodeBlock(block, in.Take(in.Word()));
    if (head & 0x80)
        std::fill(doors.Doors.begin() + 1, doors.Doors.end(), doors.Doors[0]);
    doors.MarkAll(table);
    block.MarkTaken(table);
    CheckMarked(block, table);

    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        const uint8_t arg = in.Byte();
        const ResRef r = in.Word();
        const bool nc = op & 0x80;
        if ((op & 7) < 4)
            Assign(block, table, op & 3, static_cast<int8_t>(arg), r, nc);
        else if (shape == 3 && (op & 7) == 7)
            LockerEdit(lockers, arg, r, in);
        else
            DoorEdit(doors, table, op & 7, arg, r, nc);
    }

    for (const CfgBlock* b : blocks) {
        BlockBody body;
        FUZZ_CHECK(b->Encode(body) == b->ExpectedLength() - BlockHeadLen);
    }
    doors.MarkAll(table);
    for (int i = 0; i < DoorsInUse(table); ++i)
        CheckMarked(doors.Doors[i], table);
    // The edits change only the taken masks: the lists that follow them.
    CheckAllFreeRefs(table);
    return 0;
}
