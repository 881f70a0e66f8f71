#include "help/RtfTokenizer.h"

#include <algorithm>

namespace quor::rtf {

namespace {

Token Of(TokenKind kind)
{
    Token t;
    t.Kind = kind;
    return t;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

Token RtfTokenizer::Next()
{
    while (Pos < In.size()) {
        const char c = In[Pos];
        if (c == '{') {
            ++Pos;
            return Of(TokenKind::GroupOpen);
        }
        if (c == '}') {
            ++Pos;
            return Of(TokenKind::GroupClose);
        }
        if (c == '\\') {
            Token token;
            if (Control(token)) {
                return token;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++Pos;  // line ends in the file are not text
            continue;
        }
        return Plain();
    }
    return Token{};
}

Token RtfTokenizer::Plain()
{
    const size_t start = Pos;
    while (Pos < In.size() && In[Pos] != '{' && In[Pos] != '}' && In[Pos] != '\\' && In[Pos] != '\r' &&
           In[Pos] != '\n') {
        ++Pos;
    }
    Token t = Of(TokenKind::Text);
    t.Word = In.substr(start, Pos - start);
    return t;
}

bool RtfTokenizer::Control(Token& token)
{
    ++Pos;  // the backslash
    if (Pos >= In.size()) {
        return false;
    }
    const char first = In[Pos];
    if (!IsLetter(first)) {
        ++Pos;
        if (first == '\'') {
            const int high = Pos < In.size() ? HexValue(In[Pos]) : -1;
            const int low = Pos + 1 < In.size() ? HexValue(In[Pos + 1]) : -1;
            if (high < 0 || low < 0) {
                return false;  // a broken \' shows nothing
            }
            Pos += 2;
            token = Of(TokenKind::HexByte);
            token.Byte = static_cast<uint8_t>(high << 4 | low);
            return true;
        }
        // A backslash before a line end is a paragraph end.
        token = Of(TokenKind::ControlSymbol);
        token.Symbol = first == '\r' ? '\n' : first;
        return true;
    }
    const size_t start = Pos;
    while (Pos < In.size() && IsLetter(In[Pos])) {
        ++Pos;
    }
    token = Of(TokenKind::ControlWord);
    token.Word = In.substr(start, std::min(Pos - start, MaxWordLength));
    bool negative = false;
    if (Pos + 1 < In.size() && In[Pos] == '-' && IsDigit(In[Pos + 1])) {
        negative = true;
        ++Pos;
    }
    if (Pos < In.size() && IsDigit(In[Pos])) {
        token.HasParam = true;
        int32_t value = 0;
        for (; Pos < In.size() && IsDigit(In[Pos]); ++Pos) {
            value = value > (MaxParam - (In[Pos] - '0')) / 10 ? MaxParam : value * 10 + (In[Pos] - '0');
        }
        token.Param = negative ? -value : value;
    }
    if (Pos < In.size() && In[Pos] == ' ') {
        ++Pos;  // the delimiting blank belongs to the word
    }
    return true;
}

}  // namespace quor::rtf
