#pragma once
// Whole numbers typed into the sheets' edit fields, read the way the
// controller's installers have always seen them read: leading blanks skipped,
// an optional sign, decimal digits, anything after them ignored.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

// The number at the start of the text ("%d"); nullopt when there is none.
// Values beyond the range of int are held at its limits. end, when given,
// receives the position after the last digit read.
std::optional<int> ScanInt(std::string_view text, size_t* end = nullptr);

// Train number ("%d", 0 when there is none): its low 16 bits.
uint16_t ParseTrainNumber(std::string_view text);
std::string TrainNumberText(uint16_t number);

// Locker number ("%u"): none (0xFFFF) without a number, for a negative one and
// for 10000 or more; locker numbers run from 0 to 9999.
inline constexpr int LockerNumberLimit = 10000;
uint16_t ParseLockerNumber(std::string_view text);
// Empty for none, else decimal.
std::string LockerNumberText(uint16_t number);

// First locker of the test run ("%d", 0 when there is none, negative -> 0): its low 16 bits.
uint16_t ParseTestStart(std::string_view text);

// Whether a digits-only field of at most maxTyped characters may hold text:
// digits only, no more than maxTyped of them, unless the text is the whole
// value the program showed there. A stored value may be longer than anything
// the installer can type, and showing it must not cut it.
bool TypedDigitsAllowed(std::string_view text, std::string_view shown, size_t maxTyped);

}  // namespace quor
