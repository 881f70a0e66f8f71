#include "site/SiteApply.h"

#include <algorithm>
#include <stdexcept>

#include "site/DeviceSearch.h"
#include "site/KeptSession.h"
#include "site/RawBlocks.h"

namespace quor::site {

namespace {

class Changed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The table and the blocks about to be written, read again, as they were planned from.
void CheckUnchanged(UdpDev& dev, const SiteTarget& target)
{
    Controller now;
    ReadTableKept(dev, now);
    const Backup table = BackupHead(dev, now.Table);
    const Backup& was = *target.Before;
    bool same = table.Entries == was.Entries && table.Kind == was.Kind && table.DoorCount == was.DoorCount &&
                table.TrainFlag == was.TrainFlag;
    for (const BlockWrite& w : target.Writes) {
        if (!same)
            break;
        same = ReadBlockKept(dev, w.Block) == w.From;
    }
    if (!same)
        throw Changed(target.Wanted->Name + " changed since it was planned; plan again");
}

// What the controller holds where the read-back differs from the write: the
// fields left to change, planned again from the blocks as read back.
std::string LeftToChange(const SiteTarget& target, const std::vector<RawBlock>& back)
{
    Backup held = *target.Before;
    for (const RawBlock& b : back)
        for (RawBlock& block : held.Blocks)
            if (block.Block == b.Block)
                block.Bytes = b.Bytes;
    Controller c;
    Unpack(held, c);
    const std::string& name = target.Wanted->Name;
    const ControllerPlan again = PlanController(*target.Wanted, c, target.Id);
    std::string left;
    for (const FieldChange& change : again.Changes)
        left += "  " + ChangeText(name, change) + "\n";
    for (const SiteProblem& problem : again.Problems)
        left += "  " + problem.Text + "\n";
    return name + " read back does not hold what the file says (held -> file):\n" + left;
}

class TargetWrite {
public:
    TargetWrite(UdpDev& dev, const SiteTarget& target, const ApplyWatch& watch)
        : Dev(dev), Target(target), Watch(watch)
    {
    }

    // False when Stop left blocks unwritten.
    bool Run()
    {
        OpenKept(Dev);
        CheckUnchanged(Dev, Target);
        if (Watch.Writing)
            Watch.Writing(Target);
        for (const BlockWrite& w : Target.Writes) {
            if (Watch.Stop && Watch.Stop())
                return false;
            Dev.WriteBlock(w.Block.Type, w.Block.Index, BodyOf(w.To));
            Sent.push_back(w.Block);
            if (Watch.Written)
                Watch.Written(Target, {w.Block, w.To});
        }
        std::vector<RawBlock> back;
        bool kept = true;
        for (const BlockWrite& w : Target.Writes) {
            back.push_back({w.Block, ReadBlockKept(Dev, w.Block)});
            if (Watch.ReadBack)
                Watch.ReadBack(Target, back.back());
            kept = kept && SameBody(back.back().Bytes, w.To);
        }
        if (!kept)
            throw std::runtime_error(LeftToChange(Target, back));
        return true;
    }

    std::vector<BlockId> Sent;

private:
    UdpDev& Dev;
    const SiteTarget& Target;
    const ApplyWatch& Watch;
};

}  // namespace

ApplyOutcome ApplySite(UdpDevSet& devices, const SitePlan& plan, const ApplyWatch& watch)
{
    if (!plan.Problems.empty())
        throw std::logic_error("a plan with problems is never applied");
    ApplyOutcome outcome;
    // The sessions the plan left open for the apply.
    KeptSessions sessions(devices);
    for (const SiteTarget& target : plan.Targets)
        if (!target.Writes.empty())
            sessions.Used(target.Id);
    for (const SiteTarget& target : plan.Targets) {
        if (target.Writes.empty())
            continue;
        const std::string& name = target.Wanted->Name;
        if (!outcome.Failed.empty() || outcome.Stopped || (watch.Stop && watch.Stop())) {
            outcome.Stopped = outcome.Stopped || outcome.Failed.empty();
            outcome.NotReached.push_back(name);
            continue;
        }
        sessions.Sweep();
        UdpDev* dev = FindById(devices, target.Id);
        std::optional<TargetWrite> write;
        try {
            if (dev == nullptr)
                throw std::runtime_error(name + " is no longer listed");
            write.emplace(*dev, target, watch);
            if (write->Run()) {
                sessions.End(target.Id);
                outcome.Written.push_back(name);
                if (watch.Done)
                    watch.Done(target);
                continue;
            }
            outcome.Stopped = true;
            if (write->Sent.empty()) {
                outcome.NotReached.push_back(name);
                continue;
            }
            outcome.Reason = name + ": stopped before its write was complete\n";
        } catch (const Changed& e) {
            outcome.Reason = std::string(e.what()) + "\n";
        } catch (const UErr& e) {
            outcome.Reason = e.Text();
        } catch (const std::exception& e) {
            outcome.Reason = e.what();
            if (!outcome.Reason.ends_with('\n'))
                outcome.Reason += '\n';
        }
        sessions.Used(target.Id);
        outcome.Failed = name;
        if (write)
            outcome.Sent = write->Sent;
        for (const BlockWrite& w : target.Writes)
            if (std::find(outcome.Sent.begin(), outcome.Sent.end(), w.Block) == outcome.Sent.end())
                outcome.NotSent.push_back(w.Block);
    }
    return outcome;
}

std::string BlocksLine(const ApplyOutcome& outcome)
{
    if (outcome.Failed.empty())
        return {};
    const auto list = [](const std::vector<BlockId>& blocks) {
        const std::string text = BlocksText(blocks, ", ");
        return text.empty() ? std::string("none") : text;
    };
    return outcome.Failed + ": written " + list(outcome.Sent) + "; not written " + list(outcome.NotSent);
}

}  // namespace quor::site
