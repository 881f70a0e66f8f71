#pragma once
// Text from a file or a device, made safe to print on a terminal or in a
// log: a control character there could move the cursor or recolour what
// follows, and hide what a reviewer reads.

#include <string>
#include <string_view>

namespace quor {

// A control character: C0, DEL or C1.
bool IsControl(char32_t c);

// The text with every control character (C0, DEL, C1) and every byte that
// is no UTF-8 written as "\xHH"; a backslash stays as it is.
std::string Printable(std::string_view utf8);

// JSON text with DEL and the C1 controls, which JSON leaves as they are,
// written as the escapes "\u007F" to "\u009F"; they stand only inside strings.
std::string JsonPrintable(std::string_view json);

}  // namespace quor
