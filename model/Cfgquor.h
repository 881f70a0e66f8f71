#pragma once
// A door controller's configuration: the common block with the train number
// and one record per door, with the sharing of alarm and CCTV outputs.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/Cfgset.h"
#include "model/Hardres.h"

namespace quor {

class UdpDev;

inline constexpr int MaxDoors = 8;

// Output slots of a door record.
enum : int {
    OutBolt = 0,
    OutReminder = 1,
    OutAlarm = 2,
    OutCctv = 3,
};

// Input slots of a door record.
enum : int {
    InExitButton = 0,
    InOpenSensor = 1,
    InAlarmSensor = 2,
    InTamper = 3,
    InEvacuation = 4,
};

// Params bytes of a door record.
inline constexpr int ParDoorType = 0;      // bits 0-3 the door type
inline constexpr int ParDoorFlags = 2;     // airlock bits 0-2, handle bit 6, full bolt pulse bit 7
inline constexpr int ParBoltPulse = 4;     // HalfSeconds
inline constexpr int ParOpenTime = 6;      // HalfSeconds
inline constexpr int ParReaderFlags = 32;  // one 4-byte word per reader; bit 0 of its first byte: exit

struct DoorCfg : CfgBlock {
    DoorCfg();
};

// The table's door count, bounded by the door records a configuration holds.
int DoorsInUse(const BusDevTable& table);

// A plain value: the table its shape and taken masks come from is passed to
// each operation that needs it.
struct DoorCfgSet {
    // Reads the common block (when the table has it) and the doors in use,
    // then marks them; false when the device may not be read or a block does
    // not fit. The bytes of the blocks that fit go to read when given. UErr
    // passes through.
    bool Load(UdpDev& dev, BusDevTable& table, std::vector<RawBlock>* read = nullptr);
    void Store(UdpDev& dev, const BusDevTable& table);
    // The blocks of the configuration with their records, in the order they
    // are read and written: the common block when the table's train flag is
    // 1, then each door in use (block type Kind of the table).
    std::vector<BlockRecord> Blocks(const BusDevTable& table);
    void MarkAll(BusDevTable& table) const;

    void AssignDoorOutput(int door, int slot, ResRef r, bool nc, BusDevTable& table);
    void SetOutputNc(int door, int slot, bool nc, const BusDevTable& table);
    // The distinct references in one output slot over the doors in use.
    int SharedValues(int slot, std::span<ResRef> out, const BusDevTable& table) const;
    void PropagateNc(int door, int slot, const BusDevTable& table);
    void RemarkSlot(int slot, BusDevTable& table) const;

    CfgBlock Common{BlockCommon, 0, 0, 0, 0, 8};
    std::array<DoorCfg, MaxDoors> Doors;
    uint16_t TrainNumber = 0;
};

}  // namespace quor
