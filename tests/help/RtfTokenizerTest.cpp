#include "help/RtfTokenizer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quor::rtf {
namespace {

// The tokens of input, one per line: { } \word \wordN \'hh \symbol "text".
std::string Tokens(std::string_view input)
{
    RtfTokenizer tokens(input);
    std::string out;
    for (Token t = tokens.Next(); t.Kind != TokenKind::End; t = tokens.Next()) {
        switch (t.Kind) {
        case TokenKind::GroupOpen:
            out += "{";
            break;
        case TokenKind::GroupClose:
            out += "}";
            break;
        case TokenKind::ControlWord:
            out += "\\" + std::string(t.Word) + (t.HasParam ? std::to_string(t.Param) : "");
            break;
        case TokenKind::ControlSymbol:
            out += std::string("\\") + (t.Symbol == '\n' ? std::string("LF") : std::string(1, t.Symbol));
            break;
        case TokenKind::HexByte: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", t.Byte);
            out += hex;
            break;
        }
        case TokenKind::Text:
            out += "\"" + std::string(t.Word) + "\"";
            break;
        case TokenKind::End:
            break;
        }
        out += " ";
    }
    return out;
}

struct Case {
    const char* Name;
    std::string_view Input;
    const char* Expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.Name;
}

const Case Cases[] = {
    {"groups and text", "{a}{}", "{ \"a\" } { } "},
    {"word without parameter", "\\par x", "\\par \"x\" "},
    {"blank after a word belongs to it, the next one is text", "\\b  x", "\\b \" x\" "},
    {"parameter", "\\fs24x", "\\fs24 \"x\" "},
    {"negative parameter", "\\fi-2268 ", "\\fi-2268 "},
    {"minus without digits is text", "\\u-x", "\\u \"-x\" "},
    {"word ends at a non-letter", "\\tab\\par;", "\\tab \\par \";\" "},
    {"hex byte, either case", "\\'b3\\'B3", "\\'b3 \\'b3 "},
    {"control symbols", "\\{\\}\\\\\\~\\*", "\\{ \\} \\\\ \\~ \\* "},
    {"backslash before a line end", "a\\\nb\\\r\nc", "\"a\" \\LF \"b\" \\LF \"c\" "},
    {"line ends are no text", "a\r\nb\n", "\"a\" \"b\" "},
    {"bytes above 127 are text", "\xb3\xf3", "\"\xb3\xf3\" "},
    {"broken hex byte shows its rest as text", "\\'4z", "\"4z\" "},
    {"hex byte cut at the end", "x\\'b", "\"x\" \"b\" "},
    {"backslash at the end", "x\\", "\"x\" "},
    {"parameter held at its bound", "\\fs123456789012 x", "\\fs999999999 \"x\" "},
    {"negative parameter held at its bound", "\\li-99999999999", "\\li-999999999 "},
    {"word cut at 32 letters", "\\abcdefghijklmnopqrstuvwxyzabcdefghijkl7 x",
     "\\abcdefghijklmnopqrstuvwxyzabcdef7 \"x\" "},
};

class TokenizerCase : public ::testing::TestWithParam<Case> {};

TEST_P(TokenizerCase, Tokens)
{
    EXPECT_EQ(Tokens(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(RtfTokenizer, TokenizerCase, ::testing::ValuesIn(Cases));

}  // namespace
}  // namespace quor::rtf
