#pragma once
// The record of one controller configuration block, its byte encoding and the
// upkeep of the bus table's taken masks; and the lift and lockers records.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Hardres.h"

namespace quor {

class UdpDev;

// Block types.
enum : uint8_t {
    BlockDoor = 1,
    BlockLift = 2,
    BlockLockers = 3,
    BlockCommon = 16,
};

inline constexpr int BlockHeadLen = 8;
inline constexpr int ParamsLen = 64;
inline constexpr int MaxDataLen = 64;
// Room for the write body of any shape the record can take (the largest real one is 176 bytes).
inline constexpr int MaxBodyLen = 2 * (10 + 16 + 10 + 4) + ParamsLen + MaxDataLen;

using BlockBody = std::array<uint8_t, MaxBodyLen>;

struct CfgBlock {
    // No layout yet; references none, Data 0xFF.
    CfgBlock() { Init(); }
    // Fixes the layout, then Init.
    CfgBlock(uint32_t blockType, int outputs, int outputSets, int inputs, int readers, int dataLength);

    // References none, Data all 0xFF.
    void Init();
    // Takes in the received bytes of a block read. Returns the expected length,
    // 0 when the head does not match. The record changes only when the head
    // matches and the reply is exactly the expected length.
    int Decode(std::span<const uint8_t> reply);
    // Writes the write body; returns its length.
    int Encode(BlockBody& out) const;
    // Length of the block as read, head included; the write body is 8 bytes shorter.
    int ExpectedLength() const;

    void AssignOutput(int slot, ResRef r, bool nc, BusDevTable& table);
    void AssignOutputSet(int slot, ResRef r, BusDevTable& table);
    void AssignInput(int slot, ResRef r, bool nc, BusDevTable& table);
    void AssignReader(int slot, ResRef r, BusDevTable& table);
    // Sets the taken bit of every resource the record references.
    void MarkTaken(BusDevTable& table) const;

    friend bool operator==(const CfgBlock&, const CfgBlock&) = default;

    std::array<ResRef, 10> Outputs;
    std::array<ResRef, 16> OutputSets;
    std::array<ResRef, 10> Inputs;
    std::array<ResRef, 4> Readers;
    int32_t OutputCount = 0;
    int32_t OutputSetCount = 0;
    int32_t InputCount = 0;
    int32_t ReaderCount = 0;
    int32_t DataLength = 0;
    uint32_t BlockType = 0;
    std::array<uint8_t, MaxDataLen> Data;
    std::array<uint8_t, ParamsLen> Params{};
};

// Reads block (type, index) into the record; true when it decoded into exactly
// the bytes received. The caller has ensured the session; UErr passes through.
[[nodiscard]] bool ReadCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, CfgBlock& block);

struct BlockId {
    uint8_t Type = 0;
    uint8_t Index = 0;

    bool operator==(const BlockId&) const = default;
};

// The slot groups of a block, in the order the block carries them.
enum class SlotGroup { Outputs, OutputSets, Inputs, Readers };

// A block as the controller sent it: head, references, parameters, data.
struct RawBlock {
    BlockId Block;
    std::vector<uint8_t> Bytes;
};

// A block and the record it is read into.
struct BlockRecord {
    BlockId Block;
    CfgBlock* Record;
};

// Reads the blocks in their order, each into its record, when the device may
// be read (it answers and its mode opens the configuration), after
// EnsureSession; the first block that does not fit its record ends the read.
// True when every block was read and fits; read receives the bytes, as the
// controller sent them, of each block that fits. UErr passes through.
[[nodiscard]] bool ReadBlocks(UdpDev& dev, std::span<const BlockRecord> blocks, std::vector<RawBlock>& read);
// Writes the record's body as block (type, index); UErr passes through.
void WriteCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, const CfgBlock& block);

// Params bytes of the lift and lockers records.
inline constexpr int ParPulseTime = 4;    // HalfSeconds: button release (lift), opening pulse (lockers)
inline constexpr int ParTestStart = 30;   // lockers: first locker of the test run, uint16
inline constexpr int ParRoomName = 48;    // lockers: room name, Windows-1250, zero-terminated
inline constexpr int RoomNameMax = 15;    // characters, the terminating zero not counted
inline constexpr int LockerModules = 16;  // lockers: output-set slots, one per row
inline constexpr uint16_t NoLocker = 0xFFFF;

// The lift or lockers record: one block, a plain value.
struct OutSetCfg : CfgBlock {
    static OutSetCfg Lift();
    static OutSetCfg Lockers();

    // Reads the block from the controller and marks it in table; false when
    // the device may not be read or the block does not fit. The block's
    // bytes, when it fits, go to read when given. UErr passes through.
    bool Read(UdpDev& dev, BusDevTable& table, std::vector<RawBlock>* read = nullptr);
    void Write(UdpDev& dev) const;

    // Lockers: first and last locker number of module 0 to 15 (NoLocker: none).
    uint16_t LockerFirst(int module) const;
    uint16_t LockerLast(int module) const;
    void SetLockerFirst(int module, uint16_t number);
    void SetLockerLast(int module, uint16_t number);
    uint16_t TestStart() const;
    void SetTestStart(uint16_t number);
    // Windows-1250 bytes up to the terminating zero.
    std::string RoomName() const;
    // Keeps at most 15 bytes; the rest of the field becomes zero.
    void SetRoomName(std::string_view cp1250);
};

}  // namespace quor
