#pragma once
// Putting a backup onto a controller, its own or a replacement: the
// references follow the devices by model and serial, not their entries.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"
#include "site/Backup.h"
#include "site/RawBlocks.h"

namespace quor::site {

struct RestorePlan {
    std::vector<std::string> Mapping;   // one line per backup entry the blocks refer to
    std::vector<std::string> Checks;    // kind, doors, train number block, block shapes
    std::vector<std::string> Problems;  // every mismatch; nothing may be written while there is one
    std::vector<RawBlock> Blocks;       // the backup's blocks with their references moved, in write order
};

// Plans the restore of a backup onto the controller targetId whose table
// and blocks (as read) are given. acceptSerialChanges takes, for a device the
// table lacks, the only other device of its model on its connection.
RestorePlan PlanRestore(const Backup& backup, const BusDevTable& target, uint32_t targetId,
                        std::span<const RawBlock> held, bool acceptSerialChanges);

// What a restore's write came to.
struct RestoreWrite {
    std::vector<BlockId> Written;  // acknowledged, in the plan's order
    std::vector<BlockId> Left;     // not written, in the plan's order; empty when all went
    std::string Stop;              // the text of the error that stopped the write; empty when none did
};

// Writes the plan's blocks in order (WriteRawBlocks); written is told of each
// block as it is acknowledged. A UErr stops the write and comes back in the
// result: nothing is rolled back.
RestoreWrite WriteRestore(UdpDev& dev, const RestorePlan& plan,
                          const std::function<void(const RawBlock&)>& written);

}  // namespace quor::site
