#pragma once
// The help documents' 8-bit text is Windows-1250; the reader hands out UTF-8.

#include <cstdint>
#include <string>

namespace quor::rtf {

inline constexpr char32_t Replacement = 0xFFFD;

// The character of a Windows-1250 byte; Replacement for the undefined ones.
char32_t FromCp1250(uint8_t byte);

// Appends c in UTF-8; a surrogate or a value beyond Unicode appends Replacement.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace quor::rtf
