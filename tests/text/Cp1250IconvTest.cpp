// The program's one Windows-1250 table against glibc's conversion of the
// same name, in both directions: every byte, every character of the Basic
// Multilingual Plane and beyond, and which short byte strings are text the
// code page holds.
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

namespace quor {
namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : Cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (Open())
            iconv_close(Cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Open() const { return Cd != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted; nothing when iconv stops anywhere in it.
    std::optional<std::string> Convert(std::string_view in)
    {
        iconv(Cd, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 4, '\0');
        char* from = const_cast<char*>(in.data());  // iconv does not write through it
        size_t fromLeft = in.size();
        char* to = out.data();
        size_t toLeft = out.size();
        if (iconv(Cd, &from, &fromLeft, &to, &toLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - toLeft);
        return out;
    }

private:
    iconv_t Cd;
};

std::string Utf8(char32_t c)
{
    std::string s;
    AppendUtf8(s, c);
    return s;
}

TEST(Cp1250AgainstIconv, EveryByteDecodes)
{
    Iconv iconv("UTF-8", "WINDOWS-1250");
    ASSERT_TRUE(iconv.Open());
    int undefined = 0;
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::optional<std::string> expected = iconv.Convert(byte);
        if (!expected) {
            ++undefined;
            EXPECT_EQ(static_cast<uint32_t>(FromCp1250(static_cast<uint8_t>(b))), 0xFFFDu) << "byte " << b;
            EXPECT_EQ(Cp1250ToUtf8(byte), "\xEF\xBF\xBD") << "byte " << b;
            continue;
        }
        EXPECT_EQ(Cp1250ToUtf8(byte), *expected) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250AgainstIconv, EveryCharacterEncodes)
{
    Iconv iconv("WINDOWS-1250", "UTF-8");
    ASSERT_TRUE(iconv.Open());
    std::vector<char32_t> characters;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            characters.push_back(c);
    }
    for (char32_t c = 0x10000; c <= 0x10FFFF; ++c)
        characters.push_back(c);
    int held = 0;
    std::vector<uint32_t> wrong;
    for (char32_t c : characters) {
        const std::string utf8 = Utf8(c);
        const std::optional<std::string> expected = iconv.Convert(utf8);
        held += expected && !expected->empty();  // a tag character converts to nothing
        if (ToCp1250(utf8) != expected.value_or("?"))
            wrong.push_back(c);
    }
    EXPECT_EQ(held, 128 + 123);
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " characters, the first U+" << std::hex << wrong.front();
}

// Whether text is whole: iconv takes all of it exactly when HoldsCp1250
// says so, and then both give the same bytes.
TEST(Cp1250AgainstIconv, ShortByteStrings)
{
    Iconv iconv("WINDOWS-1250", "UTF-8");
    ASSERT_TRUE(iconv.Open());
    std::vector<std::string> inputs;
    for (int a = 0; a <= 0xFF; ++a) {
        inputs.emplace_back(1, static_cast<char>(a));
        for (int b = 0; b <= 0xFF; ++b)
            inputs.push_back({static_cast<char>(a), static_cast<char>(b)});
    }
    // Longer strings from the bytes at the edges of the ranges a lead byte allows.
    const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                   0xC0, 0xC2, 0xDF, 0xE0, 0xED, 0xF0, 0xF4, 0xF5, 0xFF};
    const unsigned char leads[] = {0xC2, 0xC5, 0xDF, 0xE0, 0xE1, 0xE2, 0xED, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5};
    for (unsigned char lead : leads) {
        for (unsigned char b : edges) {
            for (unsigned char c : edges) {
                const std::string three = {static_cast<char>(lead), static_cast<char>(b),
                                           static_cast<char>(c)};
                inputs.push_back(three);
                for (unsigned char d : edges)
                    inputs.push_back(three + static_cast<char>(d));
            }
        }
    }
    std::vector<std::string> wrong;
    for (const std::string& in : inputs) {
        const std::optional<std::string> expected = iconv.Convert(in);
        if (HoldsCp1250(in) != expected.has_value() || (expected && ToCp1250(in) != *expected))
            wrong.push_back(in);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " strings, the first of " << wrong.front().size()
                               << " bytes";
}

}  // namespace
}  // namespace quor
