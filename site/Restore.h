#pragma once
// Putting a backup onto a controller, its own or a replacement: the
// references follow the devices by model and serial, not their entries.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/Cfgset.h"
#include "model/Hardres.h"
#include "site/Backup.h"

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

}  // namespace quor::site
