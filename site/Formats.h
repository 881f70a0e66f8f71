#pragma once
// The machine-readable forms of the backup file and of quorctl's listings:
// JSON text and a bus table entry as JSON; the hexadecimal spellings of
// identities and bytes come from text/HexText.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Hardres.h"
#include "text/HexText.h"

namespace quor::site {

// Objects keep their keys in the order written, so the output reads in a fixed order.
using Json = nlohmann::ordered_json;

// Indented JSON text and a line end; bytes that are no UTF-8 become U+FFFD.
std::string JsonText(const Json& value);

// {entry, name, connection, kind, status, id, model, serial, conn, flags,
// outputs, fixed_outputs, inputs, readers, output_sets} of a present entry.
Json EntryJson(const BusDevTable& table, int entry);

}  // namespace quor::site
