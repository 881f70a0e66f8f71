#pragma once
// A controller's own record of its RS485 bus: the devices on it and the
// configuration kind, and the bus-device table it sends when asked.

#include <cstdint>
#include <vector>

#include "sim/LanHost.h"

namespace quor::sim {

inline constexpr uint32_t EmptyEntryId = 0xFFFFFFFF;  // upper 16 bits 0xFFFF: an empty slot

// Status flags of a bus entry.
inline constexpr uint8_t BusInactive = 0x80;
inline constexpr uint8_t BusPower = 0x40;
inline constexpr uint8_t BusTamper = 0x20;
inline constexpr uint8_t BusNew = 0x10;

// Configuration kinds.
inline constexpr uint8_t KindDoorsCode = 1;
inline constexpr uint8_t KindLiftCode = 2;
inline constexpr uint8_t KindLockersCode = 3;

struct BusEntry {
    uint32_t Id = EmptyEntryId;
    uint8_t Conn = 0;
    uint8_t Flags = 0;
    uint8_t RelayOutputs = 0;  // the leading outputs, without an NC option
    uint8_t OcOutputs = 0;     // the outputs after them, with one
    uint8_t Inputs = 0;
    uint8_t Readers = 0;
    uint8_t OutputSets = 0;        // an output-set module when above 0
    bool SetInD3 = false;          // a device with one output set may report it in byte D3 instead
    int64_t InactiveUntilMs = -1;  // a successor stays inactive until then after a replacement

    bool Present() const { return (Id >> 16) != 0xFFFF; }
};

struct BusConfig {
    uint8_t Kind = KindDoorsCode;
    uint8_t DoorCount = 1;          // 0 to 31; 1 for lift and lockers
    uint8_t TrainFlag = 0;          // 0 to 15; 1 keeps the common door block
    std::vector<BusEntry> Entries;  // entry index = position

    // The payload of the reply to the bus-table read.
    Bytes TableBytes() const;
    // Ends the inactive spell of successors whose time is up.
    void Tick(int64_t nowMs);
    // Empties the entries of devices the controller has lost contact with.
    void DeleteLost();
    // Moves the device at newIndex into oldIndex; false for a pair the controller refuses.
    bool Replace(uint8_t oldIndex, uint8_t newIndex, int64_t nowMs);
    // Writing the door configuration accepts every new device.
    void AcceptNew();
    // Whether the configuration of this kind has a block (type, index).
    bool HoldsBlock(uint8_t type, uint8_t index) const;
};

// How long a successor stays inactive after it has taken over an entry.
inline constexpr int64_t ReplaceSettleMs = 3000;

}  // namespace quor::sim
