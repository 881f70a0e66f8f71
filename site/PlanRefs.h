#pragma once
// A site file's reference, read as the sheet's selectors name resources
// ("P01_40101:Out5 NC"), and the slots that use a resource.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sheets/SheetFieldTable.h"

namespace quor::site {

// A stated reference field, as the file wants it.
struct WantedRef {
    ResRef Value = NoRef;
    bool Marked = false;
};

// The resource kind (ResOutput...) of a reference field.
int ResourceKind(const SheetFieldRow& row);

// A resource as its selector's item names it: "K01_01101:Out1", a module by its device.
std::string ItemText(const BusDevTable& table, int resourceKind, ResRef r);

// Every slot of c's configuration, shown or not, that holds resource r of its
// kind, but skip; as "Przejście 2 / Wyjścia / Rygiel".
std::vector<std::string> UsersOf(Controller& c, int resourceKind, ResRef r, const ResRef* skip);

// The reference text states for field f of c (the controller named
// controller), or why the field refuses it.
std::variant<WantedRef, std::string> ReadRef(const PlacedField& f, std::string_view text, Controller& c,
                                             std::string_view controller);

}  // namespace quor::site
