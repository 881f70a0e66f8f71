#pragma once
// A site file's value for a field that is not a reference, read by the rules
// the field's control applies to what is typed into it.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"

namespace quor::site {

// How a site file spells none.
inline constexpr std::string_view NoneText = words::NoneValue;

// No text, or "-----".
bool IsNone(std::string_view text);

// "a, b, c".
std::string Listed(const std::vector<std::string>& items);

// The value the row's edit takes for text, or why the field refuses it. The
// input's text points into text. controller names the controller in a refusal.
std::variant<FieldInput, std::string> ReadValue(const SheetFieldRow& row, std::string_view text,
                                                const BusDevTable& table, std::string_view controller);

}  // namespace quor::site
