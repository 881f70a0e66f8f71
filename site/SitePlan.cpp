// Planning one controller of a site file. Each wanted field is set through
// the sheet's own edit, in the order the sheet shows its fields (the bolt
// before the door-open sensor it carries, the lift's module before its
// floor-selection input), so that c ends as the window would leave it. Then
// every reference the file moved is put to the selector it stands in, built
// by the sheet from the configuration with that one slot empty: a resource
// another slot uses is not offered, except an alarm or CCTV output that
// another door uses in the same slot.
#include "site/SitePlan.h"

#include <algorithm>
#include <optional>
#include <set>

#include "model/KindConfig.h"
#include "sheets/DoorSheet.h"
#include "sheets/HalfSeconds.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"
#include "sheets/NumberText.h"
#include "sheets/SheetEdits.h"
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"
#include "site/SlotNames.h"
#include "text/Cp1250.h"

namespace quor::site {

namespace {

constexpr std::string_view NoneText = words::NoneValue;
constexpr std::string_view NcMark = words::Nc;
constexpr int MaxTypedDigits = 4;  // the train number, locker numbers and the test start
constexpr int MaxWholeSeconds = MaxHalfSeconds / 2;

// A field of the sheet, found in its kind's table.
struct Target {
    const SheetFieldRow* Row = nullptr;  // null for a field no row declares
    int Door = 0;
    int Slot = 0;  // the record's slot; the row for a lockers module and its numbers

    bool IsRef() const { return Row != nullptr && Row->Value == FieldValue::Reference; }
    bool OnDoor() const { return Row->Section == FieldSection::Door; }
    bool Is(FieldAddress address, int slot) const { return Row->Address == address && Slot == slot; }
};

template <size_t N> int IndexOf(const std::array<std::string_view, N>& words, std::string_view word)
{
    const auto it = std::find(words.begin(), words.end(), word);
    return it == words.end() ? -1 : static_cast<int>(it - words.begin());
}

// The door a section names: "Przejście 3" is door 2; -1 for none.
int DoorOf(std::string_view section)
{
    const std::string prefix = std::string(words::Door) + " ";
    if (!section.starts_with(prefix))
        return -1;
    return ScanInt(section.substr(prefix.size())).value_or(0) - 1;
}

bool SectionFits(const SheetFieldRow& row, int32_t kind, const SheetField& f, int door)
{
    switch (row.Section) {
    case FieldSection::Common:
        return f.Section == words::Doors;
    case FieldSection::Door:
        return door >= 0;
    default:
        return f.Section == SheetOf(kind);
    }
}

Target TargetOf(int32_t kind, const SheetField& f)
{
    const int door = DoorOf(f.Section);
    for (const SheetFieldRow& row : FieldRowsOf(kind)) {
        if (f.Label != row.Label || !SectionFits(row, kind, f, door))
            continue;
        if (!row.EachModule) {
            if (f.Group == row.Group)
                return {&row, std::max(door, 0), row.Slot};
            continue;
        }
        for (int module = 0; module < LockerModules; ++module) {
            if (f.Group == words::ModuleRow(module))
                return {&row, 0, module};
        }
    }
    return {};
}

// The lift or lockers record of a controller of that kind.
OutSetCfg& OutSetOf(Controller& c)
{
    return c.Table.Kind == KindLift ? c.Lift : c.Lockers;
}

ResRef& SlotOf(Controller& c, const Target& t)
{
    CfgBlock& block = t.OnDoor() ? static_cast<CfgBlock&>(c.Doors.Doors[t.Door]) : OutSetOf(c);
    switch (t.Row->Address) {
    case FieldAddress::Output:
        return block.Outputs[t.Slot];
    case FieldAddress::Input:
        return block.Inputs[t.Slot];
    case FieldAddress::OutputSet:
        return block.OutputSets[t.Slot];
    default:
        return block.Readers[t.Slot];
    }
}

int ResourceKind(const Target& t)
{
    switch (t.Row->Address) {
    case FieldAddress::Output:
        return ResOutput;
    case FieldAddress::Input:
        return ResInput;
    case FieldAddress::OutputSet:
        return ResOutputSet;
    default:
        return ResReader;
    }
}

std::string_view KindWord(int resourceKind)
{
    static constexpr std::array<std::string_view, ResKinds> Words = {"an output", "an input", "a reader",
                                                                     "an output module"};
    return Words[resourceKind];
}

std::string ItemText(const BusDevTable& table, int resourceKind, ResRef r)
{
    static constexpr std::array<std::string_view, ResKinds> Prefixes = {
        PrefixOutput, PrefixInput, PrefixReader, {}};
    return resourceKind == ResOutputSet ? table.OutSetItemText(r)
                                        : table.ResItemText(r, Prefixes[resourceKind]);
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

bool IsNone(std::string_view text)
{
    return text.empty() || text == NoneText;
}

// The same copy of the records over its own table, for views of what-ifs.
void CopyController(const Controller& from, Controller& to)
{
    to.Table = from.Table;
    to.Doors.Common = from.Doors.Common;
    to.Doors.Doors = from.Doors.Doors;
    to.Doors.TrainNumber = from.Doors.TrainNumber;
    static_cast<CfgBlock&>(to.Lift) = from.Lift;
    static_cast<CfgBlock&>(to.Lockers) = from.Lockers;
}

// The taken masks as a fresh read of the configuration marks them: edits in
// the file's order may have cleared the bit of a resource another slot holds.
void Remark(Controller& c)
{
    for (BusDev& dev : c.Table.Dev)
        dev.Taken = {};
    MarkKindConfig(c);
}

// The selector that shows the target's slot, as the sheet builds it.
SelectorView SelectorOf(const Controller& c, const Target& t)
{
    const FieldAddress address = t.Row->Address;
    if (t.OnDoor()) {
        const DoorSheetView view = *ViewDoorSheet(c.Doors, t.Door);
        if (address == FieldAddress::Output)
            return view.Outputs[t.Slot].Selector;
        if (address == FieldAddress::Input)
            return view.Inputs[t.Slot].Selector;
        return view.Readers[t.Slot].Selector;
    }
    if (c.Table.Kind == KindLift) {
        const LiftSheetView view = *ViewLiftSheet(c.Lift);
        if (address == FieldAddress::OutputSet)
            return view.Module;
        if (address == FieldAddress::Input)
            return (t.Slot == LiftFloorInput ? view.Floor : view.Tamper).Selector;
        return view.Readers[t.Slot];
    }
    const LockersSheetView view = *ViewLockersSheet(c.Lockers);
    if (address == FieldAddress::OutputSet)
        return view.Modules[t.Slot];
    if (address == FieldAddress::Input)
        return (t.Slot == LockersAlarmInput ? view.Alarm : view.Tamper).Selector;
    return view.Readers[t.Slot];
}

bool Offers(const SelectorView& selector, ResRef r)
{
    return std::any_of(selector.Items.begin(), selector.Items.end(), [&](const SelectorItem& item) {
        return item.Value != NoRef && SameResource(item.Value, r);
    });
}

// Every slot of the configuration, shown or not, that holds resource r of its kind, but skip.
std::vector<std::string> UsersOf(Controller& c, int resourceKind, ResRef r, const ResRef* skip)
{
    std::vector<std::string> users;
    for (const BlockRecord& b : KindBlocks(c)) {
        CfgBlock& block = *b.Record;
        const auto look = [&](SlotGroup group, auto& slots, int count) {
            for (int i = 0; i < std::min<int>(count, static_cast<int>(slots.size())); ++i) {
                if (&slots[i] != skip && slots[i] != NoRef && SameResource(slots[i], r)) {
                    const SlotName name = NameOf(b.Block, group, i);
                    users.push_back(PathText(name.Section, name.Group, name.Label));
                }
            }
        };
        if (resourceKind == ResOutput)
            look(SlotGroup::Outputs, block.Outputs, block.OutputCount);
        else if (resourceKind == ResInput)
            look(SlotGroup::Inputs, block.Inputs, block.InputCount);
        else if (resourceKind == ResReader && b.Block.Type != BlockCommon)
            look(SlotGroup::Readers, block.Readers, block.ReaderCount);
        else if (resourceKind == ResOutputSet)
            look(SlotGroup::OutputSets, block.OutputSets, block.OutputSetCount);
    }
    return users;
}

// A stated reference field, as the file wants it.
struct WantedRef {
    ResRef Value = NoRef;
    bool Marked = false;
};

class Planner {
public:
    Planner(const WantedController& wanted, Controller& c, uint32_t ownId)
        : Wanted(wanted), C(c), OwnId(ownId), Before(SheetFields(c, ownId))
    {
        CopyController(c, Held);
    }

    ControllerPlan Plan()
    {
        // Each field of the sheet with the file's statement of it, if any.
        std::vector<const WantedField*> stated(Before.size(), nullptr);
        for (const WantedField& w : Wanted.Fields) {
            const auto it = std::find_if(Before.begin(), Before.end(), [&](const SheetField& f) {
                return f.Section == w.Section && f.Group == w.Group && f.Label == w.Label;
            });
            if (it == Before.end())
                Missing(w);
            else
                stated[it - Before.begin()] = &w;
        }
        std::vector<std::optional<WantedRef>> refs(Before.size());
        for (size_t i = 0; i < Before.size(); ++i) {
            if (stated[i])
                refs[i] = Set(Before[i], TargetOf(C.Table.Kind, Before[i]), *stated[i]);
        }
        Remark(C);
        for (size_t i = 0; i < Before.size(); ++i) {
            if (refs[i])
                CheckRef(i, TargetOf(C.Table.Kind, Before[i]), *stated[i], *refs[i]);
        }
        Changes();
        // In the order of the file, as a reader goes through it.
        std::stable_sort(Result.Problems.begin(), Result.Problems.end(),
                         [](const SiteProblem& a, const SiteProblem& b) {
                             return std::pair(a.At.Line, a.At.Column) < std::pair(b.At.Line, b.At.Column);
                         });
        return std::move(Result);
    }

private:
    void Problem(FilePlace at, const std::string& path, const std::string& text)
    {
        Result.Problems.push_back({at, Wanted.Name + ": " + path + ": " + text});
    }

    std::vector<std::string> Sections() const
    {
        std::vector<std::string> sections;
        for (const SheetField& f : Before) {
            if (std::find(sections.begin(), sections.end(), f.Section) == sections.end())
                sections.push_back(f.Section);
        }
        return sections;
    }

    // The groups and fields outside any group of a section.
    std::vector<std::string> Keys(const std::string& section) const
    {
        std::vector<std::string> keys;
        for (const SheetField& f : Before) {
            const std::string& key = f.Group.empty() ? f.Label : f.Group;
            if (f.Section == section && std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
        }
        return keys;
    }

    std::vector<std::string> Labels(const std::string& section, const std::string& group) const
    {
        std::vector<std::string> labels;
        for (const SheetField& f : Before) {
            if (f.Section == section && f.Group == group)
                labels.push_back(f.Label);
        }
        return labels;
    }

    // A section of another kind of controller, or of a door the controller lacks.
    std::string NoSection(const std::string& section) const
    {
        const int32_t kind = KindOfSection(section);
        if (kind != 0 && kind != C.Table.Kind)
            return "no such section: " + Wanted.Name + " is " + KindOfController(C.Table.Kind) + " (" +
                   SheetOf(C.Table.Kind) + ")";
        if (section == words::Doors)
            return "no such section: " + Wanted.Name + " keeps no train number";
        std::string text = "no such section";
        if (kind == KindDoors)
            text += ": " + Wanted.Name + " has " + std::to_string(C.Doors.DoorsInUse()) + " doors";
        return text + "; the sections are " + Listed(Sections());
    }

    void Missing(const WantedField& w)
    {
        const std::vector<std::string> keys = Keys(w.Section);
        if (keys.empty()) {
            if (ReportedSections.insert(w.Section).second)
                Problem(w.SectionAt, w.Section, NoSection(w.Section));
            return;
        }
        if (!w.Group.empty() && Labels(w.Section, w.Group).empty()) {
            if (ReportedGroups.insert(w.Section + "\n" + w.Group).second)
                Problem(w.GroupAt, w.Section + " / " + w.Group,
                        "no such group; " + w.Section + " holds " + Listed(keys));
            return;
        }
        if (w.Group.empty() && !Labels(w.Section, w.Label).empty()) {
            Problem(w.At, PathText(w.Section, w.Group, w.Label),
                    "a group, not a field: it holds " + Listed(Labels(w.Section, w.Label)));
            return;
        }
        Problem(w.At, PathText(w.Section, w.Group, w.Label),
                "no such field; " + (w.Group.empty() ? w.Section : w.Section + " / " + w.Group) + " holds " +
                    Listed(w.Group.empty() ? keys : Labels(w.Section, w.Group)));
    }

    // Sets one stated field through the sheet's edit; for a reference field,
    // gives what the file wants of it.
    std::optional<WantedRef> Set(const SheetField& field, const Target& t, const WantedField& w)
    {
        const std::string path = PathText(w.Section, w.Group, w.Label);
        const bool asHeld = w.Text == FieldText(field) || (IsNone(w.Text) && field.Value.empty());
        if (t.IsRef()) {
            // A stated value the controller holds stays as it is, also one the
            // selector could not offer again ("? (Rd1)"); an edit made before
            // may still move it (a bolt moved away releases its sensor).
            if (asHeld)
                return WantedRef{SlotOf(Held, t), !field.Mark.empty()};
            const ResRef held = SlotOf(C, t);
            const auto ref = ParseRef(t, w, path);
            if (ref)
                SetRef(t, held, *ref);
            return ref;
        }
        if (asHeld)
            return std::nullopt;
        // A field the sheet shows but no row of its kind's table can set is
        // refused rather than dropped.
        if (t.Row == nullptr || t.Row->Set == nullptr)
            Problem(w.ValueAt, path, "this field cannot be set from a site file");
        else
            SetText(t, w, path);
        return std::nullopt;
    }

    std::optional<WantedRef> ParseRef(const Target& t, const WantedField& w, const std::string& path)
    {
        std::string_view text = w.Text;
        WantedRef ref;
        const std::string_view mark = t.Row->Mark;
        const size_t blank = text.rfind(' ');
        if (blank != text.npos) {
            const std::string_view last = text.substr(blank + 1);
            if (!mark.empty() && last == mark) {
                ref.Marked = true;
                text = text.substr(0, blank);
            } else if (last == NcMark || last == words::ExitReader) {
                Problem(w.ValueAt, path,
                        mark.empty() ? "this field takes no mark"
                                     : "\"" + std::string(last) + "\" is no mark of this field; it takes " +
                                           std::string(mark));
                return std::nullopt;
            }
        }
        if (IsNone(text)) {
            if (ref.Marked) {
                Problem(w.ValueAt, path, std::string(mark) + " without a value");
                return std::nullopt;
            }
            return ref;
        }
        const int kind = ResourceKind(t);
        std::vector<ResRef> candidates;
        int otherKind = -1;
        const BusDevTable& table = C.Table;
        for (int e = 0; e < table.DevCount; ++e) {
            if (!table.Dev[e].Present())
                continue;
            for (int k = 0; k < ResKinds; ++k) {
                for (int n = 0; n < table.Dev[e].ResCount[k] && n < 32; ++n) {
                    const ResRef r = MakeRef(e, n);
                    if (ItemText(table, k, r) != text)
                        continue;
                    if (k == kind)
                        candidates.push_back(r);
                    else
                        otherKind = k;
                }
            }
        }
        if (candidates.empty()) {
            Problem(w.ValueAt, path, UnknownResource(text, kind, otherKind));
            return std::nullopt;
        }
        ref.Value = ChooseAmong(t, candidates);
        if (ref.Marked && t.OnDoor() && t.Row->Address == FieldAddress::Output &&
            !ShowOutputNc(table, ref.Value).Enabled) {
            Problem(w.ValueAt, path, std::string(text) + " is a relay output: it has no NC mark");
            return std::nullopt;
        }
        return ref;
    }

    std::string UnknownResource(std::string_view text, int kind, int otherKind) const
    {
        if (otherKind >= 0)
            return std::string(text) + " is " + std::string(KindWord(otherKind)) + "; this field takes " +
                   std::string(KindWord(kind));
        const size_t colon = text.find(':');
        const std::string device(text.substr(0, colon));
        const std::string kindWord(KindWord(kind));
        for (int e = 0; e < C.Table.DevCount; ++e) {
            if (!C.Table.Dev[e].Present() || DevName(C.Table.Dev[e].Id) != device)
                continue;
            // A module is named by its device alone.
            if (colon == text.npos)
                return device + " has no " + kindWord.substr(kindWord.find(' ') + 1);
            return device + " has no " + std::string(text.substr(colon + 1)) + "; this field takes " +
                   kindWord;
        }
        return "no device " + device + " in the bus-device table of " + Wanted.Name;
    }

    // A device with several output sets shows each by its name alone: the set
    // the slot holds already, else the first no other slot holds.
    ResRef ChooseAmong(const Target& t, const std::vector<ResRef>& candidates)
    {
        const ResRef held = SlotOf(C, t);
        for (ResRef r : candidates) {
            if (SameResource(r, held))
                return held;
        }
        for (ResRef r : candidates) {
            if (UsersOf(C, ResourceKind(t), r, &SlotOf(C, t)).empty())
                return r;
        }
        return candidates.front();
    }

    void SetRef(const Target& t, ResRef held, const WantedRef& ref)
    {
        // The same resource again only changes its box, as the box alone does.
        const bool same = held != NoRef && ref.Value != NoRef && SameResource(held, ref.Value);
        if (t.OnDoor()) {
            SetDoorRef(t, same, ref);
            return;
        }
        OutSetCfg& cfg = OutSetOf(C);
        switch (t.Row->Address) {
        case FieldAddress::OutputSet:
            if (same)
                break;
            if (C.Table.Kind == KindLift)
                AssignLiftModule(cfg, ref.Value);
            else
                cfg.AssignOutputSet(t.Slot, ref.Value, C.Table);
            break;
        case FieldAddress::Input:
            if (same)
                SetInputNc(cfg, t.Slot, ref.Marked);
            else
                cfg.AssignInput(t.Slot, ref.Value, ref.Marked, C.Table);
            break;
        default:
            if (!same)
                cfg.AssignReader(t.Slot, ref.Value, C.Table);
            break;
        }
    }

    void SetDoorRef(const Target& t, bool same, const WantedRef& ref)
    {
        switch (t.Row->Address) {
        case FieldAddress::Output:
            if (same)
                SetDoorOutputNc(C.Doors, t.Door, t.Slot, ref.Marked);
            else
                AssignDoorOutputRow(C.Doors, t.Door, t.Slot, ref.Value, ref.Marked);
            break;
        case FieldAddress::Input:
            if (same)
                SetDoorInputNc(C.Doors, t.Door, t.Slot, ref.Marked);
            else
                AssignDoorInput(C.Doors, t.Door, t.Slot, ref.Value, ref.Marked);
            break;
        default:
            if (!same)
                AssignDoorReader(C.Doors, t.Door, t.Slot, ref.Value);
            // The exit bit of an emptied reader stays as the disabled box shows it.
            if (ref.Value != NoRef)
                SetReaderExit(C.Doors, t.Door, t.Slot, ref.Marked);
            break;
        }
    }

    // A time as its field shows it, "2,5 s", or as typed into it, "2,5".
    std::optional<std::string> TimeText(std::string_view text) const
    {
        if (text.ends_with("s"))
            text.remove_suffix(1);
        while (text.ends_with(" "))
            text.remove_suffix(1);
        if (text.empty() || !TypedTimeAllowed(text) || text.front() == ',' || text.front() == '.' ||
            ScanInt(text).value_or(0) > MaxWholeSeconds)
            return std::nullopt;
        return std::string(text);
    }

    void SetText(const Target& t, const WantedField& w, const std::string& path)
    {
        const std::string& text = w.Text;
        const auto refuse = [&](const std::string& why) { Problem(w.ValueAt, path, why); };
        const auto digits = [&](std::string_view what) {
            if (IsNone(text) || !TypedDigitsAllowed(text, {}, MaxTypedDigits)) {
                refuse(std::string(what) + " is 0 to 9999, digits only, not \"" + text + "\"");
                return false;
            }
            return true;
        };
        const auto time = [&]() {
            const auto typed = TimeText(text);
            if (!typed)
                refuse("a time is 0 to 63,5 s in half seconds (\"2,5 s\"), not \"" + text + "\"");
            return typed;
        };
        const auto yesNo = [&]() -> std::optional<bool> {
            if (text == words::Yes || text == words::No)
                return text == words::Yes;
            refuse("this box is \"tak\" or \"nie\", not \"" + text + "\"");
            return std::nullopt;
        };
        const auto set = [&](const FieldInput& value) { t.Row->Set(C, t.Door, t.Slot, value); };
        switch (t.Row->Value) {
        case FieldValue::Digits:
            if (digits(t.Row->Called))
                set({text});
            break;
        case FieldValue::LockerNumber:
            if (IsNone(text))
                set({""});
            else if (digits(t.Row->Called))
                set({text});
            break;
        case FieldValue::Airlock: {
            const std::vector<std::string> items = AirlockItems(C.Table);
            const int index = IsNone(text) ? 0 : TypedAirlockIndex(text, items);
            if (index < 0)
                refuse(items.size() > 1 ? "no airlock \"" + text + "\"; the airlocks are " +
                                              Listed({items.begin() + 1, items.end()}) + " or -----"
                                        : "no airlock \"" + text + "\": " + Wanted.Name +
                                              " has too few doors for an airlock");
            else
                set({{}, index});
            break;
        }
        case FieldValue::DoorType: {
            const int index = IndexOf(DoorTypeNames, text);
            if (index < 0)
                refuse("no door type \"" + text + "\"; the types are " +
                       Listed({DoorTypeNames.begin(), DoorTypeNames.end()}));
            else
                set({{}, index});
            break;
        }
        case FieldValue::Time:
            if (const auto typed = time())
                set({*typed});
            break;
        case FieldValue::YesNo:
            if (const auto on = yesNo())
                set({{}, 0, *on});
            break;
        case FieldValue::RoomName: {
            const std::string name = IsNone(text) ? std::string() : text;
            const size_t characters = std::count_if(name.begin(), name.end(), [](char ch) {
                return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
            });
            if (!HoldsCp1250(name))
                refuse("the controller keeps the room name in Windows-1250, which lacks a character of \"" +
                       name + "\"");
            else if (characters > static_cast<size_t>(RoomNameMax))
                refuse("the room name holds at most " + std::to_string(RoomNameMax) + " characters, not " +
                       std::to_string(characters));
            else
                set({name});
            break;
        }
        case FieldValue::Reference:
            break;
        }
    }

    // A stated reference, with all the file's edits made: the selector of its
    // slot must offer a resource the file moved there, and the slot must hold
    // what the file says, mark included (a moved bolt releases the door-open
    // sensor; doors sharing an output share its NC mark).
    void CheckRef(size_t index, const Target& t, const WantedField& w, const WantedRef& ref)
    {
        const std::string path = PathText(w.Section, w.Group, w.Label);
        const ResRef now = SlotOf(C, t);
        const ResRef held = SlotOf(Held, t);
        // What the controller held already and the sheet as read would not
        // offer either ("? (Rd1)", a double use from elsewhere) is no edit of the file's.
        if (now != NoRef && !OfferedWithout(C, t, now) &&
            !(held != NoRef && SameResource(held, now) && !OfferedWithout(Held, t, now))) {
            Problem(w.ValueAt, path, NotOffered(t, now));
            return;
        }
        const bool sameSlot =
            ref.Value == NoRef ? now == NoRef : now != NoRef && SameResource(now, ref.Value);
        const bool markHeld =
            t.OnDoor() && t.Row->Address == FieldAddress::Reader
                ? ref.Value == NoRef || ReaderExit(C.Doors.Doors[t.Door], t.Slot) == ref.Marked
                : t.Row->Mark.empty() || ref.Value == NoRef || ((now & RefNc) != 0) == ref.Marked;
        if (sameSlot && markHeld)
            return;
        std::string why;
        if (t.OnDoor() && t.Is(FieldAddress::Input, InOpenSensor))
            why = ": the door-open sensor is an input of the bolt's device, and moving the bolt releases it";
        else if (C.Table.Kind == KindLift && t.Is(FieldAddress::Input, LiftFloorInput))
            why = ": the floor-selection input is an input of the module's device, and moving the module "
                  "releases it";
        else if (t.OnDoor() && (t.Is(FieldAddress::Output, OutAlarm) || t.Is(FieldAddress::Output, OutCctv)))
            why = ": doors sharing an output share its NC mark, and the file states it otherwise for another "
                  "door";
        const std::string holds = FieldText(SheetFields(C, OwnId)[index]);
        Problem(w.ValueAt, path, "the sheet would hold " + holds + ", not " + w.Text + why);
    }

    // Whether the slot's selector offers r, built by the sheet from c with that slot empty.
    static bool OfferedWithout(const Controller& c, const Target& t, ResRef r)
    {
        Controller without;
        CopyController(c, without);
        SlotOf(without, t) = NoRef;
        Remark(without);
        return Offers(SelectorOf(without, t), r);
    }

    std::string NotOffered(const Target& t, ResRef r)
    {
        const int kind = ResourceKind(t);
        const std::string item = ItemText(C.Table, kind, r);
        const std::vector<std::string> users = UsersOf(C, kind, r, &SlotOf(C, t));
        if (!users.empty())
            return item + " is used by " + Listed(users) +
                   "; the selector offers only what no other slot uses";
        if (t.OnDoor() && t.Is(FieldAddress::Input, InOpenSensor))
            return item + " is not offered: the door-open sensor is an input of the bolt's device";
        if (C.Table.Kind == KindLift && t.Is(FieldAddress::Input, LiftFloorInput))
            return item + " is not offered: the floor-selection input is an input of the module's device";
        return item + " is not offered by the selector";
    }

    // Compares the fields before and after by what they hold, not by the
    // lockers' derived mark.
    static std::string HeldKey(const SheetField& f)
    {
        std::string key = f.Key;
        if (f.Mark == "!" && key.ends_with("|!"))
            key.resize(key.size() - 1);
        return key;
    }

    void Changes()
    {
        const std::vector<SheetField> after = SheetFields(C, OwnId);
        for (size_t i = 0; i < after.size() && i < Before.size(); ++i) {
            if (HeldKey(Before[i]) != HeldKey(after[i]))
                Result.Changes.push_back({after[i].Section, after[i].Group, after[i].Label,
                                          FieldText(Before[i]), FieldText(after[i])});
        }
    }

    const WantedController& Wanted;
    Controller& C;
    const uint32_t OwnId;
    const std::vector<SheetField> Before;
    Controller Held;  // as read, before the file's edits
    std::set<std::string> ReportedSections;
    std::set<std::string> ReportedGroups;
    ControllerPlan Result;
};

}  // namespace

std::string ChangeText(std::string_view controller, const FieldChange& change)
{
    return std::string(controller) + ": " + PathText(change.Section, change.Group, change.Label) + ": " +
           change.From + " -> " + change.To;
}

ControllerPlan PlanController(const WantedController& wanted, Controller& c, uint32_t ownId)
{
    return Planner(wanted, c, ownId).Plan();
}

int32_t KindOfSection(std::string_view section)
{
    if (section == words::Doors || section.starts_with(std::string(words::Door) + " "))
        return KindDoors;
    if (section == words::Lift)
        return KindLift;
    if (section == words::Lockers)
        return KindLockers;
    return 0;
}

std::string KindOfController(int32_t kind)
{
    switch (kind) {
    case KindDoors:
        return "a door controller";
    case KindLift:
        return "a lift controller";
    case KindLockers:
        return "a lockers controller";
    default:
        return "a controller of kind " + std::to_string(kind);
    }
}

}  // namespace quor::site
