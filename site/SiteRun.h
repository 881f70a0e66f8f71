#pragma once
// A whole site at once: the controllers a site file names, found by one
// search, read and planned together before anything is written, then written
// one by one; and the site file of the controllers as they are.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Controller.h"
#include "site/SiteFile.h"
#include "site/SitePlan.h"

namespace quor::site {

// One controller of the file, as found and read.
struct SiteTarget {
    const WantedController* Wanted = nullptr;  // in the SiteFile planned, which must outlive the plan
    uint32_t Id = 0;                           // the device's identity; 0 when none answered by this name
    // As read, then with the file's fields set: what a write sends. None when
    // it could not be read.
    std::optional<Controller> Held;
    std::vector<FieldChange> Changes;
};

struct SitePlan {
    std::vector<SiteTarget> Targets;    // in the file's order, those --only keeps
    std::vector<SiteProblem> Problems;  // every one, by their place in the file

    size_t ControllersToChange() const;
    size_t FieldsToChange() const;
    size_t Unchanged() const;
};

// Searches once, then reads and plans each controller the file names (those
// named in only, when it is not empty). Problems: the file's own (given in),
// a controller not found, not a controller, in a mode that keeps its
// configuration closed, or of another kind than the sections stated for it,
// a name in only that the file lacks, and every problem of PlanController.
SitePlan PlanSite(UdpDevSet& devices, const SiteFile& file, std::vector<SiteProblem> fileProblems,
                  std::span<const std::string> only);

struct ApplyOutcome {
    std::vector<std::string> Written;     // written and read back as the file says
    std::string Failed;                   // the controller that failed; empty when none did
    std::string Reason;                   // why, in as many lines as it takes
    std::vector<std::string> NotReached;  // with a change, after the one that failed
};

// Writes each controller of the plan that has a change, in the file's order,
// with the blocks, order and acknowledgements of its sheet's write button,
// then reads it back and plans it again: nothing may be left to change. A
// controller without a change gets no write. The first failure ends the run;
// nothing is rolled back. written is told of each controller done. The plan
// must have no problems; devices is the set it was planned with.
ApplyOutcome ApplySite(UdpDevSet& devices, SitePlan& plan,
                       const std::function<void(const std::string&)>& written = {});

struct SiteExport {
    std::vector<ExportedController> Controllers;
    std::vector<std::string> LeftOut;  // "K02_01102: why", one a controller that could not be read
};

// Searches once, then reads every controller found, in the order the search
// lists them, or those named in only (by device name or address), in that
// order. Devices that are no controllers are passed over unless named.
SiteExport ExportSite(UdpDevSet& devices, std::span<const std::string> only);

// The identities of the controllers that answered the last search, in its order.
std::vector<uint32_t> FoundControllers(const UdpDevSet& devices);

// Runs each on the controllers (by identity, found in devices at their turn)
// one after another and ends each one's session after its turn, so that none
// lapses on its controller while the others take theirs. One that fails is
// left out: leftOut is told why, and the others go on.
void EachController(UdpDevSet& devices, std::span<const uint32_t> controllers,
                    const std::function<void(UdpDev&)>& each,
                    const std::function<void(const std::string&)>& leftOut);

// One line for a controller that cannot be read: what LoadConfiguration threw.
std::string UnreadableText(const UErr& error);

}  // namespace quor::site
