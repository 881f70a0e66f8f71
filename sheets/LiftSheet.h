#pragma once
// The lift sheet ("Winda"): what it shows, and the module move rule.

#include <array>
#include <optional>
#include <string>

#include "model/Cfgset.h"
#include "sheets/Selectors.h"

namespace quor {

inline constexpr int LiftModuleSlot = 0;  // output set 0; sets 1 to 3 have no editor
inline constexpr int LiftFloorInput = 1;  // must sit on the module's device
inline constexpr int LiftTamperInput = 3;
inline constexpr std::array<int, 2> LiftInputSlots = {LiftFloorInput, LiftTamperInput};

struct LiftSheetView {
    SelectorView Module;
    SelectorRowView Floor;   // Check: NC
    SelectorRowView Tamper;  // Check: NC
    std::array<SelectorView, 4> Readers;
    std::string PulseText;  // LTimEd
};

// nullopt when no controller is loaded (door count 0).
std::optional<LiftSheetView> ViewLiftSheet(const OutSetCfg& cfg, const BusDevTable& table);

// Another module on the same device keeps the floor-selection input; a module
// on another device, or none, releases it.
void AssignLiftModule(OutSetCfg& cfg, BusDevTable& table, ResRef value);

}  // namespace quor
