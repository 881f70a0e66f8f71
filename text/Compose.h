#pragma once
// Letters written decomposed, a base letter and a combining mark (as some
// editors save "ż": z and U+0307), composed where Windows-1250 holds the
// composed letter, so that they are stored as the letter.

#include <string>
#include <string_view>

namespace quor {

// The text with every base letter and combining mark that Windows-1250
// holds composed replaced by that letter; everything else as it stands.
std::string ComposeCp1250Letters(std::string_view utf8);

// Whether c is a combining diacritical mark (U+0300 to U+036F).
bool IsCombiningMark(char32_t c);

}  // namespace quor
