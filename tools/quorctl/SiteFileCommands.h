#pragma once
// quorctl site export, plan and apply: the site library's whole-site run,
// with its output and exit status.

#include <ostream>
#include <string>

#include "site/SiteRun.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

// Every change, "K01_01101: Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> -----",
// then the summary "2 controllers to change, 5 fields; 1 unchanged".
std::string PlanText(const site::SitePlan& plan);
// The same for scripts: {controllers: [{name, changes: [{section, group,
// label, from, to}, ...]}, ...], problems: [{line, column, text}, ...],
// to_change, fields, unchanged}.
std::string PlanJson(const site::SitePlan& plan);

// Each returns the exit status: export 0, 1 when a controller was left out;
// plan (and apply --dry-run) 0 nothing to change, 1 changes; apply 0 done;
// 2 a problem in the file or a failure.
int RunSiteExport(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);
int RunSitePlan(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quor::tools
