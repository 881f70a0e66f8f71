#include "report/RapName.h"

#include <cstdio>

#include "link/Udpdev.h"

namespace quor {

namespace {

constexpr std::string_view NotInFileNames = "/\\:*?\"<>|";
constexpr char FallbackSeparator = '-';

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

char DateSeparator(std::string_view shortDateFormat)
{
    for (const char c : shortDateFormat) {
        if (IsLetter(c) || c == ' ' || c == '\'') {
            continue;
        }
        const bool usable = static_cast<unsigned char>(c) > ' ' && static_cast<unsigned char>(c) < 0x7F &&
                            NotInFileNames.find(c) == std::string_view::npos;
        return usable ? c : FallbackSeparator;
    }
    return FallbackSeparator;
}

std::string ProposedRapName(char separator, std::chrono::year_month_day date, uint32_t controllerId)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d%c%02u%c%02u ", static_cast<int>(date.year()), separator,
                  static_cast<unsigned>(date.month()), separator, static_cast<unsigned>(date.day()));
    return text + DevName(controllerId);
}

std::string WithRapExtension(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    std::string result(path);
    if (dot == std::string_view::npos || dot == 0) {
        return result + ".txt";
    }
    const std::string_view tail = name.substr(dot + 1);
    if (tail.empty()) {
        return result + "txt";
    }
    for (const char c : tail) {
        if (!IsLetter(c) && !IsDigit(c)) {
            return result + ".txt";
        }
    }
    return result;
}

}  // namespace quor
