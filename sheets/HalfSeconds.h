#pragma once
// Times of the configuration records: 0 to 127 half seconds, shown as whole
// seconds with ",5" for an odd value.

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

inline constexpr int MaxHalfSeconds = 127;

// 7 -> "3,5", 6 -> "3".
std::string HalfSecondsText(uint8_t v);
// Reads "%d,%1d": whole seconds, then one digit after a comma that adds a half
// when 5 or more; whatever is missing counts as 0 (",5" is 0,5 s); limited to
// 0 to 127. A point reads as the comma, as many keyboards type it: "4.5" is
// 4,5 s. "3,7" -> 7, "3.5" -> 7, "" -> 0, "70" -> 127.
uint8_t ParseHalfSeconds(std::string_view text);
// What a time field takes as typed: digits with at most one comma or point.
bool TypedTimeAllowed(std::string_view text);

}  // namespace quor
