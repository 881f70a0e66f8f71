#pragma once
// Planning one controller of a site file: the wanted fields set on the
// configuration as read, by the rules of the sheet's own controls.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Controller.h"
#include "site/SiteFile.h"

namespace quor::site {

struct FieldChange {
    std::string Section;
    std::string Group;
    std::string Label;
    std::string From;  // as the site file spells it: value and mark, "-----" for none
    std::string To;
};

struct ControllerPlan {
    std::vector<FieldChange> Changes;  // in the sheet's order
    // Nothing may be written while there is one. In the file's order, each
    // with the place of what it is about (the value, or the section, group
    // or label the sheet lacks); its text names the controller and the field:
    // "K01_01101: Przejście 2 / Wyjścia / Rygiel: K01_01101:Out1 is used by ...".
    std::vector<SiteProblem> Problems;
};

// "K01_01101: Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> -----".
std::string ChangeText(std::string_view controller, const FieldChange& change);

// Sets every wanted field on c (its table and configuration as read from the
// controller whose identity is ownId), all of them together, then checks the
// result as the window's selectors would. c then holds what a write sends;
// its table is not changed (its taken masks are marked again from the
// result). A stated value equal to what c holds is no change, also one the
// sheet could not offer again. Fields are set through the sheets' edits, so
// what they do beside the field is part of the plan: a bolt or lift module
// moved to another device releases the door-open sensor or floor-selection
// input, and doors sharing an alarm or CCTV output share its NC mark.
ControllerPlan PlanController(const WantedController& wanted, Controller& c, uint32_t ownId);

}  // namespace quor::site
