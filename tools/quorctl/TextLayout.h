#pragma once
// Lines of labelled values for the terminal, in UTF-8.

#include <string>
#include <string_view>

namespace quor::tools {

// Characters of UTF-8 text (every byte that does not continue a sequence starts one).
size_t Utf8Length(std::string_view text);
// The first characters of UTF-8 text.
std::string ClipUtf8(std::string_view text, size_t characters);
// The text with blanks before it, to width characters.
std::string PadLeft(std::string_view text, size_t width);
// The text with blanks after it, to width characters.
std::string PadRight(std::string_view text, size_t width);

// One line: the label right-aligned to width, a blank, the value, a line end.
std::string Field(std::string_view label, std::string_view value, size_t width);

}  // namespace quor::tools
