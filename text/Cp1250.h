#pragma once
// Text that leaves the program (report files, the lockers room name) is 8-bit
// Windows-1250, and so is the text of the help documents; the program's own
// text is UTF-8. Both directions go by one table of the code page.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/Utf8.h"

namespace quor {

// The character of a Windows-1250 byte; Replacement for the five bytes the
// code page leaves undefined.
char32_t FromCp1250(uint8_t byte);
// Windows-1250 bytes as UTF-8, an undefined byte as U+FFFD.
std::string Cp1250ToUtf8(std::string_view cp1250);

// Converts UTF-8 text to Windows-1250. A character that Windows-1250 lacks
// becomes one '?'; so does every byte that is not part of well-formed UTF-8.
std::string ToCp1250(std::string_view utf8);
// Whether ToCp1250 keeps every character of well-formed UTF-8 text, none
// dropped or replaced: what an edit field whose text is stored in
// Windows-1250 may take.
bool HoldsCp1250(std::string_view utf8);

}  // namespace quor
