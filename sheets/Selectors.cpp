// The items of the resource selectors and the states of the check boxes beside them.
#include "sheets/Selectors.h"

#include "sheets/SheetWords.h"

namespace quor {

namespace {

SelectorItem NoneItem()
{
    return {std::string(NoneItemText), NoRef};
}

template <typename TextOf> SelectorView Fill(ResRef current, std::span<const ResRef> free, TextOf textOf)
{
    SelectorView view;
    view.Items.reserve(free.size() + 2);
    if (current != NoRef) {
        view.Items.push_back({textOf(current), current});
    }
    view.Items.push_back(NoneItem());
    for (ResRef r : free) {
        view.Items.push_back({textOf(r), r});
    }
    view.Current = 0;
    return view;
}

}  // namespace

SelectorView FillResourceSelector(const BusDevTable& table, std::string_view prefix, ResRef current,
                                  std::span<const ResRef> free)
{
    return Fill(current, free, [&](ResRef r) { return table.ResItemText(r, prefix); });
}

SelectorView FillModuleSelector(const BusDevTable& table, ResRef current, std::span<const ResRef> free)
{
    return Fill(current, free, [&](ResRef r) { return table.OutSetItemText(r); });
}

SelectorView FillSharedOutputSelector(const BusDevTable& table, ResRef current,
                                      std::span<const ResRef> shared, std::span<const ResRef> free)
{
    const auto item = [&](ResRef r) { return SelectorItem{table.ResItemText(r, PrefixOutput), r}; };
    SelectorView view;
    view.Items.reserve(shared.size() + free.size() + 2);
    view.Items.push_back(current == NoRef ? NoneItem() : item(current));
    bool anyShared = false;
    for (ResRef r : shared) {
        // Another door's reference to an emptied entry is no output to choose.
        if (r != current && table.RefHasDevice(r)) {
            view.Items.push_back(item(r));
            anyShared = true;
        }
    }
    // The second none item parts the outputs other doors already use in this
    // slot from the free ones.
    if (current != NoRef || (anyShared && !free.empty())) {
        view.Items.push_back(NoneItem());
    }
    for (ResRef r : free) {
        view.Items.push_back(item(r));
    }
    view.Current = 0;
    return view;
}

CheckState ShowOutputNc(const BusDevTable& table, ResRef value)
{
    if (value == NoRef) {
        return {};
    }
    const bool oc = RefNamesEntry(value) && RefNumber(value) >= table.Dev[RefEntry(value)].FixedOutputs;
    return {oc, (value & RefNc) != 0};
}

CheckState ShowInputNc(ResRef value)
{
    // None has bit 7 set as well: an empty slot shows a ticked box, and the
    // input chosen into it takes that state, so a new input starts as NC.
    return {value != NoRef, (value & RefNc) != 0};
}

CheckState ShowReaderExit(ResRef value, bool exit)
{
    if (value == NoRef) {
        return {};
    }
    return {true, exit};
}

std::string ShownItem(const SelectorView& selector)
{
    if (selector.Current < 0 || selector.Current >= static_cast<int>(selector.Items.size()))
        return {};
    return selector.Items[selector.Current].Text;
}

bool ShowsResource(const SelectorView& selector)
{
    const int i = selector.Current;
    return i >= 0 && i < static_cast<int>(selector.Items.size()) && selector.Items[i].Value != NoRef;
}

std::string_view YesNo(bool ticked)
{
    return ticked ? words::Yes : words::No;
}

}  // namespace quor
