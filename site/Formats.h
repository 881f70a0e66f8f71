#pragma once
// The machine-readable forms of the backup file and of quorctl's listings:
// JSON text, the hexadecimal spellings of identities and bytes, and a bus
// table entry and a kind as JSON.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Hardres.h"

namespace quor::site {

// Objects keep their keys in the order written, so the output reads in a fixed order.
using Json = nlohmann::ordered_json;

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

// {entry, name, connection, kind, status, id, model, serial, conn, flags,
// outputs, fixed_outputs, inputs, readers, output_sets} of a present entry.
Json EntryJson(const BusDevTable& table, int entry);

}  // namespace quor::site
