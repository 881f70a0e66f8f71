// An export into an existing site file replaces the text of the controllers
// it read and keeps every other line as it stands, comments included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/SiteFileMerge.h"

namespace quor::site {
namespace {

const ExportedController Read[] = {
    {"K02_01201", {{"Winda", "", "Czas odblokowania przycisków", "3 s", "", "", ""}}},
    {"K09_00001", {{"Winda", "", "Sabotaż", "", "", "", ""}}},
};

std::string Merged(std::string_view existing, std::vector<std::string>* problemLines = nullptr)
{
    std::vector<SiteProblem> problems;
    const std::string text = MergeSiteFileText(existing, Read, problems);
    for (const SiteProblem& p : problems) {
        if (problemLines)
            problemLines->push_back(ProblemLine("site.yaml", p));
        else
            ADD_FAILURE() << ProblemLine("site.yaml", p);
    }
    return text;
}

TEST(SiteFileMerge, ReplacesTheControllersReadAndKeepsTheRest)
{
    EXPECT_EQ(Merged("# Budynek B\n"
                     "quorctl-site: 1\n"
                     "controllers:\n"
                     "  K01_01101:\n"
                     "    Przejścia: {Nr pociągu: 12}  # as agreed\n"
                     "\n"
                     "  # the lift, rebuilt in May\n"
                     "  K02_01201:\n"
                     "    Winda:\n"
                     "      Czas odblokowania przycisków: 5 s\n"
                     "      Sabotaż: -----\n"
                     "  K04_01401:\n"
                     "    Szafki: {Test od szafki nr: 7}\n"
                     "# end\n"),
              "# Budynek B\n"
              "quorctl-site: 1\n"
              "controllers:\n"
              "  K01_01101:\n"
              "    Przejścia: {Nr pociągu: 12}  # as agreed\n"
              "\n"
              "  # the lift, rebuilt in May\n"
              "  K02_01201:\n"
              "    Winda:\n"
              "      Czas odblokowania przycisków: 3 s\n"
              "  K04_01401:\n"
              "    Szafki: {Test od szafki nr: 7}\n"
              "  K09_00001:\n"
              "    Winda:\n"
              "      Sabotaż: -----\n"
              "# end\n");
}

TEST(SiteFileMerge, AFileWithoutControllersGetsThem)
{
    const std::string added = "controllers:\n"
                              "  K02_01201:\n"
                              "    Winda:\n"
                              "      Czas odblokowania przycisków: 3 s\n"
                              "  K09_00001:\n"
                              "    Winda:\n"
                              "      Sabotaż: -----\n";
    EXPECT_EQ(Merged("# new site\nquorctl-site: 1\ncontrollers: {}\n"),
              "# new site\nquorctl-site: 1\n" + added);
    EXPECT_EQ(Merged("quorctl-site: 1\ncontrollers:\n"), "quorctl-site: 1\n" + added);
}

TEST(SiteFileMerge, RefusesAFileItCannotMergeInto)
{
    std::vector<std::string> problems;
    EXPECT_EQ(Merged("quorctl-site: 1\ncontrollers: {K01_01101: {}}\n", &problems), "");
    EXPECT_EQ(problems,
              std::vector<std::string>{"site.yaml:2:15: the export writes each controller as \"  "
                                       "K01_01101:\" on a line of its own; this one stands otherwise"});
    problems.clear();
    EXPECT_EQ(Merged("quorctl-site: 1\ncontrollers:\n  K01_01101: [\n", &problems), "");
    EXPECT_EQ(problems, std::vector<std::string>{"site.yaml:4:1: not YAML: end of sequence flow not found"});
}

}  // namespace
}  // namespace quor::site
