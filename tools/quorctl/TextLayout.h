#pragma once
// Lines of labelled values for the terminal, in UTF-8.

#include <string>
#include <string_view>

#include "text/Utf8.h"

namespace quor::tools {

// The text with blanks before it, to width characters.
std::string PadLeft(std::string_view text, size_t width);
// The text with blanks after it, to width characters.
std::string PadRight(std::string_view text, size_t width);

// One line: the label right-aligned to width, a blank, the value, a line end.
std::string Field(std::string_view label, std::string_view value, size_t width);

}  // namespace quor::tools
