// What the lift sheet shows, and the move of its output module.
#include "sheets/LiftSheet.h"

#include "sheets/HalfSeconds.h"

namespace quor {

std::optional<LiftSheetView> ViewLiftSheet(const OutSetCfg& cfg, const BusDevTable& table)
{
    if (table.DoorCount == 0) {
        return std::nullopt;
    }
    LiftSheetView view;
    RefList free;

    const auto modules = std::span<const ResRef>(free).first(table.FreeRefs(ResOutputSet, free));
    view.Module = FillModuleSelector(table, cfg.OutputSets[LiftModuleSlot], modules);

    // The floor-selection input sits on the module's device.
    const ResRef module = cfg.OutputSets[LiftModuleSlot];
    const auto floors = std::span<const ResRef>(free).first(table.FreeInputsOf(module, free));
    view.Floor.Selector = FillResourceSelector(table, PrefixInput, cfg.Inputs[LiftFloorInput], floors);
    view.Floor.Check = ShowInputNc(cfg.Inputs[LiftFloorInput]);

    const auto inputs = std::span<const ResRef>(free).first(table.FreeRefs(ResInput, free));
    view.Tamper.Selector = FillResourceSelector(table, PrefixInput, cfg.Inputs[LiftTamperInput], inputs);
    view.Tamper.Check = ShowInputNc(cfg.Inputs[LiftTamperInput]);

    const auto readers = std::span<const ResRef>(free).first(table.FreeRefs(ResReader, free));
    for (size_t slot = 0; slot < view.Readers.size(); ++slot) {
        view.Readers[slot] = FillResourceSelector(table, PrefixReader, cfg.Readers[slot], readers);
    }
    view.PulseText = HalfSecondsText(cfg.Params[ParPulseTime]);
    return view;
}

void AssignLiftModule(OutSetCfg& cfg, BusDevTable& table, ResRef value)
{
    const ResRef old = cfg.OutputSets[LiftModuleSlot];
    cfg.AssignOutputSet(LiftModuleSlot, value, table);
    if (value == NoRef || (value >> 8) != (old >> 8)) {
        cfg.AssignInput(LiftFloorInput, NoRef, false, table);
    }
}

}  // namespace quor
