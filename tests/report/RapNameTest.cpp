#include "report/RapName.h"

#include <gtest/gtest.h>

#include <utility>

namespace quor {
namespace {

using namespace std::chrono;

struct SeparatorCase {
    const char* Format;
    char Separator;
};

TEST(RapName, SeparatorOfTheRegionalShortDate)
{
    const SeparatorCase cases[] = {
        {"dd.MM.yyyy", '.'},     // Polish
        {"yyyy-MM-dd", '-'},     // Swedish
        {"yyyy. MM. dd.", '.'},  // Hungarian: blanks beside the separator
        {"d/M/yy", '-'},         // a slash would make folders of the date
        {"d\\M\\yy", '-'},
        {"d MMM yyyy", '-'},  // no separator at all
        {"", '-'},
    };
    for (const SeparatorCase& c : cases) {
        EXPECT_EQ(DateSeparator(c.Format), c.Separator) << c.Format;
    }
}

TEST(RapName, DateBlankAndDeviceName)
{
    EXPECT_EQ(ProposedRapName('-', 2019y / August / 29d, 0x212D3039), "2019-08-29 K01_12345");
    EXPECT_EQ(ProposedRapName('.', 2021y / March / 5d, 0x213104D2), "2021.03.05 K05_01234");
}

TEST(RapName, DefaultExtensionUnlessTheNameHasOne)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/jan/2019.08.29 K01_12345", "/home/jan/2019.08.29 K01_12345.txt"},
        {"/home/jan/2019-08-29 K01_12345.txt", "/home/jan/2019-08-29 K01_12345.txt"},
        {"/home/jan/raport.csv", "/home/jan/raport.csv"},
        {"/home/jan/raport.", "/home/jan/raport.txt"},
        {"/home/jan.kowalski/raport", "/home/jan.kowalski/raport.txt"},
        {"/home/jan/.raport", "/home/jan/.raport.txt"},
        {"raport", "raport.txt"},
    };
    for (const auto& [chosen, saved] : cases) {
        EXPECT_EQ(WithRapExtension(chosen), saved) << chosen;
    }
}

}  // namespace
}  // namespace quor
