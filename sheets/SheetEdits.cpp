// Edits the sheets make to a record outside the assign operations.
#include "sheets/SheetEdits.h"

#include "sheets/HalfSeconds.h"
#include "sheets/Selectors.h"

namespace quor {

void SetInputNc(CfgBlock& block, int slot, bool nc)
{
    if (slot < 0 || slot >= block.InputCount) {
        return;
    }
    block.Inputs[slot] = WithNc(block.Inputs[slot], nc);
}

void SetPulseTime(CfgBlock& block, std::string_view text)
{
    block.Params[ParPulseTime] = ParseHalfSeconds(text);
}

}  // namespace quor
