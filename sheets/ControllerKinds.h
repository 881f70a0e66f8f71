#pragma once
// The kinds of controller that have a sheet, and each kind's names: its
// sheet's section, its word in files, and how a message calls it.

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// "Przejścia" for doors, "Winda" for the lift, "Szafki" for the lockers; "? (N)" for another kind.
std::string SheetOf(int32_t kind);
// The kind's word in the backup and the machine-readable output: "doors", "lift", "lockers", or its number.
std::string KindKey(int32_t kind);
// The kind of a KindKey word; 0 for none.
int32_t KindOfKey(std::string_view key);
// "a door controller", "a lift controller", "a lockers controller".
std::string KindOfController(int32_t kind);
// The kind whose sheet has this section ("Przejścia", "Przejście N", "Winda",
// "Szafki"); 0 for a section of no sheet.
int32_t KindOfSection(std::string_view section);

}  // namespace quor
