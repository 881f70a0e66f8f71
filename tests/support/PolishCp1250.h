#pragma once
// An independent route from UTF-8 to Windows-1250 for the expected texts of
// the report tests: ASCII plus the Polish letters, from Microsoft's code page
// table (unicode.org MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1250.TXT).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace quor::test {

struct PolishLetter {
    std::string_view Utf8;
    unsigned char Code;
};

inline constexpr std::array<PolishLetter, 18> PolishLetters = {{
    {"ą", 0xB9},
    {"ć", 0xE6},
    {"ę", 0xEA},
    {"ł", 0xB3},
    {"ń", 0xF1},
    {"ó", 0xF3},
    {"ś", 0x9C},
    {"ź", 0x9F},
    {"ż", 0xBF},
    {"Ą", 0xA5},
    {"Ć", 0xC6},
    {"Ę", 0xCA},
    {"Ł", 0xA3},
    {"Ń", 0xD1},
    {"Ó", 0xD3},
    {"Ś", 0x8C},
    {"Ź", 0x8F},
    {"Ż", 0xAF},
}};

// Polish text in UTF-8 to Windows-1250; any other non-ASCII character fails the test.
inline std::string PolishToCp1250(std::string_view utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        bool found = false;
        for (const PolishLetter& letter : PolishLetters) {
            if (utf8.substr(i, letter.Utf8.size()) == letter.Utf8) {
                out += static_cast<char>(letter.Code);
                i += letter.Utf8.size();
                found = true;
                break;
            }
        }
        if (!found) {
            ADD_FAILURE() << "no Windows-1250 code in the test table at byte " << i << " of " << utf8;
            return out;
        }
    }
    return out;
}

// Lines in UTF-8 to the Windows-1250 text of a file, each line ended by CR LF.
inline std::string Cp1250Lines(const std::vector<std::string_view>& lines)
{
    std::string out;
    for (std::string_view line : lines) {
        out += PolishToCp1250(line) + "\r\n";
    }
    return out;
}

}  // namespace quor::test
