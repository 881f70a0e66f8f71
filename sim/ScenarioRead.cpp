#include "sim/ScenarioRead.h"

#include <algorithm>
#include <stdexcept>

namespace quor::sim::scenario {

void Fail(const std::string& where, const std::string& what)
{
    throw std::runtime_error(where + ": " + what);
}

void CheckKeys(const Json& obj, const std::string& where, std::initializer_list<std::string_view> allowed)
{
    if (!obj.is_object())
        Fail(where, "expected an object");
    for (const auto& item : obj.items()) {
        if (item.key() != "note" && std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end())
            Fail(where, "unknown key \"" + item.key() + "\"");
    }
}

const Json& ObjectAt(const Json& parent, const char* key, const std::string& where)
{
    const Json& value = parent.at(key);
    if (!value.is_object())
        Fail(where + "." + key, "expected an object");
    return value;
}

bool WholeIn(const Json& value, int64_t lo, int64_t hi)
{
    if (value.is_number_unsigned()) {
        const uint64_t v = value.get<uint64_t>();
        return hi >= 0 && v <= static_cast<uint64_t>(hi) && static_cast<int64_t>(v) >= lo;
    }
    return value.is_number_integer() && value.get<int64_t>() >= lo && value.get<int64_t>() <= hi;
}

std::string Shown(const Json& value)
{
    if (value.is_array())
        return "[...]";
    if (value.is_object())
        return "{...}";
    return value.dump();
}

int IntAt(const Json& obj, const char* key, const std::string& where, int lo, int hi, int fallback)
{
    if (!obj.contains(key))
        return fallback;
    const Json& value = obj.at(key);
    if (!WholeIn(value, lo, hi))
        Fail(where + "." + key,
             "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return value.get<int>();
}

bool BoolAt(const Json& obj, const char* key, const std::string& where, bool fallback)
{
    if (!obj.contains(key))
        return fallback;
    if (!obj.at(key).is_boolean())
        Fail(where + "." + key, "expected true or false");
    return obj.at(key).get<bool>();
}

std::string StringAt(const Json& obj, const char* key, const std::string& where, const std::string& fallback)
{
    if (!obj.contains(key))
        return fallback;
    if (!obj.at(key).is_string())
        Fail(where + "." + key, "expected a text");
    return obj.at(key).get<std::string>();
}

// Bits 16-25 model code (type x 100 + model number), bits 28-30 name variant (2 standard).
uint32_t ReadIdentity(const Json& obj, const std::string& where)
{
    if (obj.contains("id")) {
        if (obj.contains("model") || obj.contains("serial") || obj.contains("variant"))
            Fail(where, "give either \"id\" or \"model\" and \"serial\", not both");
        const Json& id = obj.at("id");
        if (id.is_number_unsigned() && id.get<uint64_t>() <= 0xFFFFFFFF)
            return id.get<uint32_t>();
        if (id.is_string()) {
            const std::string text = id.get<std::string>();
            size_t used = 0;
            try {
                const unsigned long value = std::stoul(text, &used, 16);
                if (used == text.size() && value <= 0xFFFFFFFF)
                    return static_cast<uint32_t>(value);
            } catch (const std::exception&) {
            }
        }
        Fail(where + ".id", "expected a 32-bit identity, for example \"0x212D3039\"");
    }
    if (!obj.contains("model") || !obj.contains("serial"))
        Fail(where, "needs \"model\" and \"serial\" (or \"id\")");
    const auto model = static_cast<uint32_t>(IntAt(obj, "model", where, 0, 1023, 0));
    const auto serial = static_cast<uint32_t>(IntAt(obj, "serial", where, 0, 65535, 0));
    const auto variant = static_cast<uint32_t>(IntAt(obj, "variant", where, 0, 7, 2));
    return variant << 28 | model << 16 | serial;
}

}  // namespace quor::sim::scenario
