#pragma once
// Comparing two configurations, each from a controller or a backup file,
// slot by slot in the sheets' words.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quorctl/Backup.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

// One line per difference, "where: first -> second", in the order of the
// first's sheet, then what only the second holds, then the slots and bits no
// control shows. References compare by the device they name, never by its
// entry; each controller's own entry compares as the other's.
std::vector<std::string> DiffLines(const Backup& first, const Backup& second);

// Whether a diff operand reads like a device name (K01_12345) or a dotted
// address; anything else names a backup file.
bool NamesDevice(std::string_view operand);

// quorctl diff: the lines on out; 0 when there are none, 1 when there are.
int RunDiff(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out);

}  // namespace quor::tools
