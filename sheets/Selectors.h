#pragma once
// What the resource selectors of the three sheets offer, and the check boxes
// beside them. A selector offers only what may be chosen: the current value,
// the none item and the resources no other slot uses.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Hardres.h"

namespace quor {

// The item a selector shows for "nothing assigned".
inline constexpr std::string_view NoneItemText = "  -----";

// Kind prefixes of resource item texts.
inline constexpr std::string_view PrefixOutput = "Out";
inline constexpr std::string_view PrefixInput = "In";
inline constexpr std::string_view PrefixReader = "Rd";

struct SelectorItem {
    std::string Text;
    uint16_t Value = NoRef;  // the ResRef the item stands for

    bool operator==(const SelectorItem&) const = default;
};

// The items of one drop-down list and the item to select (-1: none selected).
// Items are a std::vector: a list holds at most a few items plus one free list
// (bounded by MaxListLen), and is rebuilt on every sheet refresh.
struct SelectorView {
    std::vector<SelectorItem> Items;
    int Current = -1;
};

struct CheckState {
    bool Enabled = false;
    bool Checked = false;

    bool operator==(const CheckState&) const = default;
};

// A selector with the check box beside it (NC or exit; unused where a row has none).
struct SelectorRowView {
    SelectorView Selector;
    CheckState Check;
};

// The current value first when something is assigned, then the none item,
// then the free resources; item 0 selected.
SelectorView FillResourceSelector(const BusDevTable& table, std::string_view prefix, ResRef current,
                                  std::span<const ResRef> free);
// The same with output-set item texts (the device name alone).
SelectorView FillModuleSelector(const BusDevTable& table, ResRef current, std::span<const ResRef> free);
// A door's alarm or CCTV selector: the current value (or none), the outputs
// other doors use in the same slot, a separating none item, the free outputs.
// shared is DoorCfgSet::SharedValues of that slot.
SelectorView FillSharedOutputSelector(const BusDevTable& table, ResRef current,
                                      std::span<const ResRef> shared, std::span<const ResRef> free);

// An output's NC box: usable only for an OC output (number at or above the
// device's FixedOutputs); a relay output switches by its NC or NO contact.
CheckState ShowOutputNc(const BusDevTable& table, ResRef value);
// An input's NC box: usable while an input is assigned; ticked by bit 7,
// which none has set too.
CheckState ShowInputNc(ResRef value);
CheckState ShowReaderExit(ResRef value, bool exit);

// The text of the item a selector shows; empty when none is selected.
std::string ShownItem(const SelectorView& selector);

// Whether the selector shows a resource, not the none item.
bool ShowsResource(const SelectorView& selector);

// A check box caption as the value of a field.
std::string_view YesNo(bool ticked);

}  // namespace quor
