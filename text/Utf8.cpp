// Reading and writing UTF-8 by RFC 3629.
#include "text/Utf8.h"

#include <cstdint>

namespace quor {

namespace {

bool IsContinuation(char c)
{
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = Replacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

size_t Utf8SequenceLength(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    size_t length = 0;
    uint8_t low = 0x80;  // allowed range of the second byte
    uint8_t high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(text[i])) {
            return 0;
        }
    }
    return length;
}

char32_t Utf8Char(std::string_view sequence)
{
    static constexpr uint8_t LeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    if (sequence.empty() || sequence.size() > 4) {
        return Replacement;
    }
    char32_t c = static_cast<uint8_t>(sequence[0]) & LeadBits[sequence.size()];
    for (size_t i = 1; i < sequence.size(); ++i) {
        c = c << 6 | (static_cast<uint8_t>(sequence[i]) & 0x3F);
    }
    return c;
}

size_t Utf8Length(std::string_view text)
{
    size_t count = 0;
    for (char c : text) {
        count += !IsContinuation(c);
    }
    return count;
}

std::string ClipUtf8(std::string_view text, size_t characters)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuation(text[i]) && ++count > characters) {
            return std::string(text.substr(0, i));
        }
    }
    return std::string(text);
}

}  // namespace quor
