#include "site/SiteRun.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "link/DevMode.h"
#include "model/Hardres.h"
#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "sheets/SheetFields.h"
#include "sheets/SheetWords.h"
#include "site/DeviceSearch.h"
#include "site/KeptSession.h"
#include "text/Sha256.h"

namespace quor::site {

namespace {

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

// Runs one controller's step: nothing when it went through, else why it
// failed, in one line.
[[nodiscard]] std::optional<std::string> TryStep(const std::function<void()>& step)
{
    try {
        step();
    } catch (const UErr& e) {
        return UnreadableText(e);
    } catch (const std::exception& e) {
        return e.what();
    }
    return std::nullopt;
}

// The bytes the write of held leaves in each block it changes, beside the
// bytes read: the head as read, then the record as the write encodes it.
std::vector<BlockWrite> ChangedBlocks(Controller& held, const std::vector<RawBlock>& read)
{
    std::vector<BlockWrite> writes;
    const std::vector<BlockRecord> blocks = KindBlocks(held);
    const std::vector<CfgBlock> records = KindRecords(held);
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto was = std::find_if(read.begin(), read.end(),
                                      [&](const RawBlock& r) { return r.Block == blocks[i].Block; });
        if (was == read.end() || was->Bytes.size() < BlockHeadLen)
            throw std::logic_error("a planned block was not read");
        BlockBody body;
        const int length = records[i].Encode(body);
        std::vector<uint8_t> to(was->Bytes.begin(), was->Bytes.begin() + BlockHeadLen);
        to.insert(to.end(), body.begin(), body.begin() + length);
        if (to != was->Bytes)
            writes.push_back({was->Block, was->Bytes, std::move(to)});
    }
    return writes;
}

bool Selected(Selection selection, const std::string& name)
{
    const auto named = [&name](std::span<const std::string> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    return (selection.Only.empty() || named(selection.Only)) && !named(selection.Exclude);
}

// A name in --only or --exclude that the file lacks is most likely a typing
// error: a run without the controller meant would pass for a done one.
void SelectionProblems(const SiteFile& file, Selection selection, std::vector<SiteProblem>& problems)
{
    const auto check = [&](std::span<const std::string> names, const std::string& option) {
        for (const std::string& name : names) {
            const auto named = [&name](const WantedController& w) { return w.Name == name; };
            if (std::none_of(file.Controllers.begin(), file.Controllers.end(), named))
                problems.push_back({{}, option + " " + name + ": the file names no such controller"});
        }
    };
    check(selection.Only, "--only");
    check(selection.Exclude, "--exclude");
}

// By their place: a reader goes through the file once. Problems without a
// place (the file's whole, --only) come first.
void SortProblems(std::vector<SiteProblem>& problems)
{
    std::stable_sort(problems.begin(), problems.end(), [](const SiteProblem& a, const SiteProblem& b) {
        return std::pair(a.At.Line, a.At.Column) < std::pair(b.At.Line, b.At.Column);
    });
}

// Plans each selected controller of the file from what read gives for it:
// its state as planned from, or nothing when read told plan why not.
SitePlan PlanEach(const SiteFile& file, std::vector<SiteProblem> fileProblems, Selection selection,
                  const std::function<std::optional<Backup>(SiteTarget&, SitePlan&)>& read,
                  const std::function<void(const SiteTarget&)>& planned = {})
{
    SitePlan plan;
    plan.Problems = std::move(fileProblems);
    SelectionProblems(file, selection, plan.Problems);
    for (const WantedController& wanted : file.Controllers) {
        if (!Selected(selection, wanted.Name))
            continue;
        SiteTarget& target = plan.Targets.emplace_back();
        target.Wanted = &wanted;
        if (std::optional<Backup> before = read(target, plan))
            PlanTarget(target, std::move(*before), plan.Problems);
        if (planned)
            planned(target);
    }
    SortProblems(plan.Problems);
    return plan;
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
                         [](const SiteTarget& t) { return !t.Fingerprint.empty() && t.Changes.empty(); });
}

std::string UnreadableText(const UErr& error)
{
    const std::string name = error.Dev ? DevName(error.Dev->Id) : std::string("the device");
    if (error.Code == ErrModeRefuses && error.Dev)
        return name + " is in mode " + error.Dev->ModeName +
               ", which keeps its configuration closed (Serwis or Instalacja is needed)";
    // Most often the session of a run stopped before it could close it.
    if (error.Code == ErrForeignSession)
        return name + " holds another program's session (Błąd nr 4), most likely that of an interrupted "
                      "quorctl run or of quorConfig on another PC; it lapses within about 30 s of that "
                      "program's last request";
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

void PlanTarget(SiteTarget& target, Backup before, std::vector<SiteProblem>& problems)
{
    const WantedController& wanted = *target.Wanted;
    Controller held;
    Unpack(before, held);
    if (auto kind = KindProblem(wanted, held.Table.Kind)) {
        problems.push_back(*kind);
        return;
    }
    ControllerPlan planned = PlanController(wanted, held, before.ControllerId);
    problems.insert(problems.end(), planned.Problems.begin(), planned.Problems.end());
    if (!planned.Problems.empty())
        return;
    if (!planned.Changes.empty())
        target.Writes = ChangedBlocks(held, before.Blocks);
    target.Changes = std::move(planned.Changes);
    target.Fingerprint = Fingerprint(before);
    target.Before = std::move(before);
}

SitePlan PlanSite(UdpDevSet& devices, const SiteFile& file, std::vector<SiteProblem> fileProblems,
                  Selection selection)
{
    devices.Search();
    KeptSessions sessions(devices);
    const auto read = [&devices, &sessions](SiteTarget& target, SitePlan& plan) -> std::optional<Backup> {
        const WantedController& wanted = *target.Wanted;
        const auto problem = [&](const std::string& text) { plan.Problems.push_back({wanted.At, text}); };
        UdpDev* dev = FindFound(devices, wanted.Name);
        if (dev == nullptr) {
            problem("no controller " + wanted.Name + " answered the search");
            return std::nullopt;
        }
        if (DevName(dev->Id) != wanted.Name) {
            // Keyed by its address: the file names each controller by its device name.
            problem("a site file names each controller by its device name, not its address; " +
                    DevName(dev->Id) + " answers at " + wanted.Name);
            return std::nullopt;
        }
        target.Id = dev->Id;
        if (DevType(dev->Id) != ControllerType) {
            problem(wanted.Name + " is not a controller");
            return std::nullopt;
        }
        if (!ConfigOpen(dev->Mode)) {
            problem(wanted.Name + " is in mode " + dev->ModeName() +
                    ", which does not allow writing (Serwis or Instalacja is needed)");
            return std::nullopt;
        }
        sessions.Sweep();
        std::optional<Backup> before;
        Controller c;
        if (const auto failed = TryStep([&] { before = ReadControllerKept(*dev, c); }))
            problem(*failed);
        sessions.Used(dev->Id);
        return before;
    };
    // Only a controller to be written keeps its session, for the apply.
    std::vector<uint32_t> kept;
    const auto planned = [&sessions, &kept](const SiteTarget& target) {
        if (target.Writes.empty())
            sessions.End(target.Id);
        else
            kept.push_back(target.Id);
    };
    SitePlan plan = PlanEach(file, std::move(fileProblems), selection, read, planned);
    for (const uint32_t id : kept)
        sessions.Keep(id);
    return plan;
}

SitePlan PlanFromBackups(const std::string& folder, const SiteFile& file,
                         std::vector<SiteProblem> fileProblems, Selection selection)
{
    const auto read = [&folder](SiteTarget& target, SitePlan& plan) -> std::optional<Backup> {
        const WantedController& wanted = *target.Wanted;
        const std::string path = (std::filesystem::path(folder) / (wanted.Name + ".json")).string();
        if (!std::filesystem::exists(path)) {
            plan.Problems.push_back({wanted.At, "no backup of " + wanted.Name + " in " + folder});
            return std::nullopt;
        }
        try {
            Backup backup = LoadBackup(path);
            if (DevName(backup.ControllerId) != wanted.Name)
                throw std::runtime_error(path + " is the backup of " + DevName(backup.ControllerId));
            target.Id = backup.ControllerId;
            return backup;
        } catch (const std::runtime_error& e) {
            plan.Problems.push_back({wanted.At, e.what()});
            return std::nullopt;
        }
    };
    return PlanEach(file, std::move(fileProblems), selection, read);
}

void EndSessions(UdpDevSet& devices, const SitePlan& plan)
{
    for (const SiteTarget& target : plan.Targets) {
        if (UdpDev* dev = target.Id != 0 ? FindById(devices, target.Id) : nullptr)
            EndKept(*dev);
    }
}

std::string Fingerprint(const Backup& before)
{
    std::string bytes;
    const auto put = [&bytes](uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    };
    put(before.ControllerId, 4);
    put(before.Kind, 4);
    put(before.DoorCount, 4);
    put(before.TrainFlag, 4);
    for (const BusDev& entry : before.Entries) {
        put(entry.Id, 4);
        put(entry.Conn, 1);
        put(entry.Flags, 1);
        put(entry.FixedOutputs, 2);
        for (const uint16_t count : entry.ResCount)
            put(count, 2);
    }
    for (const RawBlock& block : before.Blocks) {
        put(block.Block.Type, 1);
        put(block.Block.Index, 1);
        put(static_cast<uint32_t>(block.Bytes.size()), 4);
        bytes.append(block.Bytes.begin(), block.Bytes.end());
    }
    return Sha256Hex(bytes).substr(0, 16);
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
        const auto failed = TryStep([&] { each(*dev); });
        EndKept(*dev);
        if (failed)
            leftOut(*failed);
    }
}

SiteExport ExportSite(UdpDevSet& devices, std::span<const std::string> only)
{
    devices.Search();
    SiteExport exported;
    const auto read = [&exported](UdpDev& dev) {
        Controller c;
        ReadControllerKept(dev, c);
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
