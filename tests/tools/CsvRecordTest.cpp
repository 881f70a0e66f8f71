// quorctl's CSV records (RFC 4180).

#include <gtest/gtest.h>

#include "tools/quorctl/Listings.h"

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

}  // namespace
}  // namespace quor::tools
