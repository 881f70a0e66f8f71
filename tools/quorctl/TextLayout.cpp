#include "tools/quorctl/TextLayout.h"

namespace quor::tools {

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
