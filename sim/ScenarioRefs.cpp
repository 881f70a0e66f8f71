// Resource references and the generic slot and parameter overrides of a scenario block.

#include <cmath>
#include <optional>

#include "sim/ScenarioRead.h"

namespace quor::sim::scenario {

namespace {

const char* const GroupNames[] = {"Out", "Set", "In", "Rd"};
const char* const SlotNames[] = {"out", "set", "in", "rd"};
constexpr uint16_t NcFlag = 0x80;

// A run of 1 to `most` digits at text[pos]; pos moves past it.
std::optional<int> Digits(std::string_view text, size_t& pos, size_t most)
{
    size_t end = pos;
    while (end < text.size() && end - pos < most && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == pos || (end < text.size() && text[end] >= '0' && text[end] <= '9'))
        return std::nullopt;
    const int value = std::stoi(std::string(text.substr(pos, end - pos)));
    pos = end;
    return value;
}

// One of the four group names at text[pos]; pos moves past it.
std::optional<Group> GroupWord(std::string_view text, size_t& pos, const char* const (&names)[4])
{
    for (int g = 0; g < 4; ++g) {
        const std::string_view name = names[g];
        if (text.substr(pos, name.size()) == name) {
            pos += name.size();
            return static_cast<Group>(g);
        }
    }
    return std::nullopt;
}

struct RefText {
    int Entry;
    Group Kind;
    int Number;
    bool Nc;
};

// "<entry>:<Out|Set|In|Rd><number>[ NC]"
std::optional<RefText> ParseRefText(std::string_view text)
{
    size_t pos = 0;
    const auto entry = Digits(text, pos, 3);
    if (!entry || pos >= text.size() || text[pos++] != ':')
        return std::nullopt;
    const auto group = GroupWord(text, pos, GroupNames);
    const auto number = group ? Digits(text, pos, 2) : std::nullopt;
    if (!number)
        return std::nullopt;
    const bool nc = text.substr(pos) == " NC";
    if (pos != text.size() && !nc)
        return std::nullopt;
    return RefText{*entry, *group, *number, nc};
}

int ResourceCount(const BusEntry& entry, Group group)
{
    switch (group) {
    case Group::Out:
        return entry.RelayOutputs + entry.OcOutputs;
    case Group::Set:
        return entry.OutputSets;
    case Group::In:
        return entry.Inputs;
    case Group::Rd:
        return entry.Readers;
    }
    return 0;
}

uint16_t& SlotOf(BlockContent& content, Group group, size_t slot)
{
    switch (group) {
    case Group::Out:
        return content.Outputs.at(slot);
    case Group::Set:
        return content.OutputSets.at(slot);
    case Group::In:
        return content.Inputs.at(slot);
    case Group::Rd:
        break;
    }
    return content.Readers.at(slot);
}

int SlotCount(const BlockShape& shape, Group group)
{
    switch (group) {
    case Group::Out:
        return shape.Outputs;
    case Group::Set:
        return shape.OutputSets;
    case Group::In:
        return shape.Inputs;
    case Group::Rd:
        break;
    }
    return shape.Readers;
}

}  // namespace

uint16_t ReadRef(const Json& value, Group group, const BusConfig& bus, const std::string& where)
{
    if (value.is_null())
        return NoRef;
    const std::string text = value.is_string() ? value.get<std::string>() : "";
    const std::string kind = GroupNames[static_cast<int>(group)];
    const auto ref = ParseRefText(text);
    if (!ref || ref->Kind != group)
        Fail(where, "expected a reference such as \"2:" + kind + "1\" or null, not " + Shown(value));
    const auto index = static_cast<size_t>(ref->Entry);
    const int number = ref->Number;
    const bool nc = ref->Nc;
    if (index >= bus.Entries.size() || !bus.Entries[index].Present())
        Fail(where, "there is no bus device " + std::to_string(index));
    const BusEntry& entry = bus.Entries[index];
    if (number < 1 || number > ResourceCount(entry, group))
        Fail(where, "bus device " + std::to_string(index) + " has no " + kind + std::to_string(number));
    if (nc && !(group == Group::In || (group == Group::Out && number > entry.RelayOutputs)))
        Fail(where, "only inputs and OC outputs take NC");
    return static_cast<uint16_t>(index << 8 | (number - 1) | (nc ? NcFlag : 0));
}

void ReadRefAt(const Json& obj, const char* key, Group group, uint16_t& slot, const BusConfig& bus,
               const std::string& where)
{
    if (obj.contains(key))
        slot = ReadRef(obj.at(key), group, bus, where + "." + key);
}

void ReadReaders(const Json& obj, BlockContent& content, const BusConfig& bus, const std::string& where)
{
    if (!obj.contains("readers"))
        return;
    const Json& readers = obj.at("readers");
    if (!readers.is_array() || readers.size() > content.Readers.size())
        Fail(where + ".readers", "expected a list of at most 4 readers");
    for (size_t i = 0; i < readers.size(); ++i)
        content.Readers[i] =
            ReadRef(readers[i], Group::Rd, bus, where + ".readers[" + std::to_string(i) + "]");
}

namespace {

void ReadSlots(const Json& slots, const BlockShape& shape, BlockContent& content, const BusConfig& bus,
               const std::string& where)
{
    for (const auto& item : slots.items()) {
        const std::string at = where + "." + item.key();
        size_t pos = 0;
        const auto group = GroupWord(item.key(), pos, SlotNames);
        const auto slot = group ? Digits(item.key(), pos, 2) : std::nullopt;
        if (!slot || pos != item.key().size())
            Fail(at, "expected a slot such as in8 (out, set, in or rd and a number from 0)");
        if (*slot >= SlotCount(shape, *group))
            Fail(at, "this block has no such slot");
        SlotOf(content, *group, static_cast<size_t>(*slot)) = ReadRef(item.value(), *group, bus, at);
    }
}

void ReadParamBytes(const Json& params, BlockContent& content, const std::string& where)
{
    for (const auto& item : params.items()) {
        const std::string at = where + "." + item.key();
        size_t pos = 0;
        const auto offset = Digits(item.key(), pos, 2);
        if (!offset || pos != item.key().size() || *offset >= static_cast<int>(ParamsSize))
            Fail(at, "expected a parameter offset from 0 to 63");
        if (!WholeIn(item.value(), 0, 255))
            Fail(at, "expected a byte value from 0 to 255");
        content.Params[static_cast<size_t>(*offset)] = item.value().get<uint8_t>();
    }
}

}  // namespace

void ReadSlotsAndParams(const Json& obj, const BlockShape& shape, BlockContent& content, const BusConfig& bus,
                        const std::string& where)
{
    if (obj.contains("slots"))
        ReadSlots(ObjectAt(obj, "slots", where), shape, content, bus, where + ".slots");
    if (obj.contains("param_bytes")) {
        if (!shape.HasParams)
            Fail(where + ".param_bytes", "this block has no parameters");
        ReadParamBytes(ObjectAt(obj, "param_bytes", where), content, where + ".param_bytes");
    }
}

uint8_t HalfSecondsAt(const Json& obj, const char* key, const std::string& where, uint8_t fallback)
{
    if (!obj.contains(key))
        return fallback;
    const Json& value = obj.at(key);
    const double halves = value.is_number() ? value.get<double>() * 2 : -1;
    if (halves < 0 || halves > 127 || halves != std::floor(halves))
        Fail(where + "." + key, "expected seconds from 0 to 63.5 in steps of 0.5");
    return static_cast<uint8_t>(halves);
}

}  // namespace quor::sim::scenario
