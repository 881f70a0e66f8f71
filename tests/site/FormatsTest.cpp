// The hexadecimal spellings of identities and bytes in the backup file.

#include <gtest/gtest.h>

#include "site/Formats.h"

namespace quor::site {
namespace {

TEST(SiteFormats, HexAndIdentitiesReadBackWhatTheyWrite)
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
}  // namespace quor::site
