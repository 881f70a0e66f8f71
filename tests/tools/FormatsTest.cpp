// quorctl's CSV records (RFC 4180) and the hexadecimal spellings of its files.

#include <gtest/gtest.h>

#include "tools/quorctl/Formats.h"

namespace quor::tools {
namespace {

TEST(QuorctlFormats, CsvQuotesOnlyWhatRfc4180Asks)
{
    const struct {
        std::vector<std::string> Fields;
        const char* Record;
    } cases[] = {
        {{"K01_01101", "Serwis", "2"}, "K01_01101,Serwis,2\r\n"},
        {{"", "", ""}, ",,\r\n"},
        {{"3,5 s"}, "\"3,5 s\"\r\n"},                               // a comma
        {{"Hala \"B\""}, "\"Hala \"\"B\"\"\"\r\n"},                 // quotes doubled
        {{"a\nb", "c\rd"}, "\"a\nb\",\"c\rd\"\r\n"},                // line breaks
        {{" Łódź Kaliska ", "? (7)"}, " Łódź Kaliska ,? (7)\r\n"},  // blanks and UTF-8 stay as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvRecord(c.Fields), c.Record);
}

TEST(QuorctlFormats, HexAndIdentitiesReadBackWhatTheyWrite)
{
    const std::vector<uint8_t> bytes = {0x01, 0x04, 0x0A, 0xFF};
    EXPECT_EQ(HexText(bytes), "01 04 0A FF");
    EXPECT_EQ(ParseHexText("01 04 0A FF"), bytes);
    EXPECT_EQ(ParseHexText("01040aff"), bytes);
    EXPECT_EQ(ParseHexText(" 01\n04 0a\tff "), bytes);
    for (const char* bad : {"0", "01 4", "01 0G", "0x01", "01-04"})
        EXPECT_THROW(ParseHexText(bad), std::invalid_argument) << bad;

    EXPECT_EQ(IdText(0x212D044D), "0x212D044D");
    EXPECT_EQ(ParseIdText("0x212d044d"), 0x212D044Du);
    for (const char* bad : {"212D044D", "0x212D044", "0x212D044D0", "0x212D04GD", ""})
        EXPECT_THROW(ParseIdText(bad), std::invalid_argument) << bad;
}

}  // namespace
}  // namespace quor::tools
