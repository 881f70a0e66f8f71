#pragma once
// Reading pieces of a scenario file, each with an error message that names
// the place in the file. Internal to the scenario loader.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "sim/BlockShape.h"
#include "sim/BusConfig.h"
#include "sim/EmuDevice.h"

namespace quor::sim::scenario {

using Json = nlohmann::json;

[[noreturn]] void Fail(const std::string& where, const std::string& what);
// Every key of obj must be one of `allowed` (or "note", free text for the reader).
void CheckKeys(const Json& obj, const std::string& where, std::initializer_list<std::string_view> allowed);
const Json& ObjectAt(const Json& parent, const char* key, const std::string& where);
// Whether value is a whole number from lo to hi. A number beyond the range of
// int64_t is out of range, never wrapped into it.
bool WholeIn(const Json& value, int64_t lo, int64_t hi);
// A value for an error message: a list or an object only as [...] or {...},
// so that a deeply nested one costs no deep recursion.
std::string Shown(const Json& value);
int IntAt(const Json& obj, const char* key, const std::string& where, int lo, int hi, int fallback);
bool BoolAt(const Json& obj, const char* key, const std::string& where, bool fallback);
std::string StringAt(const Json& obj, const char* key, const std::string& where, const std::string& fallback);

// The identity from "id" (hex text or a number) or from "model", "serial" and "variant".
uint32_t ReadIdentity(const Json& obj, const std::string& where);
// The bus of a controller and its kind, door count and train flag.
BusConfig ReadBus(const Json& device, uint32_t selfId, const std::string& where);
// The stored blocks: defaults for every block the kind holds, then the described ones.
void ReadBlocks(const Json& device, EmuController& controller, const std::string& where);

// Pieces of a block.
enum class Group { Out, Set, In, Rd };
// A reference written "<entry>:<Out|In|Rd|Set><number from 1>[ NC]", or null for none.
uint16_t ReadRef(const Json& value, Group group, const BusConfig& bus, const std::string& where);
void ReadRefAt(const Json& obj, const char* key, Group group, uint16_t& slot, const BusConfig& bus,
               const std::string& where);
void ReadReaders(const Json& obj, BlockContent& content, const BusConfig& bus, const std::string& where);
// "slots" (any slot by group and number from 0) and "param_bytes" (raw parameter bytes), applied last.
void ReadSlotsAndParams(const Json& obj, const BlockShape& shape, BlockContent& content, const BusConfig& bus,
                        const std::string& where);
// A time in seconds, whole or with ",5", kept in half seconds.
uint8_t HalfSecondsAt(const Json& obj, const char* key, const std::string& where, uint8_t fallback);
BlockContent ReadLift(const Json& lift, const BusConfig& bus, const std::string& where);
BlockContent ReadLockers(const Json& lockers, const BusConfig& bus, const std::string& where);

}  // namespace quor::sim::scenario
