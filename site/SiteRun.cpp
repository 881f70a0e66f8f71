#include "site/SiteRun.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "link/DevMode.h"
#include "model/Hardres.h"
#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "sheets/SheetFields.h"
#include "sheets/SheetWords.h"
#include "site/ControllerRead.h"
#include "site/DeviceSearch.h"

namespace quor::site {

namespace {

bool Kept(std::span<const std::string> only, const std::string& name)
{
    return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
}

// The first field whose section belongs to another kind's sheet: one problem
// says it, rather than one for each field of that section.
std::optional<SiteProblem> KindProblem(const WantedController& wanted, int kind)
{
    for (const WantedField& field : wanted.Fields) {
        const int own = KindOfSection(field.Section);
        if (own != 0 && own != kind)
            return SiteProblem{field.SectionAt.Line != 0 ? field.SectionAt : field.At,
                               wanted.Name + " is " + KindOfController(kind) + "; " + field.Section +
                                   " is on the sheet of " + KindOfController(own)};
    }
    return std::nullopt;
}

// A site is read whole before anything is written: a session held meanwhile
// would lapse on the controller (30 s without traffic) while this side still
// counts it open. Each read or write so ends its session, and the write opens
// one of its own. A close that fails leaves the session to lapse.
void EndSession(UdpDev& dev)
{
    try {
        dev.CloseSession();
    } catch (const UErr&) {
    }
}

// Ends the device's session when a step's scope ends, however it ends.
class SessionEnd {
public:
    explicit SessionEnd(UdpDev& dev) : Dev(dev) {}
    ~SessionEnd() { EndSession(Dev); }
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

private:
    UdpDev& Dev;
};

void Read(UdpDev& dev, Controller& c)
{
    const SessionEnd end(dev);
    LoadConfiguration(dev, c);
}

// How one controller's step failed.
struct StepFailure {
    std::string Line;  // in one line, for a list of controllers left out
    std::string Text;  // in as many lines as it takes, each ended
};

// Runs one controller's step: nothing when it went through, else how it failed.
[[nodiscard]] std::optional<StepFailure> TryStep(const std::function<void()>& step)
{
    try {
        step();
    } catch (const UErr& e) {
        return StepFailure{UnreadableText(e), e.Text()};
    } catch (const std::exception& e) {
        return StepFailure{e.what(), std::string(e.what()) + "\n"};
    }
    return std::nullopt;
}

void Write(UdpDev& dev, Controller& c)
{
    if (!WriteKindConfig(dev, c))
        throw std::runtime_error(DevName(dev.Id) + " holds no configuration to write");
}

// Writes the target's controller, reads it back and plans it again: throws
// when anything is left to change.
void WriteAndCheck(UdpDevSet& devices, SiteTarget& target)
{
    const std::string& name = target.Wanted->Name;
    UdpDev* dev = FindById(devices, target.Id);
    if (dev == nullptr)
        throw std::runtime_error(name + " is no longer listed");
    Write(*dev, *target.Held);
    EndSession(*dev);
    Controller back;
    Read(*dev, back);
    const ControllerPlan again = PlanController(*target.Wanted, back, dev->Id);
    std::string left;
    for (const FieldChange& change : again.Changes)
        left += "\n  " + ChangeText(name, change);
    for (const SiteProblem& problem : again.Problems)
        left += "\n  " + problem.Text;
    if (!left.empty())
        throw std::runtime_error(name + " read back does not hold what the file says (held -> file):" + left);
}

}  // namespace

size_t SitePlan::ControllersToChange() const
{
    return std::count_if(Targets.begin(), Targets.end(),
                         [](const SiteTarget& t) { return !t.Changes.empty(); });
}

size_t SitePlan::FieldsToChange() const
{
    size_t fields = 0;
    for (const SiteTarget& target : Targets)
        fields += target.Changes.size();
    return fields;
}

size_t SitePlan::Unchanged() const
{
    return std::count_if(Targets.begin(), Targets.end(),
                         [](const SiteTarget& t) { return t.Held && t.Changes.empty(); });
}

std::string UnreadableText(const UErr& error)
{
    const std::string name = error.Dev ? DevName(error.Dev->Id) : std::string("the device");
    if (error.Code == ErrModeRefuses && error.Dev)
        return name + " is in mode " + error.Dev->ModeName +
               ", which keeps its configuration closed (Serwis or Instalacja is needed)";
    std::string message = ErrorMessage(error.Code);
    message = message.substr(0, message.find('\n'));
    return name + " cannot be read: Błąd nr " + std::to_string(error.Code) + ": " + message;
}

std::vector<uint32_t> FoundControllers(const UdpDevSet& devices)
{
    std::vector<uint32_t> found;
    for (int i = 0; i < devices.Count; ++i)
        if (DevType(devices.Dev[i].Id) == ControllerType)
            found.push_back(devices.Dev[i].Id);
    return found;
}

SitePlan PlanSite(UdpDevSet& devices, const SiteFile& file, std::vector<SiteProblem> fileProblems,
                  std::span<const std::string> only)
{
    SitePlan plan;
    plan.Problems = std::move(fileProblems);
    for (const std::string& name : only) {
        const auto named = [&name](const WantedController& w) { return w.Name == name; };
        if (std::none_of(file.Controllers.begin(), file.Controllers.end(), named))
            plan.Problems.push_back({{}, "--only " + name + ": the file names no such controller"});
    }
    devices.Search();
    for (const WantedController& wanted : file.Controllers) {
        if (!Kept(only, wanted.Name))
            continue;
        SiteTarget& target = plan.Targets.emplace_back();
        target.Wanted = &wanted;
        const auto problem = [&](const std::string& text) { plan.Problems.push_back({wanted.At, text}); };
        UdpDev* dev = FindFound(devices, wanted.Name);
        if (dev == nullptr) {
            problem("no controller " + wanted.Name + " answered the search");
            continue;
        }
        if (DevName(dev->Id) != wanted.Name) {
            // Keyed by its address: the file names each controller by its device name.
            problem("a site file names each controller by its device name, not its address; " +
                    DevName(dev->Id) + " answers at " + wanted.Name);
            continue;
        }
        target.Id = dev->Id;
        if (DevType(dev->Id) != ControllerType) {
            problem(wanted.Name + " is not a controller");
            continue;
        }
        if (!ConfigOpen(dev->Mode)) {
            problem(wanted.Name + " is in mode " + dev->ModeName() +
                    ", which does not allow writing (Serwis or Instalacja is needed)");
            continue;
        }
        Controller held;
        if (const auto failed = TryStep([&] { Read(*dev, held); })) {
            problem(failed->Line);
            continue;
        }
        if (auto kind = KindProblem(wanted, held.Table.Kind)) {
            plan.Problems.push_back(*kind);
            continue;
        }
        ControllerPlan planned = PlanController(wanted, held, dev->Id);
        plan.Problems.insert(plan.Problems.end(), planned.Problems.begin(), planned.Problems.end());
        if (!planned.Problems.empty())
            continue;
        target.Changes = std::move(planned.Changes);
        target.Held = std::move(held);
    }
    // By their place: a reader goes through the file once. Problems without a
    // place (the file's whole, --only) come first.
    std::stable_sort(plan.Problems.begin(), plan.Problems.end(),
                     [](const SiteProblem& a, const SiteProblem& b) {
                         return std::pair(a.At.Line, a.At.Column) < std::pair(b.At.Line, b.At.Column);
                     });
    return plan;
}

ApplyOutcome ApplySite(UdpDevSet& devices, SitePlan& plan,
                       const std::function<void(const std::string&)>& written)
{
    if (!plan.Problems.empty())
        throw std::logic_error("a plan with problems is never applied");
    ApplyOutcome outcome;
    for (SiteTarget& target : plan.Targets) {
        if (target.Changes.empty())
            continue;
        const std::string& name = target.Wanted->Name;
        if (!outcome.Failed.empty()) {
            outcome.NotReached.push_back(name);
            continue;
        }
        const auto failed = TryStep([&] { WriteAndCheck(devices, target); });
        if (failed) {
            outcome.Failed = name;
            outcome.Reason = failed->Text;
            continue;
        }
        outcome.Written.push_back(name);
        if (written)
            written(name);
    }
    return outcome;
}

void EachController(UdpDevSet& devices, std::span<const uint32_t> controllers,
                    const std::function<void(UdpDev&)>& each,
                    const std::function<void(const std::string&)>& leftOut)
{
    for (const uint32_t id : controllers) {
        UdpDev* dev = FindById(devices, id);
        if (dev == nullptr) {
            leftOut(DevName(id) + " is no longer listed");
            continue;
        }
        const SessionEnd end(*dev);
        if (const auto failed = TryStep([&] { each(*dev); }))
            leftOut(failed->Line);
    }
}

SiteExport ExportSite(UdpDevSet& devices, std::span<const std::string> only)
{
    devices.Search();
    SiteExport exported;
    const auto read = [&exported](UdpDev& dev) {
        Controller c;
        LoadConfiguration(dev, c);
        exported.Controllers.push_back({DevName(dev.Id), SheetFields(c, dev.Id)});
    };
    const auto leftOut = [&exported](const std::string& why) { exported.LeftOut.push_back(why); };
    if (only.empty()) {
        EachController(devices, FoundControllers(devices), read, leftOut);
        return exported;
    }
    std::vector<uint32_t> taken;  // a controller named twice (by name and address) is stated once
    for (const std::string& key : only) {
        const UdpDev* dev = FindFound(devices, key);
        if (dev == nullptr)
            exported.LeftOut.push_back(key + ": no device of this name or address answered the search");
        else if (std::find(taken.begin(), taken.end(), dev->Id) == taken.end()) {
            taken.push_back(dev->Id);
            EachController(devices, std::span(&taken.back(), 1), read, leftOut);
        }
    }
    return exported;
}

}  // namespace quor::site
