// The lift and lockers blocks of a scenario file.

#include <algorithm>
#include <optional>

#include "sim/ScenarioRead.h"
#include "text/Cp1250.h"

namespace quor::sim::scenario {

namespace {

constexpr uint8_t FreshRelease = 10;  // lift buttons released for 5 s
constexpr uint8_t FreshPulse = 2;     // a locker opens with a 1 s pulse
constexpr size_t TestFromAt = 30;
constexpr size_t RoomNameAt = 48;
constexpr size_t RoomNameLongest = 15;  // a zero byte ends it within 16
constexpr int LastLocker = 9999;

// The controller keeps the room name in Windows-1250; scenario files are
// UTF-8. Control characters have no place in a name.
std::optional<std::string> Cp1250(const std::string& utf8)
{
    if (!HoldsCp1250(utf8))
        return std::nullopt;
    std::string out = ToCp1250(utf8);
    if (std::any_of(out.begin(), out.end(), [](char c) { return static_cast<uint8_t>(c) < 0x20; }))
        return std::nullopt;
    return out;
}

void PutLe16At(std::span<uint8_t> area, size_t at, uint16_t value)
{
    area[at] = static_cast<uint8_t>(value);
    area[at + 1] = static_cast<uint8_t>(value >> 8);
}

void ReadModules(const Json& lockers, BlockContent& content, const BusConfig& bus, const std::string& where)
{
    if (!lockers.contains("modules"))
        return;
    const Json& modules = lockers.at("modules");
    if (!modules.is_array() || modules.size() > content.OutputSets.size())
        Fail(where + ".modules", "expected a list of at most 16 locker modules");
    for (size_t i = 0; i < modules.size(); ++i) {
        const std::string at = where + ".modules[" + std::to_string(i) + "]";
        if (modules[i].is_null())
            continue;
        CheckKeys(modules[i], at, {"set", "from", "to"});
        ReadRefAt(modules[i], "set", Group::Set, content.OutputSets[i], bus, at);
        PutLe16At(content.Data, 4 * i,
                  static_cast<uint16_t>(IntAt(modules[i], "from", at, 0, LastLocker, NoRef)));
        PutLe16At(content.Data, 4 * i + 2,
                  static_cast<uint16_t>(IntAt(modules[i], "to", at, 0, LastLocker, NoRef)));
    }
}

void ReadRoom(const Json& lockers, BlockContent& content, const std::string& where)
{
    const auto room = Cp1250(StringAt(lockers, "room", where, ""));
    if (!room || room->size() > RoomNameLongest)
        Fail(where + ".room", "expected at most 15 letters of Polish or plain text");
    std::fill(content.Params.begin() + RoomNameAt, content.Params.end(), 0);
    std::copy(room->begin(), room->end(), content.Params.begin() + RoomNameAt);
}

}  // namespace

BlockContent ReadLift(const Json& lift, const BusConfig& bus, const std::string& where)
{
    CheckKeys(lift, where, {"module", "floor_input", "tamper", "readers", "release", "slots", "param_bytes"});
    BlockContent content;
    ReadRefAt(lift, "module", Group::Set, content.OutputSets[0], bus, where);
    ReadRefAt(lift, "floor_input", Group::In, content.Inputs[1], bus, where);
    ReadRefAt(lift, "tamper", Group::In, content.Inputs[3], bus, where);
    ReadReaders(lift, content, bus, where);
    content.Params[4] = HalfSecondsAt(lift, "release", where, FreshRelease);
    ReadSlotsAndParams(lift, *ShapeOf(LiftBlockType), content, bus, where);
    return content;
}

BlockContent ReadLockers(const Json& lockers, const BusConfig& bus, const std::string& where)
{
    CheckKeys(lockers, where,
              {"modules", "alarm_sensor", "tamper", "readers", "pulse", "test_from", "room", "slots",
               "param_bytes"});
    BlockContent content;
    ReadModules(lockers, content, bus, where);
    ReadRefAt(lockers, "alarm_sensor", Group::In, content.Inputs[2], bus, where);
    ReadRefAt(lockers, "tamper", Group::In, content.Inputs[3], bus, where);
    ReadReaders(lockers, content, bus, where);
    content.Params[4] = HalfSecondsAt(lockers, "pulse", where, FreshPulse);
    PutLe16At(content.Params, TestFromAt,
              static_cast<uint16_t>(IntAt(lockers, "test_from", where, 0, LastLocker, 0)));
    ReadRoom(lockers, content, where);
    ReadSlotsAndParams(lockers, *ShapeOf(LockersBlockType), content, bus, where);
    return content;
}

}  // namespace quor::sim::scenario
