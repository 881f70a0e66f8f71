#pragma once
// What quorctl's site commands share: the site file as read, counts in
// words, and writing a plan.

#include <ostream>
#include <string>
#include <vector>

#include "site/SiteFile.h"
#include "site/SiteRun.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

struct SiteText {
    std::string Text;
    site::SiteFile File;
    std::vector<site::SiteProblem> Problems;
};

// "1 controller", "3 fields".
inline std::string Counted(size_t n, const std::string& one, const std::string& many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Writes a plan without problems, keeping its journal; planText is what the
// journal keeps of the plan. The exit status of apply.
int ApplyPlanned(Quorctl& ctl, const site::SitePlan& plan, const std::string& planText,
                 const QuorctlOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quor::tools
