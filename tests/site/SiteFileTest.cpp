// The site file: what a file states, with places, every problem of the file
// itself, and the text export writes reading back as the same fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/SiteFile.h"

namespace quor::site {
namespace {

// One line per field: "K01_01101 | Przejście 1 | Wyjścia | Rygiel | K01_01101:Out1 @4:9 =4:17".
std::vector<std::string> Lines(const SiteFile& file)
{
    std::vector<std::string> lines;
    for (const WantedController& c : file.Controllers) {
        lines.push_back(c.Name + " @" + std::to_string(c.At.Line) + ":" + std::to_string(c.At.Column));
        for (const WantedField& f : c.Fields) {
            lines.push_back(f.Section + " | " + f.Group + " | " + f.Label + " | " + f.Text + " @" +
                            std::to_string(f.At.Line) + ":" + std::to_string(f.At.Column) + " =" +
                            std::to_string(f.ValueAt.Line) + ":" + std::to_string(f.ValueAt.Column));
        }
    }
    return lines;
}

std::vector<std::string> ProblemLines(std::string_view text)
{
    std::vector<SiteProblem> problems;
    ReadSiteFile(text, problems);
    std::vector<std::string> lines;
    for (const SiteProblem& p : problems)
        lines.push_back(ProblemLine("site.yaml", p));
    return lines;
}

// Reads a text that must state no problem.
SiteFile ReadWithoutProblems(std::string_view text)
{
    std::vector<SiteProblem> problems;
    SiteFile file = ReadSiteFile(text, problems);
    for (const SiteProblem& problem : problems)
        ADD_FAILURE() << ProblemLine("site.yaml", problem);
    return file;
}

TEST(SiteFileRead, TheIssuesExampleGivesEachFieldWithItsPlace)
{
    const char* const text = "quorctl-site: 1\n"
                             "controllers:\n"
                             "  K01_01101:                  # a controller by its device name\n"
                             "    Przejścia:\n"
                             "      Nr pociągu: 12\n"
                             "    Przejście 1:\n"
                             "      Wyjścia:\n"
                             "        Rygiel: K01_01101:Out1\n"
                             "        Alarm: P01_40101:Out5 NC      # the mark follows the value\n"
                             "        CCTV:\n"
                             "      Czytniki:\n"
                             "        2: R05_20102:Rd1 Wyjście\n"
                             "      Typ przejścia: Normalne\n"
                             "      Impuls otwarcia rygla: \"3 s\"\n"
                             "  K03_01301:\n"
                             "    Winda:\n"
                             "      Wybór piętra: D01_60101:In1 NC\n";
    const SiteFile file = ReadWithoutProblems(text);
    EXPECT_EQ(Lines(file), (std::vector<std::string>{
                               "K01_01101 @3:3",
                               "Przejścia |  | Nr pociągu | 12 @5:7 =5:19",
                               "Przejście 1 | Wyjścia | Rygiel | K01_01101:Out1 @8:9 =8:17",
                               "Przejście 1 | Wyjścia | Alarm | P01_40101:Out5 NC @9:9 =9:16",
                               "Przejście 1 | Wyjścia | CCTV |  @10:9 =10:9",
                               "Przejście 1 | Czytniki | 2 | R05_20102:Rd1 Wyjście @12:9 =12:12",
                               "Przejście 1 |  | Typ przejścia | Normalne @13:7 =13:22",
                               "Przejście 1 |  | Impuls otwarcia rygla | 3 s @14:7 =14:30",
                               "K03_01301 @15:3",
                               "Winda |  | Wybór piętra | D01_60101:In1 NC @17:7 =17:21",
                           }));
    ASSERT_EQ(file.Controllers.size(), 2u);
    const WantedField& rygiel = file.Controllers[0].Fields[1];
    EXPECT_EQ(rygiel.SectionAt.Line, 6);
    EXPECT_EQ(rygiel.GroupAt.Line, 7);
}

TEST(SiteFileRead, JsonReadsAsYaml)
{
    const char* const text = "{\"quorctl-site\": 1, \"controllers\": {\"K03_01301\": {\"Winda\": {\n"
                             "  \"Czas odblokowania przycisków\": \"2,5 s\", \"Czytniki\": {\"1\": null},\n"
                             "  \"Wybór piętra\": \"D01_60101:In1\"}}}}\n";
    const SiteFile file = ReadWithoutProblems(text);
    EXPECT_EQ(Lines(file), (std::vector<std::string>{
                               "K03_01301 @1:37",
                               "Winda |  | Czas odblokowania przycisków | 2,5 s @2:3 =2:35",
                               "Winda | Czytniki | 1 |  @2:57 =2:57",
                               "Winda |  | Wybór piętra | D01_60101:In1 @3:3 =3:19",
                           }));
}

// The escapes \N and \_ mean U+0085 and U+00A0, as \x85 and \xA0 do.
TEST(SiteFileRead, EscapesReadAsUtf8)
{
    const char* const text = "quorctl-site: 1\n"
                             "controllers:\n"
                             "  \"K\\_01\": {S: {L: \"a\\Nb\\x85\\_\\xA0\"}}\n";
    const SiteFile file = ReadWithoutProblems(text);
    EXPECT_EQ(Lines(file), (std::vector<std::string>{
                               "K\xC2\xA0"
                               "01 @3:3",
                               "S |  | L | a\xC2\x85"
                               "b\xC2\x85\xC2\xA0\xC2\xA0 @3:17 =3:20",
                           }));
}

struct ProblemCase {
    const char* Name;
    const char* Text;
    std::vector<std::string> Problems;
};

class SiteFileProblems : public testing::TestWithParam<ProblemCase> {};

TEST_P(SiteFileProblems, NameEachWithItsPlace)
{
    EXPECT_EQ(ProblemLines(GetParam().Text), GetParam().Problems);
}

const ProblemCase ProblemCases[] = {
    {"NotYaml",
     "quorctl-site: 1\ncontrollers:\n  K01: {Winda: [}\n",
     {"site.yaml:3:17: not YAML: illegal flow end"}},
    // Columns count characters, not bytes.
    {"NotYamlAfterPolish",
     "quorctl-site: 1\ncontrollers:\n  K01:\n    Przejście 1: {Śluzy: [}\n",
     {"site.yaml:4:27: not YAML: illegal flow end"}},
    {"TabIndentation",
     "quorctl-site: 1\ncontrollers:\n  K01:\n  \tWinda: {}\n",
     {"site.yaml:4:3: a tab in the indentation: YAML indents with blanks"}},
    {"CrAlone",
     "quorctl-site: 1\rcontrollers: {}\r",
     {"site.yaml:1:16: a line ends in CR alone: a site file's lines end in LF or CR LF"}},
    {"CrLfIsNoProblem", "quorctl-site: 1\r\ncontrollers: {}\r\n", {}},
    {"SecondDocument",
     "quorctl-site: 1\ncontrollers: {}\n---\ncontrollers:\n  K01: {}\n",
     {"site.yaml:3:1: a second YAML document: a site file holds one, and the rest would be ignored"}},
    {"OneDocumentWithItsStart", "# site B\n---\nquorctl-site: 1\ncontrollers: {}\n", {}},
    {"OneDocumentWithItsEnd", "quorctl-site: 1\ncontrollers: {}\n...\n# done\n", {}},
    {"ContentAfterTheEnd",
     "quorctl-site: 1\ncontrollers: {}\n...\ncontrollers: {}\n",
     {"site.yaml:4:1: a second YAML document: a site file holds one, and the rest would be ignored"}},
    // Windows-1250 "ś" (9C), as an editor saving in that code page writes it.
    {"NotUtf8",
     "quorctl-site: 1\ncontrollers:\n  Łódź:\n    Przej\x9C"
     "cie 1: {}\n",
     {"site.yaml:4:10: not UTF-8: a site file is UTF-8 text"}},
    {"ControlCharacter",
     "quorctl-site: 1\ncontrollers:\n  K01:\n    Winda: {Sabotaż: \"a\x02\"}\n",
     {"site.yaml:4:24: a control character: a site file is plain text"}},
    {"NextLine",
     "quorctl-site: 1\ncontrollers:\n  K01:\n    Winda: {Sabotaż: a\u0085b}\n",
     {"site.yaml:4:23: a control character: a site file is plain text"}},
    {"ByteOrderMarkIsNoProblem", "\xEF\xBB\xBFquorctl-site: 1\ncontrollers: {}\n", {}},
    // Columns on the first line count from after the mark.
    {"ByteOrderMarkAndAProblem",
     "\xEF\xBB\xBFquorctl-site: 2\ncontrollers: {}\n",
     {"site.yaml:1:15: version \"2\" is not known; this program reads quorctl-site: 1"}},
    {"Empty", "", {"site.yaml:1:1: the file is empty; it begins with \"quorctl-site: 1\""}},
    {"NoMap", "- K01\n", {"site.yaml:1:1: the file is no map; it begins with \"quorctl-site: 1\""}},
    {"WrongVersion",
     "quorctl-site: 2\ncontrollers: {}\n",
     {"site.yaml:1:15: version \"2\" is not known; this program reads quorctl-site: 1"}},
    {"NoVersion", "controllers: {}\n", {"site.yaml:1:1: no \"quorctl-site: 1\""}},
    {"NoControllers", "quorctl-site: 1\n", {"site.yaml:1:1: no \"controllers\""}},
    {"UnknownKey",
     "quorctl-site: 1\ncontrollers: {}\nsite: B\n",
     {"site.yaml:3:1: unknown key \"site\"; the file holds quorctl-site and controllers"}},
    {"ControllersAsList",
     "quorctl-site: 1\ncontrollers:\n  - K01_01101\n",
     {"site.yaml:3:3: controllers must be a map, not (a list)"}},
    {"SectionAsText",
     "quorctl-site: 1\ncontrollers:\n  K01_01101:\n    Winda: tak\n",
     {"site.yaml:4:12: section Winda must be a map, not \"tak\""}},
    {"ValueAsList",
     "quorctl-site: 1\ncontrollers:\n  K01_01101:\n    Winda:\n      Sabotaż: [a, b]\n",
     {"site.yaml:5:16: the value of Sabotaż must be a text, not (a list)"}},
    {"GroupTooDeep",
     "quorctl-site: 1\ncontrollers:\n  K01_01101:\n    Przejście 1:\n      Wyjścia:\n        Rygiel: {a: "
     "b}\n",
     {"site.yaml:6:17: the value of Rygiel must be a text, not (a map)"}},
    {"KeyAsList",
     "quorctl-site: 1\ncontrollers:\n  ? [a]\n  : {}\n",
     {"site.yaml:3:5: a key must be a text, not (a list)"}},
    {"ControllerTwice",
     "quorctl-site: 1\ncontrollers:\n  K01_01101: {}\n  K01_01101: {}\n",
     {"site.yaml:4:3: controller \"K01_01101\" is stated twice (first at line 3)"}},
    {"ControllersTwice",
     "quorctl-site: 1\ncontrollers:\n  K01_01101: {}\ncontrollers:\n  K01_01101: {}\n",
     {"site.yaml:4:1: key \"controllers\" is stated twice (first at line 2)"}},
    {"FieldTwice",
     "quorctl-site: 1\ncontrollers:\n  K01_01101:\n    Winda:\n      Sabotaż: -----\n      Sabotaż: -----\n",
     {"site.yaml:6:7: field \"Sabotaż\" is stated twice (first at line 5)"}},
    {"GroupTwice",
     "quorctl-site: 1\ncontrollers:\n  K01:\n    Winda:\n      Czytniki: {1: a}\n      Czytniki: {2: b}\n",
     {"site.yaml:6:7: group \"Czytniki\" is stated twice (first at line 5)"}},
    {"SectionTwice",
     "quorctl-site: 1\ncontrollers:\n  K01:\n    Winda: {}\n    Winda: {}\n",
     {"site.yaml:5:5: section \"Winda\" is stated twice (first at line 4)"}},
    {"EveryProblemAtOnce",
     "quorctl-site: 3\ncontrollers:\n  K01: []\n  K02:\n    Winda: 1\n",
     {"site.yaml:1:15: version \"3\" is not known; this program reads quorctl-site: 1",
      "site.yaml:3:8: controller K01 must be a map, not (a list)",
      "site.yaml:5:12: section Winda must be a map, not \"1\""}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SiteFileProblems, testing::ValuesIn(ProblemCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SiteFileProblem, LineWithoutPlace)
{
    EXPECT_EQ(ProblemLine("a.yaml", {{}, "K01_01101: no answer"}), "a.yaml: K01_01101: no answer");
    EXPECT_EQ(ProblemLine("a.yaml", {{7, 0}, "x"}), "a.yaml:7: x");
}

// Two controllers of other kinds; fields out of their section's order would
// still be gathered under it.
const ExportedController Exported[] = {
    {"K01_01101",
     {
         {"Przejścia", "", "Nr pociągu", "12", "", "", ""},
         {"Przejście 1", "Wyjścia", "Rygiel", "K01_01101:Out1", "", "", ""},
         {"Przejście 1", "Wyjścia", "Alarm", "P01_40101:Out5", "NC", "", ""},
         {"Przejście 1", "Wyjścia", "CCTV", "", "", "", ""},
         {"Przejście 1", "Czytniki", "2", "R05_20102:Rd1", "Wyjście", "", ""},
         {"Przejście 1", "", "Śluzy", "", "", "", ""},
         {"Przejście 1", "", "Typ przejścia", "? (7)", "", "", ""},
         {"Przejście 1", "", "Impuls otwarcia rygla", "2,5 s", "", "", ""},
         {"Przejście 1", "", "Otwieranie klamką", "tak", "", "", ""},
     }},
    {"K07_00001",
     {
         {"Szafki", "", "Nazwa pomieszczenia", "Szatnia: #2 \"B\"", "", "", ""},
         {"Szafki", "Moduł 0", "Moduł", "D02_70001", "", "", ""},
         {"Szafki", "Moduł 0", "Od", "10", "!", "", ""},
         {"Szafki", "Moduł 0", "Do", "041", "", "", ""},
         {"Szafki", "", "Test od szafki nr", "0", "", "", ""},
         {"Szafki", "", "Sabotaż", "", "", "", ""},
         {"Szafki", "Moduł 1", "Od", "1e3", "", "", ""},
         {"Szafki", "Moduł 0", "Uwagi", "yes", "", "", ""},
         {"Szafki", "", "x", "- a: b", "", "", ""},
     }},
};

TEST(SiteFileText, StatesEveryFieldQuotedWhereYamlWouldReadOtherwise)
{
    EXPECT_EQ(SiteFileText(Exported), "quorctl-site: 1\n"
                                      "controllers:\n"
                                      "  K01_01101:\n"
                                      "    Przejścia:\n"
                                      "      Nr pociągu: 12\n"
                                      "    Przejście 1:\n"
                                      "      Wyjścia:\n"
                                      "        Rygiel: K01_01101:Out1\n"
                                      "        Alarm: P01_40101:Out5 NC\n"
                                      "        CCTV: -----\n"
                                      "      Czytniki:\n"
                                      "        2: R05_20102:Rd1 Wyjście\n"
                                      "      Śluzy: -----\n"
                                      "      Typ przejścia: \"? (7)\"\n"
                                      "      Impuls otwarcia rygla: 2,5 s\n"
                                      "      Otwieranie klamką: tak\n"
                                      "  K07_00001:\n"
                                      "    Szafki:\n"
                                      "      Nazwa pomieszczenia: \"Szatnia: #2 \\\"B\\\"\"\n"
                                      "      Moduł 0:\n"
                                      "        Moduł: D02_70001\n"
                                      "        Od: 10  # !\n"
                                      "        Do: \"041\"\n"
                                      "        Uwagi: \"yes\"\n"
                                      "      Test od szafki nr: 0\n"
                                      "      Sabotaż: -----\n"
                                      "      Moduł 1:\n"
                                      "        Od: \"1e3\"\n"
                                      "      x: \"- a: b\"\n");
    EXPECT_EQ(SiteFileText({}), "quorctl-site: 1\ncontrollers: {}\n");
}

TEST(SiteFileText, ReadsBackAsTheFieldsWritten)
{
    const ExportedController one[] = {Exported[0]};
    const SiteFile file = ReadWithoutProblems(SiteFileText(one));
    ASSERT_EQ(file.Controllers.size(), 1u);
    EXPECT_EQ(file.Controllers[0].Name, "K01_01101");
    std::vector<std::string> read;
    for (const WantedField& f : file.Controllers[0].Fields)
        read.push_back(f.Section + "|" + f.Group + "|" + f.Label + "|" + f.Text);
    EXPECT_EQ(read, (std::vector<std::string>{
                        "Przejścia||Nr pociągu|12",
                        "Przejście 1|Wyjścia|Rygiel|K01_01101:Out1",
                        "Przejście 1|Wyjścia|Alarm|P01_40101:Out5 NC",
                        "Przejście 1|Wyjścia|CCTV|-----",
                        "Przejście 1|Czytniki|2|R05_20102:Rd1 Wyjście",
                        "Przejście 1||Śluzy|-----",
                        "Przejście 1||Typ przejścia|? (7)",
                        "Przejście 1||Impuls otwarcia rygla|2,5 s",
                        "Przejście 1||Otwieranie klamką|tak",
                    }));
}

// Texts a field could hold come back from the file as they were written.
TEST(SiteFileText, AwkwardValuesReadBackUnchanged)
{
    std::vector<std::string> values = {
        "12",  "012",  "0x1F", "-5",  "1.5",   ".inf",     "null", "~",    "true", "No",   "y",       "2,5 s",
        "3 s", "a: b", "a #b", "a:",  "#a",    "&a",       "*a",   "!a",   "|",    ">",    "'a'",     "\"a\"",
        "%a",  "@a",   "`a",   "[a]", "{a}",   "? a",      " a",   "a ",   "a\tb", "a\\b", "Łódź ę",  "-",
        "- a", "---",  "...",  ",a",  "? (7)", "K01:Out1", "\x01", "a\nb", "1:30", "+1",   "Śluza 1",
    };
    // Characters the reader refuses as they stand in a file (a C1 control, a
    // line or paragraph separator, a non-character), so they are escaped.
    values.insert(values.end(),
                  {"\xC2\x85", "a\xE2\x80\xA8z", "\xE2\x80\xA9", "\xEF\xBF\xBE", "\xEF\xBF\xBF", "a\rz"});
    std::vector<ExportedController> exported(1);
    exported[0].Name = "K01_01101";
    for (size_t i = 0; i < values.size(); ++i)
        exported[0].Fields.push_back({"S", "", "L" + std::to_string(i), values[i], "", "", ""});
    const SiteFile file = ReadWithoutProblems(SiteFileText(exported));
    ASSERT_EQ(file.Controllers.size(), 1u);
    ASSERT_EQ(file.Controllers[0].Fields.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(file.Controllers[0].Fields[i].Text, values[i]) << i;
}

// YAML takes a key on its value's line up to 1,024 bytes as written; longer
// names, sections, groups and labels still read back as they were.
TEST(SiteFileText, LongKeysReadBackUnchanged)
{
    std::string polish;
    for (int i = 0; i < 513; ++i)
        polish += "ś";
    const std::vector<std::string> keys = {std::string(1024, 'a'), std::string(1025, 'b'), polish,
                                           "\"" + std::string(1100, 'c')};
    std::vector<ExportedController> exported;
    for (const std::string& key : keys)
        exported.push_back({key, {{key, key, key, key, "", "", ""}, {key, "", "L", "1", "", "", ""}}});
    const SiteFile file = ReadWithoutProblems(SiteFileText(exported));
    ASSERT_EQ(file.Controllers.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const WantedController& c = file.Controllers[i];
        EXPECT_EQ(c.Name, keys[i]) << i;
        ASSERT_EQ(c.Fields.size(), 2u) << i;
        EXPECT_EQ(std::vector<std::string>(
                      {c.Fields[0].Section, c.Fields[0].Group, c.Fields[0].Label, c.Fields[0].Text}),
                  std::vector<std::string>(4, keys[i]))
            << i;
        EXPECT_EQ(c.Fields[1].Section + "|" + c.Fields[1].Label + "|" + c.Fields[1].Text, keys[i] + "|L|1")
            << i;
    }
}

}  // namespace
}  // namespace quor::site
