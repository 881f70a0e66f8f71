#pragma once
// The hexadecimal spellings of device identities and of bytes, as files and
// listings write them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// "0x212D044D".
std::string IdText(uint32_t id);
// The identity IdText spells; throws std::invalid_argument for any other text.
uint32_t ParseIdText(std::string_view text);

// "01 04 0A": two upper-case hexadecimal digits a byte, blank-separated.
std::string HexText(std::span<const uint8_t> bytes);
// The bytes of hex text: pairs of hexadecimal digits, blanks between them
// optional. Throws std::invalid_argument for anything else.
std::vector<uint8_t> ParseHexText(std::string_view text);

}  // namespace quor
