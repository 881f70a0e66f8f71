// quorctl site apply and rollback: writing with a journal, and putting back
// what a journal records.
#include <csignal>
#include <optional>
#include <stdexcept>

#include "site/DeviceSearch.h"
#include "site/Files.h"
#include "site/Formats.h"
#include "site/Journal.h"
#include "site/PlanFile.h"
#include "site/RawBlocks.h"
#include "site/Rollback.h"
#include "site/SiteApply.h"
#include "text/Printable.h"
#include "tools/quorctl/SiteFileCommands.h"
#include "tools/quorctl/SiteText.h"

namespace quor::tools {

using namespace site;

namespace {

volatile std::sig_atomic_t Caught = 0;

extern "C" void Catch(int signal)
{
    Caught = signal;
}

// SIGINT and SIGTERM, while an apply writes, end it after the block being
// written: the sessions are closed and the outcome printed and journaled.
class StopSignals {
public:
    StopSignals()
    {
        Caught = 0;
        struct sigaction on {};
        on.sa_handler = Catch;
        sigemptyset(&on.sa_mask);
        sigaction(SIGINT, &on, &OldInt);
        sigaction(SIGTERM, &on, &OldTerm);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &OldInt, nullptr);
        sigaction(SIGTERM, &OldTerm, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool Stop() { return Caught != 0; }
    static std::string Name() { return Caught == SIGINT ? "SIGINT" : Caught == SIGTERM ? "SIGTERM" : ""; }
    static int ExitStatus() { return 128 + Caught; }

private:
    struct sigaction OldInt {};
    struct sigaction OldTerm {};
};

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text.empty() ? "none" : text;
}

std::string OutcomeText(const ApplyOutcome& outcome, const std::string& journal, const std::string& signal)
{
    Json all = {{"journal", journal}};
    all.update(OutcomeJson(outcome, signal));
    return JsonPrintable(JsonText(all));
}

// The failure's text, the blocks it left, and the summary line.
void FailureText(const ApplyOutcome& outcome, const std::string& journal, const std::string& signal,
                 std::ostream& err)
{
    err << outcome.Reason;
    if (!outcome.Failed.empty())
        err << BlocksLine(outcome) << '\n';
    err << "quorctl: apply " << (signal.empty() ? "stopped" : "stopped by " + signal)
        << (outcome.Failed.empty() ? "" : " at " + outcome.Failed)
        << "; written: " << NameList(outcome.Written)
        << "; failed: " << (outcome.Failed.empty() ? "none" : outcome.Failed)
        << "; not reached: " << NameList(outcome.NotReached)
        << "; nothing is rolled back: quorctl site rollback " << journal
        << " puts back what this run wrote\n";
}

}  // namespace

int ApplyPlanned(Quorctl& ctl, const SitePlan& plan, const std::string& planText,
                 const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    const bool json = options.Format == OutputFormat::Json;
    std::optional<Journal> journal;
    try {
        journal.emplace(options.Journal.empty() ? Journal::DefaultFolder() : options.Journal);
        journal->Plan(planText);
    } catch (const std::runtime_error& e) {
        EndSessions(ctl.Devices, plan);
        err << "quorctl: " << e.what() << "; nothing written\n";
        return 2;
    }
    if (!json)
        out << "journal: " << journal->Folder() << '\n' << PlanText(plan);
    const StopSignals signals;
    ApplyWatch watch;
    watch.Writing = [&](const SiteTarget& t) { journal->Backup(t.Wanted->Name, *t.Before); };
    watch.Written = [&](const SiteTarget& t, const RawBlock& b) { journal->Written(t.Wanted->Name, b); };
    watch.ReadBack = [&](const SiteTarget& t, const RawBlock& b) { journal->ReadBack(t.Wanted->Name, b); };
    watch.Done = [&](const SiteTarget& t) {
        journal->Done(t.Wanted->Name);
        if (!json)
            out << t.Wanted->Name << ": written and read back\n";
    };
    watch.Stop = &StopSignals::Stop;
    const ApplyOutcome outcome = ApplySite(ctl.Devices, plan, watch);
    const std::string signal = StopSignals::Name();
    journal->Outcome(outcome, signal);
    if (json)
        out << OutcomeText(outcome, journal->Folder(), signal);
    if (!outcome.Failed.empty() || outcome.Stopped)
        FailureText(outcome, journal->Folder(), signal, err);
    if (!signal.empty())
        return StopSignals::ExitStatus();
    return outcome.Failed.empty() ? 0 : 2;
}

int RunSiteApply(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    SavedPlan saved;
    std::string text;
    try {
        text = ReadFile(options.File);
        LoadPlan(options.File, saved);
    } catch (const std::runtime_error& e) {
        err << "quorctl: " << e.what() << "; nothing written\n";
        return 2;
    }
    ctl.Devices.Search();
    for (const SiteTarget& target : saved.Plan.Targets) {
        const UdpDev* dev = target.Writes.empty() ? nullptr : FindFound(ctl.Devices, target.Wanted->Name);
        if (!target.Writes.empty() && (dev == nullptr || dev->Id != target.Id))
            saved.Plan.Problems.push_back(
                {target.Wanted->At, "no controller " + target.Wanted->Name + " answered the search"});
    }
    if (!saved.Plan.Problems.empty() || options.DryRun || saved.Plan.ControllersToChange() == 0) {
        EndSessions(ctl.Devices, saved.Plan);
        QuorctlOptions shown = options;
        shown.File = saved.SiteFile;
        const int status = ShowPlan(saved.Plan, shown, out, err);
        if (status != 2 && options.DryRun)
            out << "dry run: nothing written\n";
        return status == 2 || options.DryRun ? status : 0;
    }
    return ApplyPlanned(ctl, saved.Plan, text, options, out, err);
}

int RunSiteRollback(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    std::vector<JournalEntry> entries;
    try {
        entries = ReadJournal(options.File);
    } catch (const std::runtime_error& e) {
        err << "quorctl: " << e.what() << '\n';
        return 2;
    }
    if (entries.empty()) {
        out << "the journal records no write; nothing to roll back\n";
        return 0;
    }
    const RollbackOutcome outcome = RollbackSite(
        ctl.Devices, entries, [&out](const std::string& name) { out << name << ": rolled back\n"; });
    for (const std::string& refused : outcome.Refused)
        err << "quorctl: " << refused << '\n';
    return outcome.Refused.empty() ? 0 : 2;
}

}  // namespace quor::tools
