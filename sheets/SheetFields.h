#pragma once
// A controller's configuration as the fields its sheet shows, one record a
// field, for the machine-readable output, the backup's readable part and the
// comparison of two configurations.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Controller.h"
#include "model/Hardres.h"

namespace quor {

struct SheetField {
    std::string Section;  // "Przejścia", "Przejście 1", "Winda", "Szafki"
    std::string Group;    // "Wyjścia", "Czytniki", "Moduł 3"; empty outside any group box
    std::string Label;    // the sheet's label without its colon
    std::string Value;    // what the control shows; empty for none
    std::string Mark;     // "NC", "Wyjście" (a ticked box), "!" (a locker number in yellow), or empty
    // What a comparison looks at: a reference by the device it names, never by
    // its entry; a value together with the bits or bytes its text leaves out.
    std::string Key;
    // The control's text as the window shows it, its none item ("  -----")
    // included, for the text of the sheet.
    std::string Shown;
};

// The fields of the sheet of the table's kind, in the order the sheet shows
// them. ownId is the controller's identity: its own entry compares as itself.
std::vector<SheetField> SheetFields(const Controller& c, uint32_t ownId);

// The comparison key of a reference: the device it names (the controller's
// own entry as "self", an entry that holds no device by its number) with the
// resource number and the flag bits.
std::string RefKey(const BusDevTable& table, uint32_t ownId, ResRef r);

}  // namespace quor
