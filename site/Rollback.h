#pragma once
// Putting back what an apply changed, from its journal.

#include <functional>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "site/Journal.h"

namespace quor::site {

struct RollbackOutcome {
    std::vector<std::string> Restored;  // names
    std::vector<std::string> Refused;   // one line each: changed since, not found, failed
};

// Searches once, then for each controller the journal records writes to:
// reads the blocks the run wrote and, only when they still hold what it
// wrote, writes the backup's bytes back into them and reads them back. A
// controller changed since by anyone else is refused ("K04_01401 changed
// since the run; not rolled back"), and the others go on. done is told of
// each controller put back.
RollbackOutcome RollbackSite(UdpDevSet& devices, const std::vector<JournalEntry>& entries,
                             const std::function<void(const std::string&)>& done = {});

}  // namespace quor::site
