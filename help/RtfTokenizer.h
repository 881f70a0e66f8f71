#pragma once
// Splits RTF bytes into tokens: group braces, control words with their
// optional numeric parameter, control symbols, \'hh bytes and plain text.
// It never fails: whatever does not make a token is passed over, and every
// call consumes at least one byte until End.

#include <cstdint>
#include <string_view>

namespace quor::rtf {

enum class TokenKind {
    GroupOpen,
    GroupClose,
    ControlWord,    // Word, with Param when HasParam
    ControlSymbol,  // Symbol: the character after the backslash
    HexByte,        // Byte: the value of \'hh
    Text,           // Word: plain bytes, neither braces, backslashes nor line ends
    End,
};

struct Token {
    TokenKind Kind = TokenKind::End;
    std::string_view Word;
    bool HasParam = false;
    int32_t Param = 0;
    char Symbol = 0;
    uint8_t Byte = 0;
};

// Limits that keep hostile input cheap: a longer word is cut (its letters are
// still consumed), a larger parameter is held at the bound with its sign.
inline constexpr size_t MaxWordLength = 32;
inline constexpr int32_t MaxParam = 999999999;

class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input) : In(input) {}

    Token Next();

private:
    // Reads what follows a backslash; false when it makes no token.
    bool Control(Token& token);
    Token Plain();

    std::string_view In;
    size_t Pos = 0;
};

}  // namespace quor::rtf
