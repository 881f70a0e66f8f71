#pragma once
// The check of a planned controller as the window's selectors would make
// it: each stated reference must be one its selector offers, built by the
// sheet from the configuration with that one slot empty, and its slot must
// hold what the file says once all the file's edits are made.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheets/SheetFieldTable.h"
#include "site/PlanRefs.h"

namespace quor::site {

// Why field f (field index of the sheet of c, whose identity is ownId),
// stated as text and wanted as ref, does not hold what the file says after
// the file's edits; none when it does. held is c as read.
std::optional<std::string> RefRefusal(Controller& c, const Controller& held, uint32_t ownId, size_t index,
                                      const PlacedField& f, const WantedRef& ref, std::string_view text);

}  // namespace quor::site
