#pragma once
// A controller's configuration blocks as bytes: where the references sit in
// a block, and writing the bytes back in the order the configurator writes
// them. Reading them is the model's (ReadKindBlocks).

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"

namespace quor::site {

// "16/0": the block's type and index.
std::string BlockText(BlockId block);
// "16/0 1/0": the blocks' BlockText, each after the first behind separator;
// empty for none.
std::string BlocksText(std::span<const BlockId> blocks, std::string_view separator = " ");

// A block's bytes after its head: what a write sends.
std::span<const uint8_t> BodyOf(const std::vector<uint8_t>& bytes);
// Whether two reads of a block hold the same body: the head is the controller's own.
bool SameBody(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// Writes the blocks in their order as DoorCfgSet::Store and OutSetCfg::Write
// do: the session first, then each block's body (its bytes after the head),
// each acknowledged before the next is sent. written is told of each
// acknowledged block. UErr passes through.
void WriteRawBlocks(UdpDev& dev, std::span<const RawBlock> blocks,
                    const std::function<void(const RawBlock&)>& written);

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

}  // namespace quor::site
