#pragma once
// Reading the files this program writes as JSON (a backup, a saved plan):
// each member taken with its place in the file, so that a damaged file is
// refused naming where ("bus[3].conn: expected a whole number from 0 to 255").

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "site/Formats.h"

namespace quor::site {

// A fault in a file that claims to be one of ours.
struct Damage : std::runtime_error {
    Damage(const std::string& where, const std::string& what) : std::runtime_error(where + ": " + what) {}
};

// where.key, or key at the top.
std::string Place(const std::string& where, const char* key);

const Json& Member(const Json& obj, const char* key, const std::string& where);
int64_t WholeAt(const Json& obj, const char* key, const std::string& where, int64_t lo, int64_t hi);
std::string TextAt(const Json& obj, const char* key, const std::string& where);
// Bytes in HexText's spelling.
std::vector<uint8_t> BytesAt(const Json& obj, const char* key, const std::string& where);

}  // namespace quor::site
