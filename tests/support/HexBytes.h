#pragma once
// Byte strings written the way a capture shows them: "8C 44 73 9B".

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quor::test {

inline std::vector<uint8_t> HexBytes(std::string_view text)
{
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::vector<uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\n')
            continue;
        const int value = nibble(c);
        if (value < 0)
            throw std::invalid_argument("HexBytes: not a hex digit");
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | value));
            high = -1;
        }
    }
    if (high >= 0)
        throw std::invalid_argument("HexBytes: odd number of digits");
    return bytes;
}

// The reverse, for failure messages: "8C 44 73 9B".
inline std::string HexText(std::span<const uint8_t> bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += Digits[b >> 4];
        text += Digits[b & 15];
    }
    return text;
}

}  // namespace quor::test
