#pragma once
// The captions the window gives the fields of the sheets, made from the
// fields' rows, so that the window says each field's words as every other
// user of the table does.

#include <string>
#include <string_view>

#include "sheets/SheetFieldTable.h"

namespace quor {

// A group box's title: " Wejścia ".
std::string FramedCaption(std::string_view title);

// The caption of the field's control: the label beside it ("Rygiel:", "1:"),
// a check box's own text ("Otwieranie klamką"), the title of the group box
// the airlock selector fills (" Śluzy "), or the head of the lockers' column
// of module selectors ("Moduł").
std::string FieldCaption(const SheetFieldRow& row);
// The title of the group box the field's row stands in (" Czytniki "); empty outside one.
std::string GroupCaption(const SheetFieldRow& row);
// The box beside the field's selector: "NC", "Wyjście"; empty for none.
std::string MarkCaption(const SheetFieldRow& row);

}  // namespace quor
