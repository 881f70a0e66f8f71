#include "text/Cp1250.h"
#include "text/Compose.h"

#include <gtest/gtest.h>

#include <cctype>

#include "tests/support/HexBytes.h"
#include "tests/support/PolishCp1250.h"

namespace quor {
namespace {

std::string Hex(const std::string& s)
{
    return test::HexText({reinterpret_cast<const uint8_t*>(s.data()), s.size()});
}

TEST(ToCp1250, PolishLettersTakeTheirCodes)
{
    std::string all;
    std::string expected;
    for (const test::PolishLetter& letter : test::PolishLetters) {
        EXPECT_EQ(Hex(ToCp1250(letter.Utf8)), Hex(std::string(1, static_cast<char>(letter.Code))))
            << letter.Utf8;
        all += std::string(letter.Utf8) + " ";
        expected += std::string(1, static_cast<char>(letter.Code)) + " ";
    }
    EXPECT_EQ(Hex(ToCp1250(all)), Hex(expected));
}

struct Case {
    const char* Name;
    std::string_view Utf8;
    std::string_view Cp1250;
};

// Expected bytes from Microsoft's CP1250.TXT; malformed input per RFC 3629 section 3.
const Case Cases[] = {
    {"empty", "", ""},
    {"ASCII unchanged", "Budynek B, 12/3 ~", "Budynek B, 12/3 ~"},
    {"euro sign is 0x80", "€", "\x80"},
    {"section sign, u umlaut, T caron", "§üŤ", "\xA7\xFC\x8D"},
    {"CJK character Windows-1250 lacks", "a中b", "a?b"},
    {"four-byte emoji is one ?", "x😀y", "x?y"},
    {"no transliteration of n tilde or a ring", "ñå", "??"},
    {"Greek omega between Polish letters", "łΩż", "\xB3?\xBF"},
    {"tag characters left out", "a\U000E0070\U000E006Cb", "ab"},
    {"byte 0xFF",
     "a\xFF"
     "b",
     "a?b"},
    {"lone continuation byte", "\x80z", "?z"},
    {"truncated sequence before ASCII", "\xE4\xB8x", "??x"},
    {"truncated sequence at the end", "ab\xE4\xB8", "ab??"},
    {"overlong slash", "\xC0\xAF", "??"},
    {"UTF-16 surrogate", "\xED\xA0\x80", "???"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.Name;
}

// A case's words as a test name: "euro sign is 0x80" is EuroSignIs0x80.
std::string TestName(std::string_view words)
{
    std::string name;
    bool start = true;
    for (const char c : words) {
        const bool letter = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (letter)
            name += start ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        start = !letter;
    }
    return name;
}

class ToCp1250Cases : public testing::TestWithParam<Case> {};

TEST_P(ToCp1250Cases, Converts)
{
    const Case& c = GetParam();
    EXPECT_EQ(Hex(ToCp1250(c.Utf8)), Hex(std::string(c.Cp1250))) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Table, ToCp1250Cases, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return TestName(info.param.Name); });

// Edit fields refuse, as they are typed, the characters that would be stored as '?'.
TEST(HoldsCp1250, OnlyWhatTheCodePageKeeps)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"", true},
        {"Budynek B, wejście główne", true},
        {"ŻÓŁTA ĄĘ €§ü", true},
        {"?", true},                 // a question mark of its own is kept
        {"Корпус", false},           // Cyrillic
        {"Hala \U0001F600", false},  // emoji
        {"\u00E6", false},           // Latin small ae: not in the code page
        {"A\U000E0041B", false},     // a tag character, which the conversion drops
        {"a\xC3", false},            // malformed: a lead byte cut off
        {"\xFF", false},
    };
    for (const auto& [text, held] : cases) {
        EXPECT_EQ(HoldsCp1250(text), held) << text;
    }
}

// Some editors save "ż" as z and U+0307; the controller stores the letter.
TEST(ComposeCp1250Letters, ComposesWhatTheCodePageHolds)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"z\u0307o\u0301\u0142w", "\u017C\u00F3\u0142w"},
        {"A\u0328c\u030C", "\u0104\u010D"},
        {"x\u0307", "x\u0307"},             // no such letter in the code page
        {"\u0307z", "\u0307z"},             // a mark before its letter stays
        {"z\u0307\u0307", "\u017C\u0307"},  // one mark composes
        {"a\xC3", "a\xC3"},                 // malformed bytes stay as they are
    };
    for (const auto& [text, composed] : cases)
        EXPECT_EQ(ComposeCp1250Letters(text), composed) << text;
}

}  // namespace
}  // namespace quor
