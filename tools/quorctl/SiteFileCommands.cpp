// quorctl site export, plan, check and show.
#include "tools/quorctl/SiteFileCommands.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>

#include "site/Files.h"
#include "site/Formats.h"
#include "site/PlanFile.h"
#include "site/RawBlocks.h"
#include "site/SiteFileMerge.h"
#include "text/Printable.h"
#include "tools/quorctl/SiteText.h"

namespace quor::tools {

using namespace site;
namespace fs = std::filesystem;

namespace {

std::string WritesText(const SiteTarget& target)
{
    std::vector<BlockId> blocks;
    for (const BlockWrite& w : target.Writes)
        blocks.push_back(w.Block);
    return BlocksText(blocks, ", ");
}

}  // namespace

int ShowPlan(const SitePlan& plan, const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    const bool planned = std::any_of(plan.Targets.begin(), plan.Targets.end(),
                                     [](const SiteTarget& t) { return !t.Fingerprint.empty(); });
    // A file none of whose controllers could be planned has only its problems to show.
    if (options.Format == OutputFormat::Json)
        out << PlanJson(plan);
    else if (planned || plan.Problems.empty())
        out << PlanText(plan);
    for (const SiteProblem& problem : plan.Problems)
        err << ProblemLine(options.File, problem) << '\n';
    if (plan.Problems.empty())
        return plan.ControllersToChange() == 0 ? 0 : 1;
    err << "quorctl: " << Counted(plan.Problems.size(), "problem", "problems") << " in " << options.File
        << (options.Command == CtlCommand::SiteApply ? "; nothing written" : "") << '\n';
    return 2;
}

namespace {

std::optional<SiteText> ReadSite(const QuorctlOptions& options, std::ostream& err)
{
    SiteText site;
    try {
        site.Text = ReadFile(options.File);
    } catch (const std::runtime_error& e) {
        err << "quorctl: " << e.what() << '\n';
        return std::nullopt;
    }
    site.File = ReadSiteFile(site.Text, site.Problems);
    return site;
}

int SavePlan(const SitePlan& plan, const QuorctlOptions& options, const SiteText& site, std::ostream& err,
             int status)
{
    try {
        const fs::path folder = fs::absolute(options.Out).parent_path();
        ReplaceFile(
            options.Out,
            PlanFileText(plan, fs::proximate(fs::absolute(options.File), folder).string(), site.Text));
    } catch (const std::runtime_error& e) {
        err << "quorctl: " << e.what() << '\n';
        return 2;
    }
    return status;
}

}  // namespace

std::string PlanText(const SitePlan& plan)
{
    std::string text;
    for (const SiteTarget& target : plan.Targets) {
        for (const FieldChange& change : target.Changes)
            text += ChangeText(target.Wanted->Name, change) + "\n";
    }
    for (const SiteTarget& target : plan.Targets) {
        if (!target.Writes.empty())
            text += target.Wanted->Name + ": writes " + WritesText(target) + "\n";
    }
    return text + Counted(plan.ControllersToChange(), "controller", "controllers") + " to change, " +
           Counted(plan.FieldsToChange(), "field", "fields") + "; " + std::to_string(plan.Unchanged()) +
           " unchanged\n";
}

std::string PlanJson(const SitePlan& plan)
{
    nlohmann::ordered_json controllers = nlohmann::ordered_json::array();
    for (const SiteTarget& target : plan.Targets) {
        if (target.Fingerprint.empty())
            continue;
        nlohmann::ordered_json blocks = nlohmann::ordered_json::array();
        for (const BlockWrite& w : target.Writes)
            blocks.push_back(BlockText(w.Block));
        nlohmann::ordered_json changes = nlohmann::ordered_json::array();
        for (const FieldChange& change : target.Changes)
            changes.push_back(ChangeJson(change));
        controllers.push_back({{"name", target.Wanted->Name},
                               {"fingerprint", target.Fingerprint},
                               {"blocks", blocks},
                               {"changes", changes}});
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
    std::optional<SiteText> site = ReadSite(options, err);
    if (!site)
        return 2;
    if (options.Command == CtlCommand::SiteApply && IsPlanText(site->Text))
        return RunSiteApply(ctl, options, out, err);
    SitePlan plan =
        PlanSite(ctl.Devices, site->File, std::move(site->Problems), {options.Only, options.Exclude});
    const bool writes = options.Command == CtlCommand::SiteApply && !options.DryRun &&
                        plan.Problems.empty() && plan.ControllersToChange() != 0;
    if (writes)
        return ApplyPlanned(ctl, plan, PlanFileText(plan, fs::absolute(options.File).string(), site->Text),
                            options, out, err);
    EndSessions(ctl.Devices, plan);
    const int status = ShowPlan(plan, options, out, err);
    if (status == 2)
        return status;
    if (options.DryRun)
        out << "dry run: nothing written\n";
    return options.Out.empty() ? status : SavePlan(plan, options, *site, err, status);
}

int RunSiteOffline(const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.Command == CtlCommand::SiteShow) {
        SavedPlan saved;
        try {
            LoadPlan(options.File, saved);
        } catch (const std::runtime_error& e) {
            err << "quorctl: " << e.what() << '\n';
            return 2;
        }
        return ShowPlan(saved.Plan, options, out, err);
    }
    std::optional<SiteText> site = ReadSite(options, err);
    if (!site)
        return 2;
    if (options.Backups.empty()) {
        for (const SiteProblem& problem : site->Problems)
            err << ProblemLine(options.File, problem) << '\n';
        if (!site->Problems.empty()) {
            err << "quorctl: " << Counted(site->Problems.size(), "problem", "problems") << " in "
                << options.File << '\n';
            return 2;
        }
        out << options.File << ": " << Counted(site->File.Controllers.size(), "controller", "controllers")
            << ", no problem in the file itself\n";
        return 0;
    }
    const SitePlan plan = PlanFromBackups(options.Backups, site->File, std::move(site->Problems),
                                          {options.Only, options.Exclude});
    return ShowPlan(plan, options, out, err);
}

}  // namespace quor::tools
