#pragma once
// A whole site at once: the controllers a site file names, found by one
// search, read and planned together before anything is written; and the site
// file of the controllers as they are. Writing the plan is SiteApply's.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Controller.h"
#include "site/Backup.h"
#include "site/SiteFile.h"
#include "site/SitePlan.h"

namespace quor::site {

// A block an apply writes: its bytes as planned from and as the write leaves
// them, heads included (the write sends the bytes after the head).
struct BlockWrite {
    BlockId Block;
    std::vector<uint8_t> From;
    std::vector<uint8_t> To;
};

// One controller of the file, as found and read.
struct SiteTarget {
    const WantedController* Wanted = nullptr;  // in the SiteFile planned, which must outlive the plan
    uint32_t Id = 0;                           // the device's identity; 0 when none answered by this name
    // The controller as planned from: what an apply checks it against right
    // before writing, and the backup it keeps of it. None when it could not
    // be read.
    std::optional<Backup> Before;
    std::string Fingerprint;  // of Before; empty when it could not be read
    std::vector<FieldChange> Changes;
    std::vector<BlockWrite> Writes;  // the blocks whose bytes change, in write order
};

struct SitePlan {
    std::vector<SiteTarget> Targets;    // in the file's order, those --only and --exclude keep
    std::vector<SiteProblem> Problems;  // every one, by their place in the file

    size_t ControllersToChange() const;
    size_t FieldsToChange() const;
    size_t Unchanged() const;
};

// Which controllers of the file a run takes: those named in Only (all when
// it is empty) but not in Exclude.
struct Selection {
    std::span<const std::string> Only;
    std::span<const std::string> Exclude;
};

// Searches once, then reads and plans each controller the file names and
// the selection keeps. Problems: the file's own (given in), a controller not
// found, not a controller, in a mode that keeps its configuration closed,
// held in another party's session, or of another kind than the sections
// stated for it, a selected name the file lacks, and every problem of
// PlanController. Every controller that can be planned is: a problem leaves
// out only its own. The sessions of controllers with a change stay open for
// ApplySite; EndSessions ends them when no apply follows.
SitePlan PlanSite(UdpDevSet& devices, const SiteFile& file, std::vector<SiteProblem> fileProblems,
                  Selection selection);
// Plans the same against backups in folder, named as backup --all names
// them ("K01_01101.json"), with no network: a controller without a backup
// there is a problem.
SitePlan PlanFromBackups(const std::string& folder, const SiteFile& file,
                         std::vector<SiteProblem> fileProblems, Selection selection);
void EndSessions(UdpDevSet& devices, const SitePlan& plan);

// The plan of one controller as read (before): its changes and the blocks
// they change, or its problems.
void PlanTarget(SiteTarget& target, Backup before, std::vector<SiteProblem>& problems);

// "3f9c0a17d2e4b851": the first 8 bytes of the SHA-256 of the controller's
// table and blocks as planned from, in hex.
std::string Fingerprint(const Backup& before);

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

// One line for a controller that cannot be read: what the read threw.
std::string UnreadableText(const UErr& error);

}  // namespace quor::site
