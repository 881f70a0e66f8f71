#pragma once
// Planning one controller of a site file: the wanted fields set on the
// configuration as read, by the rules of the sheet's own controls.

#include <cstdint>
#include <string>
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
    std::vector<FieldChange> Changes;   // in the sheet's order
    std::vector<SiteProblem> Problems;  // nothing may be written while there is one
};

// Sets every wanted field on c (its table and configuration as read from the
// controller whose identity is ownId), all of them together, then checks the
// result as the window's selectors would. c then holds what a write sends;
// its table is not changed.
ControllerPlan PlanController(const WantedController& wanted, Controller& c, uint32_t ownId);

}  // namespace quor::site
