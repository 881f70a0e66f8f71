#include "tools/quorctl/TextLayout.h"

#include <cstdint>

namespace quor::tools {

size_t Utf8Length(std::string_view text)
{
    size_t count = 0;
    for (char c : text)
        count += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return count;
}

std::string ClipUtf8(std::string_view text, size_t characters)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<uint8_t>(text[i]) & 0xC0) != 0x80 && ++count > characters)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string PadLeft(std::string_view text, size_t width)
{
    const size_t length = Utf8Length(text);
    return std::string(length < width ? width - length : 0, ' ') + std::string(text);
}

std::string PadRight(std::string_view text, size_t width)
{
    const size_t length = Utf8Length(text);
    return std::string(text) + std::string(length < width ? width - length : 0, ' ');
}

std::string Field(std::string_view label, std::string_view value, size_t width)
{
    return PadLeft(label, width) + " " + std::string(value) + "\n";
}

}  // namespace quor::tools
