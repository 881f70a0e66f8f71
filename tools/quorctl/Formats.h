#pragma once
// The machine-readable forms quorctl writes: CSV records, JSON text and the
// hexadecimal spellings of identities and bytes.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quor::tools {

// Objects keep their keys in the order written, so the output reads in a fixed order.
using Json = nlohmann::ordered_json;

// One CSV record as RFC 4180 has it: a field holding a comma, a double quote,
// CR or LF is quoted (its quotes doubled); the record ends in CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

// Indented JSON text and a line end; bytes that are no UTF-8 become U+FFFD.
std::string JsonText(const Json& value);

// "0x212D044D".
std::string IdText(uint32_t id);
// The identity IdText spells; throws std::invalid_argument for any other text.
uint32_t ParseIdText(std::string_view text);

// "01 04 0A": two upper-case hexadecimal digits a byte, blank-separated.
std::string HexText(std::span<const uint8_t> bytes);
// The bytes of hex text: pairs of hexadecimal digits, blanks between them
// optional. Throws std::invalid_argument for anything else.
std::vector<uint8_t> ParseHexText(std::string_view text);

}  // namespace quor::tools
