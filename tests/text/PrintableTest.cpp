// Text printed for a reviewer shows its control characters as escapes, so
// that none can move the cursor or recolour the terminal.

#include <gtest/gtest.h>

#include "text/Printable.h"

namespace quor {
namespace {

TEST(Printable, EscapesControlsAndBytesThatAreNoUtf8)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Szatnia ŻÓŁW €", "Szatnia ŻÓŁW €"},
        {"A\rB", "A\\x0DB"},
        {"\x1B[31mred", "\\x1B[31mred"},
        {"tab\there\n", "tab\\x09here\\x0A"},
        {"del\x7F", "del\\x7F"},
        {"csi\xC2\x9B"
         "2J",
         "csi\\x9B2J"},                    // U+009B, the C1 control sequence introducer
        {"nbsp\xC2\xA0", "nbsp\xC2\xA0"},  // U+00A0 is no control
        {"cut\xC3", "cut\\xC3"},
        {"back\\slash", "back\\slash"},
    };
    for (const auto& [text, printed] : cases)
        EXPECT_EQ(Printable(text), printed);
}

TEST(JsonPrintable, EscapesWhatJsonLeavesRaw)
{
    EXPECT_EQ(JsonPrintable("{\"a\": \"x\x7Fy\xC2\x9B\xC2\xA0\xC5\xBB\"}"),
              "{\"a\": \"x\\u007Fy\\u009B\xC2\xA0\xC5\xBB\"}");
}

}  // namespace
}  // namespace quor
