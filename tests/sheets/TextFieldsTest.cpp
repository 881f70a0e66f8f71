// Texts of the sheets' edit fields and how typed text is read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/HalfSeconds.h"
#include "sheets/NumberText.h"
#include "sheets/RoomName.h"

namespace quor {
namespace {

TEST(HalfSeconds, Text)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "0"}, {1, "0,5"}, {6, "3"}, {7, "3,5"}, {20, "10"}, {127, "63,5"},
    };
    for (const auto& [v, text] : cases) {
        EXPECT_EQ(HalfSecondsText(static_cast<uint8_t>(v)), text) << v;
    }
}

TEST(HalfSeconds, ParseTypedText)
{
    const std::vector<std::pair<std::string, int>> cases = {
        // The door sheet's own examples.
        {"3,5", 7},
        {"3,7", 7},
        {"3,4", 6},
        {"2", 4},
        {"70", 127},
        {"-1", 0},
        {"3.5", 7},  // a point reads as the comma
        {"4.5", 9},
        {"4.", 8},
        {",5", 1},  // no whole seconds: half a second
        {" .7", 1},
        {",4", 0},
        {"", 0},
        {"100", 127},
        // How "%d,%1d" reads the rest.
        {" 3,5", 7},  // blanks before the number are skipped
        {"3, 5", 7},  // and before the digit after the comma
        {"3 ,5", 6},  // but the comma must follow the number at once
        {"3,-5", 6},  // a sign after the comma is no digit
        {"3,59", 7},  // only one digit counts
        {"+2,9", 5},
        {"abc", 0},
        {"63,5", 127},
        {"64", 127},
        {"99999999999", 127},  // far beyond int: limited, not wrapped
        {"-99999999999,5", 0},
    };
    for (const auto& [text, v] : cases) {
        EXPECT_EQ(ParseHalfSeconds(text), v) << '"' << text << '"';
    }
}

TEST(HalfSeconds, TypedTextAllowed)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"", true},    {"4", true},    {"4,5", true},   {"4.5", true},   {"2,", true},
        {",5", true},  {"63,5", true}, {"4,5,", false}, {"4.5,", false}, {"4..", false},
        {"-3", false}, {"+3", false},  {"3a", false},   {" 3", false},   {"abc", false},
    };
    for (const auto& [text, allowed] : cases) {
        EXPECT_EQ(TypedTimeAllowed(text), allowed) << '"' << text << '"';
    }
}

TEST(HalfSeconds, EveryTextReadsBackAsItsValue)
{
    for (int v = 0; v <= MaxHalfSeconds; ++v) {
        EXPECT_EQ(ParseHalfSeconds(HalfSecondsText(static_cast<uint8_t>(v))), v);
    }
}

TEST(NumberText, TrainNumber)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"1234", 1234}, {"", 0}, {"x1", 0}, {"0042", 42}, {"70000", 70000 & 0xFFFF}, {"-1", 0xFFFF},
    };
    for (const auto& [text, v] : cases) {
        EXPECT_EQ(ParseTrainNumber(text), v) << '"' << text << '"';
    }
    EXPECT_EQ(TrainNumberText(65535), "65535");
}

TEST(NumberText, LockerNumber)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", 0},  {"9999", 9999}, {"", 0xFFFF},  {"10000", 0xFFFF},       {"12a", 12},
        {" 7", 7}, {"-5", 0xFFFF}, {"x", 0xFFFF}, {"99999999999", 0xFFFF},
    };
    for (const auto& [text, v] : cases) {
        EXPECT_EQ(ParseLockerNumber(text), v) << '"' << text << '"';
    }
    EXPECT_EQ(LockerNumberText(0xFFFF), "");
    EXPECT_EQ(LockerNumberText(0), "0");
    EXPECT_EQ(LockerNumberText(131), "131");
}

TEST(NumberText, TestStart)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"", 0},
        {"150", 150},
        {"-3", 0},
        {"70000", 70000 & 0xFFFF},
    };
    for (const auto& [text, v] : cases) {
        EXPECT_EQ(ParseTestStart(text), v) << '"' << text << '"';
    }
}

// Train number and first locker of the test run: the installer types at most
// 4 digits, while a longer stored value shown by the program stays whole.
TEST(NumberText, TypedDigits)
{
    struct Case {
        const char* text;
        const char* shown;
        bool allowed;
    };
    const Case cases[] = {
        {"", "12", true},           {"0042", "12", true},    {"12345", "12", false},
        {"12345", "12345", true},   {"1234", "12345", true}, {"12346", "12345", false},
        {"123456", "12345", false}, {"12a", "12a", false},   {"-1", "", false},
        {" 1", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypedDigitsAllowed(c.text, c.shown, 4), c.allowed)
            << '"' << c.text << "\" shown \"" << c.shown;
    }
}

TEST(RoomName, ClipsToFifteenCharactersNotBytes)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Magazyn", "Magazyn"},
        {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNO"},
        {"Żółta łąka ćmaśź", "Żółta łąka ćmaś"},  // 16 characters, 22 bytes
        {"", ""},
    };
    for (const auto& [text, clipped] : cases) {
        EXPECT_EQ(ClipRoomName(text), clipped) << text;
    }
}

TEST(RoomName, StoredInWindows1250)
{
    // Windows-1250 code chart: Ł A3, ó F3, ź 9F, Ś 8C, ą B9.
    EXPECT_EQ(RoomNameBytes("Łódź Ślą"), "\xA3\xF3"
                                         "d\x9F \x8Cl\xB9");
    EXPECT_EQ(RoomNameText("\xA3\xF3"
                           "d\x9F \x8Cl\xB9"),
              "Łódź Ślą");
    EXPECT_EQ(RoomNameBytes("ŻÓŁTA ŁĄKA ĆMA ŚŹ").size(), 15u);
    EXPECT_EQ(RoomNameText("\x81"), "\xEF\xBF\xBD");  // undefined in the code page
}

// A byte the code page leaves undefined shows as U+FFFD; the n-th U+FFFD
// left in the text is written back as the n-th such byte of the name stored.
TEST(RoomName, UndefinedBytesWrittenBackAsRead)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        std::string typed;
        std::string stored;
        std::string bytes;
    } cases[] = {
        {"S" + fffd + "AB",
         "S\x98"
         "A",
         "S\x98"
         "AB"},
        {fffd + fffd + "x", "\x81y\x83", "\x81\x83x"},
        {fffd + "x" + fffd, "\x90", "\x90x?"},  // one more than the name had
        {fffd, "", "?"},
        {"ABC", "\x81", "ABC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoomNameBytes(c.typed, c.stored), c.bytes) << c.typed;
    }
}

TEST(RoomName, EveryPolishLetterSurvivesTheRoundTrip)
{
    for (std::string name : {"ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ", "Pokój 12", "Szatnia-Męska"}) {
        EXPECT_EQ(RoomNameText(RoomNameBytes(name)), name);
    }
}

}  // namespace
}  // namespace quor
