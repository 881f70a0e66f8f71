// Planning a restore: the checks, and the mapping of the backup's bus
// entries onto the controller's.
#include "site/Restore.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "link/DevId.h"
#include "link/Frame.h"
#include "link/UErr.h"
#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "sheets/SheetFields.h"
#include "sheets/SlotNames.h"
#include "site/Formats.h"
#include "site/RawBlocks.h"

namespace quor::site {

namespace {

// The same connection letter and number.
bool SameConnection(const BusDev& a, const BusDev& b)
{
    return DevId(a.Id).ConnLetter() == DevId(b.Id).ConnLetter() && a.Conn == b.Conn;
}

std::string EntryText(int e)
{
    char text[8];
    std::snprintf(text, sizeof text, "%3d", e);
    return text;
}

// Every reference slot of every block, with the reference it holds.
template <typename Fn> void ForEachRef(std::span<const RawBlock> blocks, Fn fn)
{
    Controller shapes;
    for (const RawBlock& raw : blocks) {
        const CfgBlock* shape = RecordOf(shapes, raw.Block);
        for (const RefSlot& slot : RefSlotsOf(*shape))
            fn(raw, slot, Get16(&raw.Bytes[slot.Offset]));
    }
}

class Planner {
public:
    Planner(const Backup& backup, const BusDevTable& target, uint32_t targetId, bool acceptSerialChanges)
        : B(backup), T(target), TargetId(targetId), AcceptSerial(acceptSerialChanges),
          TargetName(DevName(targetId))
    {
    }

    void Check(std::span<const RawBlock> held);
    void Map();
    void Remap();

    RestorePlan Plan;

private:
    void Compare(const std::string& what, const std::string& backup, const std::string& target);
    void MapEntry(int e);
    std::optional<int> OwnEntry() const;
    std::optional<int> SameDeviceIn(const BusDev& dev) const;
    std::optional<int> Replacement(const BusDev& dev) const;
    std::string HeldOn(const BusDev& dev) const;
    void Take(int from, int to, const std::string& note);
    void Miss(int e, const std::string& why);

    const Backup& B;
    const BusDevTable& T;
    const uint32_t TargetId;
    const bool AcceptSerial;
    const std::string TargetName;
    std::map<int, int> To;                // backup entry -> entry on the controller
    std::map<int, std::string> Unmapped;  // backup entry -> why it has no entry there
    std::set<int> Replacements;           // entries taken for devices replaced since the backup
};

void Planner::Compare(const std::string& what, const std::string& backup, const std::string& target)
{
    if (backup == target) {
        Plan.Checks.push_back(what + ": " + backup + ", as on " + TargetName);
        return;
    }
    Plan.Checks.push_back(what + ": " + backup + ", on " + TargetName + ": " + target);
    Plan.Problems.push_back(what + ": backup " + backup + ", " + TargetName + " " + target);
}

void Planner::Check(std::span<const RawBlock> held)
{
    Compare("kind", KindKey(B.Kind), KindKey(T.Kind));
    if (B.Kind != T.Kind)
        return;
    if (B.Kind == KindDoors) {
        Compare("doors", std::to_string(B.DoorCount), std::to_string(T.DoorCount));
        Compare("train number block", B.TrainFlag == 1 ? "kept" : "none", T.TrainFlag == 1 ? "kept" : "none");
    }
    if (!Plan.Problems.empty())
        return;
    // The head says what the block carries; bytes 4 and 5 mean nothing.
    std::string other;
    for (const RawBlock& raw : B.Blocks) {
        const auto same = [&raw](const RawBlock& h) {
            return h.Block == raw.Block && h.Bytes.size() == raw.Bytes.size() &&
                   std::equal(raw.Bytes.begin(), raw.Bytes.begin() + 4, h.Bytes.begin()) &&
                   std::equal(raw.Bytes.begin() + 6, raw.Bytes.begin() + 8, h.Bytes.begin() + 6);
        };
        if (std::none_of(held.begin(), held.end(), same))
            other += " " + BlockText(raw.Block);
    }
    if (other.empty()) {
        Plan.Checks.push_back("block shapes: as on " + TargetName);
        return;
    }
    Plan.Checks.push_back("block shapes: other on " + TargetName + " in" + other);
    Plan.Problems.push_back("block shapes: " + TargetName + " holds another shape in" + other);
}

std::optional<int> Planner::OwnEntry() const
{
    for (int e = 0; e < T.DevCount; ++e) {
        if (T.Dev[e].Present() && DevId(T.Dev[e].Id).SameDevice(DevId(TargetId)))
            return e;
    }
    return std::nullopt;
}

// The entry of the same device, on the same connection when it is listed more than once.
std::optional<int> Planner::SameDeviceIn(const BusDev& dev) const
{
    std::optional<int> found;
    for (int e = 0; e < T.DevCount; ++e) {
        const BusDev& t = T.Dev[e];
        if (!t.Present() || DevId(t.Id).SameDevice(DevId(TargetId)) || !DevId(t.Id).SameDevice(DevId(dev.Id)))
            continue;
        if (!found || (SameConnection(t, dev) && !SameConnection(T.Dev[*found], dev)))
            found = e;
    }
    return found;
}

// The only device of dev's model on its connection that is not itself in the backup.
std::optional<int> Planner::Replacement(const BusDev& dev) const
{
    std::optional<int> found;
    int count = 0;
    for (int e = 0; e < T.DevCount; ++e) {
        const BusDev& t = T.Dev[e];
        const bool inBackup = std::any_of(B.Entries.begin(), B.Entries.end(), [&t](const BusDev& b) {
            return b.Present() && DevId(b.Id).SameDevice(DevId(t.Id));
        });
        if (t.Present() && !DevId(t.Id).SameDevice(DevId(TargetId)) && DevId(t.Id).SameModel(DevId(dev.Id)) &&
            SameConnection(t, dev) && !inBackup && !Replacements.contains(e)) {
            found = e;
            ++count;
        }
    }
    return count == 1 ? found : std::nullopt;
}

std::string Planner::HeldOn(const BusDev& dev) const
{
    std::string held;
    for (int p = 0; p < T.PresentCount; ++p) {
        const BusDev& t = T.Dev[T.Order[p]];
        if (SameConnection(t, dev))
            held += (held.empty() ? "" : ", ") + ConnName(t);
    }
    return held.empty() ? "nothing on " + ConnText(dev) : held;
}

void Planner::Take(int from, int to, const std::string& note)
{
    To[from] = to;
    const auto name = [](const BusDev& dev) {
        return dev.Present() ? ConnName(dev) : std::string("(empty)");
    };
    const BusDev none{.Id = 0xFFFFFFFF};
    const BusDev& source = from < static_cast<int>(B.Entries.size()) ? B.Entries[from] : none;
    const BusDev& target = to < T.DevCount ? T.Dev[to] : none;
    Plan.Mapping.push_back(EntryText(from) + " " + name(source) + " -> " + EntryText(to) + " " +
                           name(target) + note);
}

void Planner::Miss(int e, const std::string& why)
{
    Unmapped[e] = why;
    const bool present = e < static_cast<int>(B.Entries.size()) && B.Entries[e].Present();
    Plan.Mapping.push_back(EntryText(e) + " " + (present ? ConnName(B.Entries[e]) : "(empty)") +
                           " -> not found");
}

void Planner::MapEntry(int e)
{
    if (e >= static_cast<int>(B.Entries.size()) || !B.Entries[e].Present()) {
        // A reference to an entry without a device stays as it is, but only
        // where it names no device on the controller either.
        if (e < T.DevCount && T.Dev[e].Present())
            Miss(e, "backup entry " + std::to_string(e) + " (empty), " + TargetName + " holds " +
                        ConnName(T.Dev[e]) + " there");
        else
            Take(e, e, "");
        return;
    }
    const BusDev& dev = B.Entries[e];
    if (DevId(dev.Id).SameDevice(DevId(B.ControllerId))) {
        const std::optional<int> own = OwnEntry();
        if (!own)
            Miss(e, "backup " + ConnName(dev) + ", " + TargetName + " lists no entry of its own");
        else if (!DevId(T.Dev[*own].Id).SameModel(DevId(dev.Id)))
            Miss(e, "backup " + ConnName(dev) + ", " + TargetName + " is another model");
        else
            Take(e, *own, "  the controller");
        return;
    }
    if (const std::optional<int> same = SameDeviceIn(dev)) {
        Take(e, *same, "");
    } else if (const std::optional<int> successor = AcceptSerial ? Replacement(dev) : std::nullopt) {
        Replacements.insert(*successor);
        Take(e, *successor, "  replaced since the backup (--accept-serial-changes)");
    } else {
        Miss(e, "backup " + ConnName(dev) + ", " + TargetName + " holds " + HeldOn(dev));
    }
}

void Planner::Map()
{
    std::set<int> referenced;
    ForEachRef(B.Blocks, [&referenced](const RawBlock&, const RefSlot&, ResRef r) {
        if (RefNamesEntry(r))
            referenced.insert(RefEntry(r));
    });
    for (int e : referenced)
        MapEntry(e);
    ForEachRef(B.Blocks, [this](const RawBlock& raw, const RefSlot& slot, ResRef r) {
        const auto why = RefNamesEntry(r) ? Unmapped.find(RefEntry(r)) : Unmapped.end();
        if (why == Unmapped.end())
            return;
        const SlotName name = NameOf(raw.Block, slot.Group, slot.Slot);
        Plan.Problems.push_back(PathText(name.Section, name.Group, name.Label) + ": " + why->second);
    });
}

void Planner::Remap()
{
    Plan.Blocks.assign(B.Blocks.begin(), B.Blocks.end());
    for (RawBlock& raw : Plan.Blocks) {
        ForEachRef(std::span(&raw, 1), [this, &raw](const RawBlock&, const RefSlot& slot, ResRef r) {
            if (RefNamesEntry(r))
                Put16(&raw.Bytes[slot.Offset], static_cast<uint16_t>((r & 0x80FF) | To.at(RefEntry(r)) << 8));
        });
    }
}

}  // namespace

RestorePlan PlanRestore(const Backup& backup, const BusDevTable& target, uint32_t targetId,
                        std::span<const RawBlock> held, bool acceptSerialChanges)
{
    Planner planner(backup, target, targetId, acceptSerialChanges);
    planner.Check(held);
    if (planner.Plan.Problems.empty()) {
        planner.Map();
        if (planner.Plan.Problems.empty())
            planner.Remap();
    }
    return std::move(planner.Plan);
}

RestoreWrite WriteRestore(UdpDev& dev, const RestorePlan& plan,
                          const std::function<void(const RawBlock&)>& written)
{
    RestoreWrite write;
    try {
        WriteRawBlocks(dev, plan.Blocks, [&](const RawBlock& raw) {
            write.Written.push_back(raw.Block);
            written(raw);
        });
    } catch (const UErr& e) {
        write.Stop = e.Text();
        for (size_t i = write.Written.size(); i < plan.Blocks.size(); ++i)
            write.Left.push_back(plan.Blocks[i].Block);
    }
    return write;
}

}  // namespace quor::site
