// quorctl site export, plan and apply.
#include "tools/quorctl/SiteFileCommands.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "site/Files.h"
#include "site/Formats.h"
#include "site/SiteFileMerge.h"
#include "text/Printable.h"

namespace quor::tools {

using namespace site;

namespace {

std::string Counted(size_t n, const std::string& one, const std::string& many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text.empty() ? "none" : text;
}

}  // namespace

std::string PlanText(const SitePlan& plan)
{
    std::string text;
    for (const SiteTarget& target : plan.Targets) {
        for (const FieldChange& change : target.Changes)
            text += ChangeText(target.Wanted->Name, change) + "\n";
    }
    return text + Counted(plan.ControllersToChange(), "controller", "controllers") + " to change, " +
           Counted(plan.FieldsToChange(), "field", "fields") + "; " + std::to_string(plan.Unchanged()) +
           " unchanged\n";
}

std::string PlanJson(const SitePlan& plan)
{
    nlohmann::ordered_json controllers = nlohmann::ordered_json::array();
    for (const SiteTarget& target : plan.Targets) {
        if (!target.Held)
            continue;
        nlohmann::ordered_json changes = nlohmann::ordered_json::array();
        for (const FieldChange& change : target.Changes)
            changes.push_back({{"section", change.Section},
                               {"group", change.Group},
                               {"label", change.Label},
                               {"from", change.From},
                               {"to", change.To}});
        controllers.push_back({{"name", target.Wanted->Name}, {"changes", changes}});
    }
    nlohmann::ordered_json problems = nlohmann::ordered_json::array();
    for (const SiteProblem& problem : plan.Problems)
        problems.push_back(
            {{"line", problem.At.Line}, {"column", problem.At.Column}, {"text", problem.Text}});
    const nlohmann::ordered_json all = {{"controllers", controllers},
                                        {"problems", problems},
                                        {"to_change", plan.ControllersToChange()},
                                        {"fields", plan.FieldsToChange()},
                                        {"unchanged", plan.Unchanged()}};
    return JsonPrintable(JsonText(all));
}

int RunSiteExport(Quorctl& ctl, const QuorctlOptions& options, std::ostream&, std::ostream& err)
{
    const SiteExport exported = ExportSite(ctl.Devices, options.Only);
    for (const std::string& why : exported.LeftOut)
        err << "quorctl: left out: " << why << '\n';
    if (exported.Controllers.empty()) {
        err << "quorctl: no controller was read; " << options.File << " is left as it was\n";
        return 2;
    }
    std::string text = SiteFileText(exported.Controllers);
    if (std::filesystem::exists(options.File)) {
        std::vector<SiteProblem> problems;
        text = MergeSiteFileText(ReadFile(options.File), exported.Controllers, problems);
        for (const SiteProblem& problem : problems)
            err << ProblemLine(options.File, problem) << '\n';
        if (!problems.empty()) {
            err << "quorctl: " << options.File
                << " is left as it was: an export replaces its controllers in a site file it can read\n";
            return 2;
        }
    }
    ReplaceFile(options.File, text);
    return exported.LeftOut.empty() ? 0 : 1;
}

int RunSitePlan(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    std::string text;
    try {
        text = ReadFile(options.File);
    } catch (const std::runtime_error& e) {
        err << "quorctl: " << e.what() << '\n';
        return 2;
    }
    std::vector<SiteProblem> problems;
    const SiteFile file = ReadSiteFile(text, problems);
    SitePlan plan = PlanSite(ctl.Devices, file, std::move(problems), options.Only);
    const bool apply = options.Command == CtlCommand::SiteApply;
    if (options.Format == OutputFormat::Json)
        out << PlanJson(plan);
    for (const SiteProblem& problem : plan.Problems)
        err << ProblemLine(options.File, problem) << '\n';
    if (!plan.Problems.empty()) {
        err << "quorctl: " << Counted(plan.Problems.size(), "problem", "problems") << " in " << options.File
            << (apply ? "; nothing written" : "") << '\n';
        return 2;
    }
    if (options.Format != OutputFormat::Json)
        out << PlanText(plan);
    if (!apply || options.DryRun) {
        if (apply)
            out << "dry run: nothing written\n";
        return plan.ControllersToChange() == 0 ? 0 : 1;
    }
    const ApplyOutcome outcome = ApplySite(
        ctl.Devices, plan, [&out](const std::string& name) { out << name << ": written and read back\n"; });
    if (outcome.Failed.empty())
        return 0;
    err << outcome.Reason << "quorctl: apply stopped at " << outcome.Failed
        << "; written: " << NameList(outcome.Written) << "; failed: " << outcome.Failed
        << "; not reached: " << NameList(outcome.NotReached) << "; nothing is rolled back\n";
    return 2;
}

}  // namespace quor::tools
