#pragma once
// quorctl site: export, plan, check and show (the site library's whole-site
// runs, with their output and exit status); apply and rollback are in
// SiteApplyCommands.

#include <ostream>
#include <string>

#include "site/SiteRun.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

// Every change, "K01_01101: Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> -----",
// the blocks each controller's write sends, "K01_01101: writes 16/0, 1/2",
// then the summary "2 controllers to change, 5 fields; 1 unchanged".
std::string PlanText(const site::SitePlan& plan);
// The same for scripts: {controllers: [{name, fingerprint, blocks, changes:
// [{section, group, label, from, to}, ...]}, ...], problems: [{line, column,
// text}, ...], to_change, fields, unchanged}.
std::string PlanJson(const site::SitePlan& plan);

// The plan as plan prints it (text or JSON), the problems on err: the exit
// status of plan.
int ShowPlan(const site::SitePlan& plan, const QuorctlOptions& options, std::ostream& out, std::ostream& err);

// Each returns the exit status: export 0, 1 when a controller was left out;
// plan, check and show (and apply --dry-run) 0 nothing to change, 1 changes;
// apply and rollback 0 done; 2 a problem in the file or a failure; apply 130
// or 143 when SIGINT or SIGTERM stopped it.
int RunSiteExport(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);
int RunSitePlan(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);
// check and show: no network.
int RunSiteOffline(const QuorctlOptions& options, std::ostream& out, std::ostream& err);
int RunSiteApply(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);
int RunSiteRollback(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quor::tools
