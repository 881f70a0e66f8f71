#include "text/Printable.h"

#include <algorithm>

#include "text/Utf8.h"

namespace quor {

namespace {

constexpr char Hex[] = "0123456789ABCDEF";

void AppendEscape(std::string& out, std::string_view prefix, unsigned code)
{
    out += prefix;
    out += Hex[code >> 4 & 0xF];
    out += Hex[code & 0xF];
}

}  // namespace

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Printable(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = Utf8SequenceLength(utf8.substr(i));
        if (length == 0)
            AppendEscape(out, "\\x", static_cast<unsigned char>(utf8[i]));
        else if (const char32_t c = Utf8Char(utf8.substr(i, length)); IsControl(c))
            AppendEscape(out, "\\x", c);
        else
            out.append(utf8.substr(i, length));
        i += std::max<size_t>(length, 1);
    }
    return out;
}

std::string JsonPrintable(std::string_view json)
{
    std::string out;
    out.reserve(json.size());
    for (size_t i = 0; i < json.size(); ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        const auto next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        if (byte == 0x7F) {
            AppendEscape(out, "\\u00", byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendEscape(out, "\\u00", next);
            ++i;
        } else {
            out += json[i];
        }
    }
    return out;
}

}  // namespace quor
