// The two help documents as built into the program: their format, their
// outline and the characters they use.
#include "help/HelpDocs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "help/RtfReader.h"
#include "text/Cp1250.h"

namespace quor {
namespace {

using rtf::Paragraph;
using TextRun = rtf::Run;

struct Expected {
    int Index;
    const char* Title;
    const char* File;
    std::vector<std::string> Headings;  // "1 text" or "2 text"
    std::vector<std::string> Terms;     // of the definition list
    std::vector<std::string> Italic;    // names that stand in italics
    std::vector<std::string> Bullets;   // entries per level-2 section: "heading: count"
    std::vector<std::string> Words;     // what the installer must find in the text
};

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << e.Title;
}

const Expected Docs[] = {
    {0,
     "Okno Ethernet",
     "ethernet.rtf",
     {"1 Tryby serwisowe kontrolera", "2 Instalacja", "2 Serwis", "2 Konfiguracja", "1 Inne urządzenia"},
     {"Instalacja", "Serwis", "Konfiguracja", "Blokada", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
      "11"},
     {"Ethernet", "Instalacja", "Serwis", "Konfiguracja", "Blokada", "www", "Przeszukaj sieć", "Zmień tryb",
      "Niedostępny"},
     {"Serwis: 3", "Konfiguracja: 5"},
     {"--interface NAZWA", "--target ADRES/PREFIKS", "najwyżej 100 urządzeń", "(r.'D')", "błąd nr 4",
      "port UDP 45389", "brak przeglądarki internetowej"}},
    {1,
     "Okno kontrolera",
     "controller.rtf",
     {"1 Okno wybranego kontrolera", "1 Lista urządzeń magistrali RS485",
      "2 Usuwanie urządzeń trwale odłączonych", "2 Wymiana uszkodzonego urządzenia"},
     {"nieaktywny", "zasilanie!", "sabotaż", "nowy"},
     {"Ethernet",
      "Usuń nieaktywne",
      "Zastępowanie",
      "Zastąp",
      "Stary",
      "Nowy",
      "Zapisz konfigurację",
      "Kontroler",
      "Czytnik",
      "Terminal",
      "Zamek",
      "Klawiatura",
      "Interfejs",
      "Moduł",
      "Ctr",
      "Nieznany",
      "Nazwa pomieszczenia",
      "Opis lokalizacji kontrolera",
      "Nr pociągu",
      "Czujnik otwarcia"},
     {"Lista urządzeń magistrali RS485: 3", "Wymiana uszkodzonego urządzenia: 6"},
     {"„Niezapisane zmiany”", "Kontynuować?", "? (Out1)", "[ \\ ] ^ _ `", "3,7 zostaje zapamiętany jako 3,5",
      "RRRR-MM-DD K01_12345", "CR LF"}},
};

class HelpDocument : public ::testing::TestWithParam<Expected> {
protected:
    const HelpDoc& Doc() const { return *FindHelpDoc(GetParam().Index); }
};

bool IsHeading(const Paragraph& p)
{
    return std::any_of(p.Runs.begin(), p.Runs.end(),
                       [](const TextRun& r) { return r.Format.HalfPoints != 24; });
}

std::string HeadingText(const Paragraph& p)
{
    const bool allBold =
        std::all_of(p.Runs.begin(), p.Runs.end(), [](const TextRun& r) { return r.Format.Bold; });
    const int size = p.Runs.front().Format.HalfPoints;
    if (allBold && size == 32 && p.LeftIndent == 0) {
        return "1 " + rtf::PlainText(p);
    }
    if (allBold && size == 28 && p.LeftIndent > 0) {
        return "2 " + rtf::PlainText(p);
    }
    return "? " + rtf::PlainText(p);
}

TEST_P(HelpDocument, TitleAndBytesAsShipped)
{
    EXPECT_EQ(Doc().Title, GetParam().Title);
    std::ifstream in(std::string(QUOR_HELP_DOCS_DIR) + "/" + GetParam().File, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(Doc().Rtf.size(), file.size());
    EXPECT_TRUE(Doc().Rtf == file);
}

TEST_P(HelpDocument, PageAndEncoding)
{
    const std::string_view rtf = Doc().Rtf;
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi"));
    EXPECT_NE(rtf.find("\\paperw11906\\paperh16838\\margl1134\\margr1134"), std::string_view::npos);
    EXPECT_NE(rtf.find("\\uc1"), std::string_view::npos);
    EXPECT_TRUE(
        std::all_of(rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));

    // Every Unicode escape is followed by its own Windows-1250 byte, checked
    // through the program's own conversion.
    const std::string text(rtf);
    const std::regex escape(R"(\\u(-?[0-9]+)\\'([0-9a-f]{2}))");
    int escapes = 0;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), escape); m != std::sregex_iterator(); ++m) {
        int code = std::stoi((*m)[1]);
        code = code < 0 ? code + 65536 : code;
        std::string utf8;
        AppendUtf8(utf8, static_cast<char32_t>(code));
        EXPECT_EQ(ToCp1250(utf8), std::string(1, static_cast<char>(std::stoi((*m)[2], nullptr, 16))))
            << (*m)[0];
        ++escapes;
    }
    const std::regex anyEscape(R"(\\u-?[0-9])");
    EXPECT_EQ(escapes, std::distance(std::sregex_iterator(text.begin(), text.end(), anyEscape),
                                     std::sregex_iterator()));
    EXPECT_GT(escapes, 100);
}

TEST_P(HelpDocument, ParsesCompletelyInTimesNewRoman)
{
    const std::string_view rtf = Doc().Rtf;
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;  // an escaped brace is no group
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            --depth;
            ASSERT_GE(depth, 0) << "at byte " << i;
        }
    }
    EXPECT_EQ(depth, 0);

    const rtf::Document doc = rtf::ReadRtf(rtf);
    ASSERT_EQ(doc.Fonts.size(), 1u);
    EXPECT_EQ(doc.Fonts.at(0), "Times New Roman");
    ASSERT_GT(doc.Paragraphs.size(), 20u);
    for (const Paragraph& p : doc.Paragraphs) {
        const std::string text = rtf::PlainText(p);
        EXPECT_FALSE(text.empty());
        // Nothing the Windows-1250 fallback could not show.
        const std::string cp1250 = ToCp1250(text);
        EXPECT_EQ(std::count(cp1250.begin(), cp1250.end(), '?'), std::count(text.begin(), text.end(), '?'))
            << text;
        for (const TextRun& r : p.Runs) {
            EXPECT_EQ(r.Format.Font, 0) << r.Text;
            if (!IsHeading(p)) {
                EXPECT_EQ(r.Format.HalfPoints, 24) << r.Text;
            }
        }
    }
}

TEST_P(HelpDocument, HeadingsOfTheOutline)
{
    std::vector<std::string> headings;
    for (const Paragraph& p : rtf::ReadRtf(Doc().Rtf).Paragraphs) {
        if (IsHeading(p)) {
            headings.push_back(HeadingText(p));
        }
    }
    EXPECT_EQ(headings, GetParam().Headings);
}

TEST_P(HelpDocument, DefinitionListWithHangingIndent)
{
    std::vector<std::string> terms;
    for (const Paragraph& p : rtf::ReadRtf(Doc().Rtf).Paragraphs) {
        if (p.Runs.size() >= 2 && p.Runs[0].Format.Bold && !IsHeading(p) &&
            p.Runs[1].Text.starts_with("\t- ")) {
            terms.push_back(p.Runs[0].Text);
            EXPECT_LT(p.FirstIndent, 0);
            EXPECT_EQ(p.Tabs, std::vector<int>{p.LeftIndent});
        }
    }
    EXPECT_EQ(terms, GetParam().Terms);
}

TEST_P(HelpDocument, BulletListsUnderTheirHeadings)
{
    std::vector<std::string> counts;
    std::string heading;
    int bullets = 0;
    const auto close = [&] {
        if (bullets > 0) {
            counts.push_back(heading + ": " + std::to_string(bullets));
        }
        bullets = 0;
    };
    for (const Paragraph& p : rtf::ReadRtf(Doc().Rtf).Paragraphs) {
        if (IsHeading(p)) {
            close();
            heading = rtf::PlainText(p);
        } else if (rtf::PlainText(p).starts_with("•\t")) {
            ++bullets;
            EXPECT_LT(p.FirstIndent, 0);
            EXPECT_EQ(p.Tabs, std::vector<int>{p.LeftIndent});
        }
    }
    close();
    for (const std::string& expected : GetParam().Bullets) {
        EXPECT_NE(std::find(counts.begin(), counts.end(), expected), counts.end()) << expected;
    }
}

TEST_P(HelpDocument, NamesInItalics)
{
    std::vector<std::string> italic;
    for (const Paragraph& p : rtf::ReadRtf(Doc().Rtf).Paragraphs) {
        for (const TextRun& r : p.Runs) {
            if (r.Format.Italic) {
                italic.push_back(r.Text);
            }
        }
    }
    for (const std::string& name : GetParam().Italic) {
        EXPECT_NE(std::find(italic.begin(), italic.end(), name), italic.end()) << name;
    }
}

TEST_P(HelpDocument, SaysWhatTheInstallerNeeds)
{
    std::string text;
    for (const Paragraph& p : rtf::ReadRtf(Doc().Rtf).Paragraphs) {
        text += rtf::PlainText(p) + "\n";
    }
    for (const std::string& words : GetParam().Words) {
        EXPECT_NE(text.find(words), std::string::npos) << words;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, HelpDocument, ::testing::ValuesIn(Docs),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.Index == 0 ? "Ethernet" : "Controller");
                         });

TEST(FindHelpDoc, OnlyTheTwoIndexes)
{
    EXPECT_EQ(FindHelpDoc(-1), nullptr);
    EXPECT_EQ(FindHelpDoc(2), nullptr);
    EXPECT_NE(FindHelpDoc(0), nullptr);
    EXPECT_NE(FindHelpDoc(1), nullptr);
}

}  // namespace
}  // namespace quor
