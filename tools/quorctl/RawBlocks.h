#pragma once
// A controller's configuration blocks as bytes: which blocks its kind keeps,
// in the order the configurator reads and writes them, where the references
// sit in a block, and moving the bytes to and from the controller.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"
#include "tools/quorctl/ControllerLoad.h"

namespace quor::tools {

struct BlockId {
    uint8_t Type = 0;
    uint8_t Index = 0;

    bool operator==(const BlockId&) const = default;
};

struct RawBlock {
    BlockId Block;
    std::vector<uint8_t> Bytes;  // as read: head, references, parameters, data
};

// The blocks the table's kind keeps, in the order DoorCfgSet::Load and Store
// take them: the common block when the train flag is 1, then the doors; or the
// one lift or lockers block.
std::vector<BlockId> KindBlocks(const BusDevTable& table);

// The record a block of the controller decodes into; nullptr for a block no record holds.
CfgBlock* RecordOf(LoadedController& c, BlockId block);
const CfgBlock* RecordOf(const LoadedController& c, BlockId block);

// Decodes blocks into their records as a read does, then marks the records;
// false when a block does not fit its record (head or length).
bool DecodeBlocks(std::span<const RawBlock> blocks, LoadedController& c);

// After LoadTable: reads the blocks of the table's kind as LoadConfiguration
// does, keeping their bytes. UErr 8 when a block does not fit.
std::vector<RawBlock> ReadKindBlocks(UdpDev& dev, LoadedController& c);

// Writes the blocks in their order as DoorCfgSet::Store and OutSetCfg::Write
// do: the session first, then each block's body (its bytes after the head),
// each acknowledged before the next is sent. written is told of each
// acknowledged block. UErr passes through.
void WriteRawBlocks(UdpDev& dev, std::span<const RawBlock> blocks,
                    const std::function<void(const RawBlock&)>& written);

// The slot groups in the order a block carries them.
enum class SlotGroup { Outputs, OutputSets, Inputs, Readers };

struct RefSlot {
    SlotGroup Group;
    int Slot;
    size_t Offset;  // in the block as read, head included
};

// Every reference slot a block of this shape carries, in the order of its bytes.
std::vector<RefSlot> RefSlotsOf(const CfgBlock& shape);
// Where the parameter area starts in a block as read; the data follow it
// (and start here for a block without parameters).
size_t ParamsOffset(const CfgBlock& shape);

}  // namespace quor::tools
