#include "help/RtfReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quor::rtf {
namespace {

// A paragraph per line: its indents, spacing and tab stops when set, then
// its runs, each with its format when it differs from plain 12-point text.
std::string Dump(const Document& doc)
{
    std::string out;
    for (const Paragraph& p : doc.Paragraphs) {
        const auto field = [&out](const char* name, int value) {
            if (value != 0) {
                out += name + std::to_string(value) + " ";
            }
        };
        field("li", p.LeftIndent);
        field("fi", p.FirstIndent);
        field("sb", p.SpaceBefore);
        field("sa", p.SpaceAfter);
        for (int tab : p.Tabs) {
            out += "tx" + std::to_string(tab) + " ";
        }
        out += "|";
        for (const Run& r : p.Runs) {
            out += " ";
            out += r.Format.Bold ? "b" : "";
            out += r.Format.Italic ? "i" : "";
            out += r.Format.HalfPoints != 24 ? "fs" + std::to_string(r.Format.HalfPoints) : "";
            out += r.Format.Font != -1 ? "f" + std::to_string(r.Format.Font) : "";
            out += "\"" + r.Text + "\"";
        }
        out += "\n";
    }
    return out;
}

struct Case {
    const char* Name;
    std::string Input;
    std::string Expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.Name;
}

const Case Cases[] = {
    // Paragraphs and character formats.
    {"paragraphs", "{\\rtf1 One\\par Two\\par}", "| \"One\"\n| \"Two\"\n"},
    {"empty paragraph", "{\\rtf1 \\par}", "|\n"},
    {"last paragraph without \\par", "{\\rtf1 One}", "| \"One\"\n"},
    {"bold and italic on and off", "{\\rtf1 a\\b b\\i c\\b0 d\\i0 e\\par}",
     "| \"a\" b\"b\" bi\"c\" i\"d\" \"e\"\n"},
    {"a group's end restores the format", "{\\rtf1 a{\\b b{\\i c}d}e\\par}",
     "| \"a\" b\"b\" bi\"c\" b\"d\" \"e\"\n"},
    {"font size", "{\\rtf1\\fs32 Big\\fs24  small\\par}", "| fs32\"Big\" \" small\"\n"},
    {"\\plain resets the characters, not the paragraph", "{\\rtf1\\li567\\b\\i\\fs28 x\\plain y\\par}",
     "li567 | bifs28\"x\" \"y\"\n"},
    {"\\pard resets the paragraph", "{\\rtf1\\li567\\fi-283\\tx1134\\sb120\\sa60 a\\par\\pard b\\par}",
     "li567 fi-283 sb120 sa60 tx1134 | \"a\"\n| \"b\"\n"},
    {"hanging indent, tab stop and tab",
     "{\\rtf1\\pard\\li2835\\fi-2268\\tx2835 {\\b Serwis}\\tab - opis\\par}",
     "li2835 fi-2268 tx2835 | b\"Serwis\" \"\t- opis\"\n"},
    {"line break inside a paragraph", "{\\rtf1 a\\line b\\par}", "| \"a\nb\"\n"},
    {"literal tab byte is a tab; line ends in the file are nothing", "{\\rtf1 a\tb\r\nc\\par}",
     "| \"a\tbc\"\n"},
    {"paragraph format taken at \\par", "{\\rtf1 a\\li567\\par}", "li567 | \"a\"\n"},
    {"empty paragraph sized by its mark", "{\\rtf1\\fs32\\par}", "|\n"},

    // Polish letters through both escapes.
    {"Unicode escapes with their fallback bytes", "{\\rtf1\\uc1 \\u321\\'a3\\u243\\'f3d\\u378\\'9f\\par}",
     "| \"Łódź\"\n"},
    {"Windows-1250 bytes", "{\\rtf1 \\'a3\\'f3d\\'9f \\'a5\\'e6\\'ea\\'f1\\'9c\\'bf\\'8c\\'af\\par}",
     "| \"Łódź ĄćęńśżŚŻ\"\n"},
    {"raw Windows-1250 text bytes", "{\\rtf1 \xb3\xb9ka\\par}", "| \"łąka\"\n"},
    {"fallback skipped is a plain byte", "{\\rtf1\\uc1\\u322 lx\\par}", "| \"łx\"\n"},
    {"\\uc0: nothing to skip", "{\\rtf1\\uc0\\u322 x\\par}", "| \"łx\"\n"},
    {"\\uc2 skips two bytes", "{\\rtf1\\uc2\\u322\\'b3\\'b3x\\par}", "| \"łx\"\n"},
    {"\\uc ends with its group", "{\\rtf1{\\uc2\\u322 ab}\\u322 cd\\par}", "| \"łłd\"\n"},
    {"a brace ends the fallback", "{\\rtf1\\uc3\\u322{x}\\par}", "| \"łx\"\n"},
    {"negative escape is 65536 less", "{\\rtf1\\u-28?\\par}", "| \"\xEF\xBF\xA4\"\n"},
    {"undefined Windows-1250 byte", "{\\rtf1 \\'81\\par}", "| \"\xEF\xBF\xBD\"\n"},
    {"symbols", "{\\rtf1 \\{\\}\\\\\\~\\bullet\\endash\\emdash\\ldblquote\\rdblquote\\par}",
     "| \"{}\\\xC2\xA0•–—“”\"\n"},
    {"backslash before a line end ends the paragraph", "{\\rtf1 a\\\nb}", "| \"a\"\n| \"b\"\n"},

    // What is not shown.
    {"destinations skipped, font names read",
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset238 Times New Roman;}{\\f1 Tahoma;}}"
     "{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title Tytul}}"
     "{\\*\\generator Riched20;}\\f1 Text\\f0 x\\par}",
     "| f1\"Text\" f0\"x\"\n"},
    {"unknown words and ignorable destinations",
     "{\\rtf1\\foo12 \\viewkind4 a{\\*\\bar hidden{deeper}}b\\par}", "| \"ab\"\n"},
    {"picture skipped", "{\\rtf1 a{\\pict\\pngblip 89504e47}b\\par}", "| \"ab\"\n"},

    // Malformed input shows what it can.
    {"braces too many", "{\\rtf1 a}}} b\\par}", "| \"a b\"\n"},
    {"braces missing", "{\\rtf1{\\b bold", "| b\"bold\"\n"},
    {"\\u cut at the end", "{\\rtf1 x\\u", "| \"x\"\n"},
    {"\\u without a number", "{\\rtf1 x\\u-y\\par}", "| \"x-y\"\n"},
    {"\\u beyond Unicode", "{\\rtf1\\u99999999999 ?y\\par}", "| \"\xEF\xBF\xBDy\"\n"},
    {"\\u of a surrogate", "{\\rtf1\\u-10240?\\par}", "| \"\xEF\xBF\xBD\"\n"},
    {"\\u0 shows nothing", "{\\rtf1 a\\u0?b\\par}", "| \"ab\"\n"},
    {"huge parameters held at their bounds", "{\\rtf1\\li99999999999\\fi-99999999999\\fs99999999999 x\\par}",
     "li31680 fi-31680 | fs200\"x\"\n"},
    {"\\fs0 is the default size", "{\\rtf1\\fs0 x\\par}", "| \"x\"\n"},
    {"too many tab stops",
     "{\\rtf1" +
         [] {
             std::string s;
             for (int i = 1; i <= 40; ++i) {
                 s += "\\tx" + std::to_string(i);
             }
             return s;
         }() +
         " x\\par}",
     [] {
         std::string s;
         for (int i = 1; i <= 32; ++i) {
             s += "tx" + std::to_string(i) + " ";
         }
         return s + "| \"x\"\n";
     }()},
    {"nesting beyond the limit is passed over whole",
     "{\\rtf1 a" + std::string(1000, '{') + "deep" + std::string(1000, '}') + "b\\par}", "| \"ab\"\n"},
    {"nesting never closed", "{\\rtf1 a\\par" + std::string(100000, '{') + "x", "| \"a\"\n"},
    {"nesting just below the limit still shows", std::string(63, '{') + "x" + std::string(63, '}'),
     "| \"x\"\n"},
};

class ReaderCase : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderCase, Paragraphs)
{
    EXPECT_EQ(Dump(ReadRtf(GetParam().Input)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(RtfReader, ReaderCase, ::testing::ValuesIn(Cases));

TEST(RtfReader, FontTableNamesByNumber)
{
    const Document doc = ReadRtf("{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f3 \\'a3ad;}}x}");
    ASSERT_EQ(doc.Fonts.size(), 2u);
    EXPECT_EQ(doc.Fonts.at(0), "Times New Roman");
    EXPECT_EQ(doc.Fonts.at(3), "Ład");
}

TEST(RtfReader, EmptyParagraphKeepsItsMarkFormat)
{
    const Document doc = ReadRtf("{\\rtf1\\b\\fs32\\par}");
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_TRUE(doc.Paragraphs[0].Mark.Bold);
    EXPECT_EQ(doc.Paragraphs[0].Mark.HalfPoints, 32);
}

}  // namespace
}  // namespace quor::rtf
