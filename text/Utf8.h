#pragma once
// The program's own text is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace quor {

// What stands for a character that cannot be shown.
inline constexpr char32_t Replacement = 0xFFFD;

// Appends c in UTF-8; a surrogate or a value beyond Unicode appends Replacement.
void AppendUtf8(std::string& out, char32_t c);

// The length of the well-formed UTF-8 sequence at the start of text (no
// overlong forms, no surrogates, nothing above U+10FFFF); 0 when there is none.
size_t Utf8SequenceLength(std::string_view text);
// The character of one well-formed sequence, as Utf8SequenceLength measures it.
char32_t Utf8Char(std::string_view sequence);

// Characters of UTF-8 text (every byte that does not continue a sequence starts one).
size_t Utf8Length(std::string_view text);
// The first characters of UTF-8 text, counted as Utf8Length counts them.
std::string ClipUtf8(std::string_view text, size_t characters);

}  // namespace quor
