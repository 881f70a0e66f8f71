#pragma once
// Reading a controller's configuration after its bus-device table: the steps
// shared by the window, the command-line tool and the backups.

#include <optional>
#include <span>
#include <vector>

#include "model/Controller.h"

namespace quor {

class UdpDev;

// UErr 2 or 3 when the device speaks another protocol version than ours.
void RequireProtocolVersion(UdpDev& dev);

// The blocks the table's kind keeps, with their records, in the order they
// are read and written: DoorCfgSet::Blocks, or the one lift or lockers block.
std::vector<BlockRecord> KindBlocks(Controller& c);

// The record a block of the controller decodes into; nullptr for a block no record holds.
CfgBlock* RecordOf(Controller& c, BlockId block);
const CfgBlock* RecordOf(const Controller& c, BlockId block);

// Reads the configuration of the table's kind into the record of that kind
// and marks it (DoorCfgSet::Load, OutSetCfg::Read): the bytes of its blocks
// as read; nothing when it cannot be read or does not fit. UErr passes through.
[[nodiscard]] std::optional<std::vector<RawBlock>> ReadKindBlocks(UdpDev& dev, Controller& c);
// ReadKindBlocks without the bytes: false when it cannot be read or does not fit.
[[nodiscard]] bool ReadKindConfig(UdpDev& dev, Controller& c);
// Writes the configuration of the table's kind (DoorCfgSet::Store,
// OutSetCfg::Write); false, having sent nothing, when the kind keeps none.
// UErr passes through.
[[nodiscard]] bool WriteKindConfig(UdpDev& dev, Controller& c);

// Decodes blocks into their records as a read does, then marks the records;
// false when a block does not fit (head or length).
[[nodiscard]] bool DecodeBlocks(std::span<const RawBlock> blocks, Controller& c);

// What a held configuration is cut to: its blocks' type and count, and
// whether the common block carries a train number.
struct KindShape {
    int32_t Kind = 0;
    int32_t DoorCount = 0;
    int32_t TrainFlag = 0;

    bool operator==(const KindShape&) const = default;
};

inline KindShape ShapeOf(const BusDevTable& table)
{
    return {table.Kind, table.DoorCount, table.TrainFlag};
}

// Marks in a freshly read table the resources that the held configuration of
// the table's kind uses, so that edits not yet written keep their resources.
void MarkKindConfig(Controller& c);
// The taken masks computed from the held configuration of the table's kind
// alone, as a fresh read of it marks them: edits may have cleared the bit of
// a resource that another slot still holds.
void RemarkKindConfig(Controller& c);

// The records of the table's kind as a write would send them, the door
// controller's train number in its common block: what edits are measured by.
std::vector<CfgBlock> KindRecords(Controller& c);
// Puts records that KindRecords gave back into a controller of the same kind
// and shape, and marks them afresh in its table.
void RestoreKindRecords(Controller& c, const std::vector<CfgBlock>& records);

}  // namespace quor
