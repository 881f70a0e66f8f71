// Time texts in half seconds.
#include "sheets/HalfSeconds.h"

#include <algorithm>

#include "sheets/NumberText.h"

namespace quor {

std::string HalfSecondsText(uint8_t v)
{
    std::string text = std::to_string(v / 2);
    if (v % 2 != 0) {
        text += ",5";
    }
    return text;
}

uint8_t ParseHalfSeconds(std::string_view text)
{
    // "%d,%1d" (a point counting as the comma): the comma must follow the whole number at once; the one digit
    // after it may have blanks before it, and a sign there is no digit.
    int whole = 0;
    int tenth = 0;
    size_t comma = text.npos;
    if (const auto scanned = ScanInt(text, &comma)) {
        whole = *scanned;
    } else {
        // No whole seconds typed: ",5" is half a second, as the installer means it.
        comma = text.find_first_not_of(" \t\n\v\f\r");
    }
    if (comma < text.size() && (text[comma] == ',' || text[comma] == '.')) {
        const size_t digit = text.find_first_not_of(" \t\n\v\f\r", comma + 1);
        if (digit < text.size() && text[digit] >= '0' && text[digit] <= '9') {
            tenth = text[digit] - '0';
        }
    }
    // Held well inside int before doubling, so that a long number cannot overflow.
    const long long v = 2LL * std::clamp(whole, -1000, 1000) + (tenth >= 5 ? 1 : 0);
    return static_cast<uint8_t>(std::clamp<long long>(v, 0, MaxHalfSeconds));
}

bool TypedTimeAllowed(std::string_view text)
{
    int separators = 0;
    for (char c : text) {
        if (c == ',' || c == '.') {
            ++separators;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return separators <= 1;
}

}  // namespace quor
