#pragma once
// Writing a site plan: each controller with a change, in the file's order,
// checked unchanged since it was planned, then its changed blocks written
// and read back.

#include <functional>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgset.h"
#include "site/SiteRun.h"

namespace quor::site {

// What an apply tells as it goes; any may be left empty.
struct ApplyWatch {
    // Checked unchanged, about to be written: the time to keep its backup.
    std::function<void(const SiteTarget&)> Writing;
    // A block acknowledged, with the bytes it now holds; a block read back.
    std::function<void(const SiteTarget&, const RawBlock&)> Written;
    std::function<void(const SiteTarget&, const RawBlock&)> ReadBack;
    // Written and read back as planned.
    std::function<void(const SiteTarget&)> Done;
    // Asked before each block: true leaves it and all after it unwritten.
    std::function<bool()> Stop;
};

struct ApplyOutcome {
    std::vector<std::string> Written;  // written and read back as planned
    std::string Failed;                // the controller the run stopped at; empty when none
    std::string Reason;                // why, in as many lines as it takes, each ended
    std::vector<BlockId> Sent;         // of the one that failed: its blocks acknowledged
    std::vector<BlockId> NotSent;      // and those not written
    std::vector<std::string> NotReached;
    bool Stopped = false;  // Stop ended the run
};

// Writes each controller of the plan that has a change, in the file's order.
// Right before writing one, reads its table and the blocks about to be
// written again: anything other than what the plan was made from, and it is
// not written ("K04_01401 changed since it was planned; plan again"). Then
// writes the blocks whose bytes change, each acknowledged before the next,
// reads back those and checks that they hold what was sent; the session then
// ends. A controller without a change gets nothing. The first failure ends
// the run, and so does Stop; nothing is rolled back. The plan must have no
// problems; devices is the set it was planned with, or a search that found
// its controllers.
ApplyOutcome ApplySite(UdpDevSet& devices, const SitePlan& plan, const ApplyWatch& watch = {});

// "K01_01101: written 16/0, 1/0; not written 1/1, 1/2" for the controller
// the outcome failed at; empty when none did.
std::string BlocksLine(const ApplyOutcome& outcome);

}  // namespace quor::site
