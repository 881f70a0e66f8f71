#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace quor {
namespace {

std::string Utf8(char32_t c)
{
    std::string s;
    AppendUtf8(s, c);
    return s;
}

// Rows from Microsoft's CP1250.TXT.
TEST(FromCp1250, Table)
{
    const struct {
        uint8_t Byte;
        char32_t Char;
    } rows[] = {
        {0x41, U'A'},        {0x80, U'\u20AC'},   {0x84, U'\u201E'},   {0x8C, U'\u015A'},
        {0x8F, U'\u0179'},   {0x94, U'\u201D'},   {0x95, U'\u2022'},   {0x96, U'\u2013'},
        {0x9C, U'\u015B'},   {0x9F, U'\u017A'},   {0xA3, U'\u0141'},   {0xA5, U'\u0104'},
        {0xAF, U'\u017B'},   {0xB3, U'\u0142'},   {0xB9, U'\u0105'},   {0xBF, U'\u017C'},
        {0xC6, U'\u0106'},   {0xCA, U'\u0118'},   {0xD1, U'\u0143'},   {0xD3, U'\u00D3'},
        {0xE6, U'\u0107'},   {0xEA, U'\u0119'},   {0xF1, U'\u0144'},   {0xF3, U'\u00F3'},
        {0xFF, U'\u02D9'},   {0x81, Replacement}, {0x83, Replacement}, {0x88, Replacement},
        {0x90, Replacement}, {0x98, Replacement},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(static_cast<uint32_t>(FromCp1250(row.Byte)), static_cast<uint32_t>(row.Char))
            << "byte " << int(row.Byte);
    }
}

// The whole upper half: every defined byte converts back to itself (the
// table itself is checked against the C library's in Cp1250IconvTest).
TEST(FromCp1250, AgreesWithTheSystemConversion)
{
    int undefined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char32_t c = FromCp1250(static_cast<uint8_t>(b));
        if (c == Replacement) {
            ++undefined;
            continue;
        }
        EXPECT_EQ(ToCp1250(Utf8(c)), std::string(1, static_cast<char>(b))) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(AppendUtf8, Lengths)
{
    EXPECT_EQ(Utf8(U'a'), "a");
    EXPECT_EQ(Utf8(U'\u0142'), "\xC5\x82");
    EXPECT_EQ(Utf8(U'\u2022'), "\xE2\x80\xA2");
    EXPECT_EQ(Utf8(U'\U0001F600'), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8(0x110000), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quor
