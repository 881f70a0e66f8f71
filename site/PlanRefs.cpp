#include "site/PlanRefs.h"

#include <algorithm>

#include "link/DevId.h"
#include "model/KindConfig.h"
#include "sheets/Selectors.h"
#include "sheets/SheetWords.h"
#include "sheets/SlotNames.h"
#include "site/PlanValues.h"

namespace quor::site {

namespace {

std::string_view KindWord(int resourceKind)
{
    static constexpr std::array<std::string_view, ResKinds> Words = {"an output", "an input", "a reader",
                                                                     "an output module"};
    return Words[resourceKind];
}

std::string UnknownResource(const BusDevTable& table, std::string_view text, int kind, int otherKind,
                            std::string_view controller)
{
    if (otherKind >= 0)
        return std::string(text) + " is " + std::string(KindWord(otherKind)) + "; this field takes " +
               std::string(KindWord(kind));
    const size_t colon = text.find(':');
    const std::string device(text.substr(0, colon));
    const std::string kindWord(KindWord(kind));
    for (int e = 0; e < table.DevCount; ++e) {
        if (!table.Dev[e].Present() || DevName(table.Dev[e].Id) != device)
            continue;
        // A module is named by its device alone.
        if (colon == text.npos)
            return device + " has no " + kindWord.substr(kindWord.find(' ') + 1);
        return device + " has no " + std::string(text.substr(colon + 1)) + "; this field takes " + kindWord;
    }
    return "no device " + device + " in the bus-device table of " + std::string(controller);
}

// A device with several output sets shows each by its name alone: the set
// the slot holds already, else the first no other slot holds.
ResRef ChooseAmong(const PlacedField& f, const std::vector<ResRef>& candidates, Controller& c)
{
    ResRef& slot = SlotOf(c, f);
    for (ResRef r : candidates) {
        if (SameResource(r, slot))
            return slot;
    }
    for (ResRef r : candidates) {
        if (UsersOf(c, ResourceKind(*f.Row), r, &slot).empty())
            return r;
    }
    return candidates.front();
}

// The resources of the table whose item reads text: those of kind, and
// whether one of another kind does.
std::vector<ResRef> Named(const BusDevTable& table, std::string_view text, int kind, int& otherKind)
{
    std::vector<ResRef> found;
    for (int e = 0; e < table.DevCount; ++e) {
        if (!table.Dev[e].Present())
            continue;
        for (int k = 0; k < ResKinds; ++k) {
            for (int n = 0; n < table.Dev[e].ResCount[k] && n < 32; ++n) {
                const ResRef r = MakeRef(e, n);
                if (ItemText(table, k, r) != text)
                    continue;
                if (k == kind)
                    found.push_back(r);
                else
                    otherKind = k;
            }
        }
    }
    return found;
}

}  // namespace

int ResourceKind(const SheetFieldRow& row)
{
    switch (row.Address) {
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

std::string ItemText(const BusDevTable& table, int resourceKind, ResRef r)
{
    static constexpr std::array<std::string_view, ResKinds> Prefixes = {
        PrefixOutput, PrefixInput, PrefixReader, {}};
    return resourceKind == ResOutputSet ? table.OutSetItemText(r)
                                        : table.ResItemText(r, Prefixes[resourceKind]);
}

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

std::variant<WantedRef, std::string> ReadRef(const PlacedField& f, std::string_view text, Controller& c,
                                             std::string_view controller)
{
    WantedRef ref;
    const std::string_view mark = f.Row->Mark;
    const size_t blank = text.rfind(' ');
    if (blank != text.npos) {
        const std::string_view last = text.substr(blank + 1);
        if (!mark.empty() && last == mark) {
            ref.Marked = true;
            text = text.substr(0, blank);
        } else if (last == words::Nc || last == words::ExitReader) {
            return mark.empty() ? "this field takes no mark"
                                : "\"" + std::string(last) + "\" is no mark of this field; it takes " +
                                      std::string(mark);
        }
    }
    if (IsNone(text)) {
        if (ref.Marked)
            return std::string(mark) + " without a value";
        return ref;
    }
    const int kind = ResourceKind(*f.Row);
    int otherKind = -1;
    const std::vector<ResRef> candidates = Named(c.Table, text, kind, otherKind);
    if (candidates.empty())
        return UnknownResource(c.Table, text, kind, otherKind, controller);
    ref.Value = ChooseAmong(f, candidates, c);
    if (ref.Marked && f.Row->Section == FieldSection::Door && f.Row->Address == FieldAddress::Output &&
        !ShowOutputNc(c.Table, ref.Value).Enabled)
        return std::string(text) + " is a relay output: it has no NC mark";
    return ref;
}

}  // namespace quor::site
