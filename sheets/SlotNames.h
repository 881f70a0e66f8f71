#pragma once
// Where the slots and fields of a configuration block sit on the sheets, in
// the sheets' words: the sheet or door ("Przejście 2"), the group box
// ("Wejścia") and the label without its colon. Slots that no control shows
// are named by their kind and number from 1 ("Wejście 6").

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Cfgset.h"

namespace quor {

struct SlotName {
    std::string Section;
    std::string Group;  // empty for a field outside any group box
    std::string Label;
    bool Shown = true;  // a control of the sheet shows the slot
};

// "Przejścia" (the common block), "Przejście N", "Winda" or "Szafki".
std::string SectionOf(BlockId block);

SlotName NameOf(BlockId block, SlotGroup group, int slot);

// "Przejście 1 / Wyjścia / Rygiel".
std::string PathText(std::string_view section, std::string_view group, std::string_view label);

}  // namespace quor
