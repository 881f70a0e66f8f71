#pragma once
// Text that leaves the program (report files, the lockers room name) is
// 8-bit Windows-1250; the program's own text is UTF-8.

#include <string>
#include <string_view>

namespace quor {

// Converts UTF-8 text to Windows-1250. A character that Windows-1250 lacks
// becomes one '?'; so does every byte that is not part of well-formed UTF-8.
// Throws std::runtime_error when the system offers no such conversion.
std::string ToCp1250(std::string_view utf8);
// Whether ToCp1250 keeps every character of well-formed UTF-8 text: what an
// edit field whose text is stored in Windows-1250 may take. Throws
// std::runtime_error when the system offers no such conversion.
bool HoldsCp1250(std::string_view utf8);

}  // namespace quor
