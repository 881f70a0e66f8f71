#pragma once
// quorctl restore and diff: the site library's plan, write and comparison, with
// their output.

#include <ostream>
#include <string_view>

#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

// quorctl restore: the plan on out; then the blocks (--dry-run), or the write
// with one line per block written. Returns the exit status; a failure
// half-way names the blocks written on err.
int RunRestore(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);

// Whether a diff operand reads like a device name (K01_12345) or a dotted
// address; anything else names a backup file.
bool NamesDevice(std::string_view operand);

// quorctl diff: the lines on out; 0 when there are none, 1 when there are.
int RunDiff(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out);

}  // namespace quor::tools
