#pragma once
// Edits that the lift and lockers sheets (and the door sheet's inputs) make
// to a record without reloading the sheet, or with a reload to show the
// canonical text.

#include <string_view>

#include "model/Cfgset.h"

namespace quor {

// The NC box of an input row: sets or clears bit 7 of the slot's value; an
// empty slot stays empty. Slots outside the record are ignored.
void SetInputNc(CfgBlock& block, int slot, bool nc);

// The lift's button release time or the lockers' opening pulse (Params byte 4)
// from the text of its edit field.
void SetPulseTime(CfgBlock& block, std::string_view text);

}  // namespace quor
