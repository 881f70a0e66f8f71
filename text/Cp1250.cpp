// Windows-1250 after Microsoft's code page table (unicode.org
// MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1250.TXT): ASCII below 0x80, the table
// below above it. Encoding has no transliteration: a character the code page
// lacks becomes a plain '?', so the installer sees that it was lost rather
// than a look-alike.
#include "text/Cp1250.h"

#include <algorithm>
#include <array>

namespace quor {

namespace {

// Bytes 0x80 to 0xFF; Replacement where the code page defines no character.
constexpr std::array<char16_t, 128> Upper = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Unicode's tag characters (U+E0000 to U+E007F) only mark up the text around
// them and have no place in a code page: they are left out, as the C
// library's conversion leaves them out.
bool IsTag(char32_t c)
{
    return c >> 7 == 0xE0000 >> 7;
}

// The byte of a character, '?' when the code page lacks it.
char ByteOf(char32_t c)
{
    if (c < 0x80) {
        return static_cast<char>(c);
    }
    if (c == Replacement) {
        return '?';  // it only marks the undefined bytes in the table
    }
    const auto at = std::find(Upper.begin(), Upper.end(), c);
    return at == Upper.end() ? '?' : static_cast<char>(0x80 + (at - Upper.begin()));
}

}  // namespace

char32_t FromCp1250(uint8_t byte)
{
    return byte < 0x80 ? byte : Upper[byte - 0x80];
}

std::string Cp1250ToUtf8(std::string_view cp1250)
{
    std::string text;
    text.reserve(cp1250.size() * 3);
    for (char b : cp1250) {
        AppendUtf8(text, FromCp1250(static_cast<uint8_t>(b)));
    }
    return text;
}

std::string ToCp1250(std::string_view utf8)
{
    std::string result;
    result.reserve(utf8.size());  // every character gives at most one byte
    while (!utf8.empty()) {
        // A character Windows-1250 lacks is skipped whole; a malformed byte alone.
        const size_t length = Utf8SequenceLength(utf8);
        if (length == 0) {
            result += '?';
        } else if (const char32_t c = Utf8Char(utf8.substr(0, length)); !IsTag(c)) {
            result += ByteOf(c);
        }
        utf8.remove_prefix(std::max<size_t>(length, 1));
    }
    return result;
}

bool HoldsCp1250(std::string_view utf8)
{
    // The conversion drops a tag character: text holding one would not read back as written.
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = Utf8SequenceLength(utf8.substr(i));
        if (length != 0 && IsTag(Utf8Char(utf8.substr(i, length))))
            return false;
        i += std::max<size_t>(length, 1);
    }
    // Every '?' of the result that the text does not hold itself stands for something lost.
    const std::string bytes = ToCp1250(utf8);
    return std::count(bytes.begin(), bytes.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

}  // namespace quor
