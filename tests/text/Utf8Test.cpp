#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace quor {
namespace {

// Well-formed and malformed sequences by RFC 3629 section 4 (the syntax of
// UTF-8): the length of the sequence at the start and its character.
TEST(Utf8Sequence, LengthAndCharacter)
{
    const struct {
        std::string_view Text;
        size_t Length;
        char32_t Char;  // of the first Length bytes
    } cases[] = {
        {"", 0, 0},
        {"a", 1, U'a'},
        {std::string_view("\0x", 2), 1, 0},
        {"\x7F", 1, 0x7F},
        {"\xC2\x80", 2, 0x80},
        {"\xC5\x82z", 2, 0x142},  // ł, then more text
        {"\xDF\xBF", 2, 0x7FF},
        {"\xE0\xA0\x80", 3, 0x800},
        {"\xE2\x82\xAC", 3, 0x20AC},  // €
        {"\xED\x9F\xBF", 3, 0xD7FF},  // the last character before the surrogates
        {"\xEE\x80\x80", 3, 0xE000},
        {"\xEF\xBF\xBD", 3, 0xFFFD},
        {"\xF0\x90\x80\x80", 4, 0x10000},
        {"\xF0\x9F\x98\x80", 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"\x80", 0, 0},  // a continuation byte alone
        {"\xBF", 0, 0},
        {"\xC0\xAF", 0, 0},  // overlong slash
        {"\xC1\xBF", 0, 0},
        {"\xC2", 0, 0},  // cut short
        {"\xC2x", 0, 0},
        {"\xE0\x9F\xBF", 0, 0},  // overlong
        {"\xE2\x82", 0, 0},
        {"\xED\xA0\x80", 0, 0},      // a UTF-16 surrogate
        {"\xF0\x8F\xBF\xBF", 0, 0},  // overlong
        {"\xF4\x90\x80\x80", 0, 0},  // above U+10FFFF
        {"\xF0\x9F\x98", 0, 0},
        {"\xF0\x9F\x98x", 0, 0},
        {"\xF5\x80\x80\x80", 0, 0},
        {"\xFE", 0, 0},
        {"\xFF", 0, 0},
    };
    for (const auto& c : cases) {
        const size_t length = Utf8SequenceLength(c.Text);
        EXPECT_EQ(length, c.Length) << testing::PrintToString(c.Text);
        if (length > 0) {
            EXPECT_EQ(static_cast<uint32_t>(Utf8Char(c.Text.substr(0, length))),
                      static_cast<uint32_t>(c.Char))
                << testing::PrintToString(c.Text);
        }
    }
}

// What a terminal column and an edit field count: characters, not bytes.
TEST(Utf8Length, CountsEveryByteThatStartsACharacter)
{
    const struct {
        std::string_view Text;
        size_t Length;
    } cases[] = {
        {"", 0},      {"Szatnia", 7},          {"Łódź", 4},
        {"€ 5", 3},   {"\xF0\x9F\x98\x80", 1}, {"\x80\x80", 0},  // continuation bytes alone start nothing
        {"\xFFx", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8Length(c.Text), c.Length) << c.Text;
    }
}

TEST(ClipUtf8, KeepsWholeCharacters)
{
    const struct {
        std::string_view Text;
        size_t Characters;
        std::string_view Clipped;
    } cases[] = {
        {"", 3, ""},
        {"Budynek", 0, ""},
        {"Budynek", 3, "Bud"},
        {"Budynek", 7, "Budynek"},
        {"Budynek", 20, "Budynek"},
        {"Żółw", 2, "Żó"},
        {"a€b", 2, "a€"},
        {"\xF0\x9F\x98\x80z", 1, "\xF0\x9F\x98\x80"},
        {"ab\x80\x80"
         "c",
         2, "ab\x80\x80"},  // continuation bytes stay with what they follow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClipUtf8(c.Text, c.Characters), c.Clipped) << c.Text << " " << c.Characters;
    }
}

}  // namespace
}  // namespace quor
