#include "text/HexText.h"

#include <cstdio>
#include <stdexcept>

namespace quor {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::string IdText(uint32_t id)
{
    char text[12];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

uint32_t ParseIdText(std::string_view text)
{
    if (text.size() != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        throw std::invalid_argument("expected 0x and eight hexadecimal digits");
    uint32_t id = 0;
    for (char c : text.substr(2)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            throw std::invalid_argument("expected 0x and eight hexadecimal digits");
        id = id << 4 | static_cast<uint32_t>(digit);
    }
    return id;
}

std::string HexText(std::span<const uint8_t> bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += pair;
    }
    return text;
}

std::vector<uint8_t> ParseHexText(std::string_view text)
{
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
        if (Blank(text[i])) {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0)
            throw std::invalid_argument("expected pairs of hexadecimal digits");
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        i += 2;
    }
    return bytes;
}

}  // namespace quor
