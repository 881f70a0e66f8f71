// Whole numbers read from the sheets' edit fields.
#include "sheets/NumberText.h"

#include <algorithm>
#include <climits>

namespace quor {

namespace {

constexpr std::string_view Blanks = " \t\n\v\f\r";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The sign and the magnitude of the number at the start of the text; the
// magnitude is held just above INT_MAX so that it cannot overflow.
struct Scanned {
    bool Negative = false;
    long long Magnitude = 0;
    size_t End = 0;
};

std::optional<Scanned> Scan(std::string_view text)
{
    Scanned s;
    size_t i = std::min(text.find_first_not_of(Blanks), text.size());
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        s.Negative = text[i] == '-';
        ++i;
    }
    const size_t first = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        s.Magnitude = std::min(s.Magnitude * 10 + (text[i] - '0'), LLONG_MAX / 20);
    }
    if (i == first) {
        return std::nullopt;
    }
    s.End = i;
    return s;
}

}  // namespace

std::optional<int> ScanInt(std::string_view text, size_t* end)
{
    const auto s = Scan(text);
    if (!s) {
        return std::nullopt;
    }
    if (end) {
        *end = s->End;
    }
    const long long v = s->Negative ? -s->Magnitude : s->Magnitude;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

uint16_t ParseTrainNumber(std::string_view text)
{
    return static_cast<uint16_t>(ScanInt(text).value_or(0));
}

std::string TrainNumberText(uint16_t number)
{
    return std::to_string(number);
}

uint16_t ParseLockerNumber(std::string_view text)
{
    const auto s = Scan(text);
    // "%u" takes a sign as well; a negative number wraps far beyond 9999.
    if (!s || (s->Negative && s->Magnitude != 0) || s->Magnitude >= LockerNumberLimit) {
        return 0xFFFF;
    }
    return static_cast<uint16_t>(s->Magnitude);
}

std::string LockerNumberText(uint16_t number)
{
    return number == 0xFFFF ? std::string() : std::to_string(number);
}

uint16_t ParseTestStart(std::string_view text)
{
    return static_cast<uint16_t>(std::max(ScanInt(text).value_or(0), 0));
}

bool TypedDigitsAllowed(std::string_view text, std::string_view shown, size_t maxTyped)
{
    if (!std::all_of(text.begin(), text.end(), IsDigit)) {
        return false;
    }
    return text.size() <= maxTyped || text == shown;
}

}  // namespace quor
