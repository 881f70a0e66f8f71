#include "sheets/FieldRows.h"

#include "sheets/SheetEdits.h"

namespace quor::rows {

RefShown Row(const SelectorRowView& row)
{
    return {&row.Selector, row.Check.Checked};
}

RefShown Alone(const SelectorView& selector)
{
    return {&selector, false};
}

ValueShown Showing(std::string value, std::string_view flag)
{
    ValueShown shown;
    shown.Value = std::move(value);
    shown.Flag = flag;
    return shown;
}

ValueShown Seconds(const std::string& text)
{
    return Showing(text + " s");
}

// A door's controls, on its tab.
OutSetCfg& OutSetOf(Controller& c)
{
    return c.Table.Kind == KindLift ? c.Lift : c.Lockers;
}

void AssignSheetInput(Controller& c, int, int slot, const RefInput& r)
{
    OutSetCfg& cfg = OutSetOf(c);
    if (r.Same)
        SetInputNc(cfg, slot, r.Marked);
    else
        cfg.AssignInput(slot, r.Value, r.Marked, c.Table);
}

void AssignSheetReader(Controller& c, int, int slot, const RefInput& r)
{
    if (!r.Same)
        OutSetOf(c).AssignReader(slot, r.Value, c.Table);
}

}  // namespace quor::rows
