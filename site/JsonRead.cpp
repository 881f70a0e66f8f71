#include "site/JsonRead.h"

namespace quor::site {

std::string Place(const std::string& where, const char* key)
{
    return where.empty() ? key : where + "." + key;
}

const Json& Member(const Json& obj, const char* key, const std::string& where)
{
    if (!obj.is_object())
        throw Damage(where, "expected an object");
    const auto it = obj.find(key);
    if (it == obj.end())
        throw Damage(where, std::string("no \"") + key + "\"");
    return *it;
}

int64_t WholeAt(const Json& obj, const char* key, const std::string& where, int64_t lo, int64_t hi)
{
    const Json& value = Member(obj, key, where);
    if (!value.is_number_integer() || value.get<int64_t>() < lo || value.get<int64_t>() > hi)
        throw Damage(Place(where, key),
                     "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return value.get<int64_t>();
}

std::string TextAt(const Json& obj, const char* key, const std::string& where)
{
    const Json& value = Member(obj, key, where);
    if (!value.is_string())
        throw Damage(Place(where, key), "expected a text");
    return value.get<std::string>();
}

std::vector<uint8_t> BytesAt(const Json& obj, const char* key, const std::string& where)
{
    try {
        return ParseHexText(TextAt(obj, key, where));
    } catch (const std::invalid_argument& e) {
        throw Damage(Place(where, key), e.what());
    }
}

}  // namespace quor::site
