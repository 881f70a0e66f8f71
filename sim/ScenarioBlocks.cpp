// The stored blocks of a controller in a scenario file: every block its kind
// holds starts as a fresh block, then the described ones replace theirs.

#include "sim/ScenarioRead.h"

namespace quor::sim::scenario {

namespace {

const char* const DoorTypes[] = {"Otwarte", "Normalne", "Bistabilne", "Astabilne", "Zablokowane"};
// A fresh door: type Normalne, bolt pulse 3 s, open time 10 s (in half seconds).
constexpr uint8_t FreshDoorType = 1;
constexpr uint8_t FreshBoltPulse = 6;
constexpr uint8_t FreshOpenTime = 20;
constexpr uint8_t AirlockBit = 0x04;
constexpr uint8_t HandleBit = 0x40;
constexpr uint8_t FullPulseBit = 0x80;
constexpr size_t ReaderFlagsAt = 32;  // one 4-byte word per reader; bit 0: registers exits

BlockContent FreshDoor()
{
    BlockContent door;
    door.Params[0] = FreshDoorType;
    door.Params[4] = FreshBoltPulse;
    door.Params[6] = FreshOpenTime;
    return door;
}

uint8_t ReadDoorType(const Json& door, const std::string& where)
{
    if (!door.contains("door_type"))
        return FreshDoorType;
    if (door.at("door_type").is_string()) {
        for (uint8_t i = 0; i < std::size(DoorTypes); ++i)
            if (door.at("door_type").get<std::string>() == DoorTypes[i])
                return i;
        Fail(where + ".door_type",
             "expected Otwarte, Normalne, Bistabilne, Astabilne, Zablokowane or a number");
    }
    return static_cast<uint8_t>(IntAt(door, "door_type", where, 0, 15, 0));
}

void ReadDoorParams(const Json& door, BlockContent& content, const std::string& where)
{
    content.Params[0] = ReadDoorType(door, where);
    const int airlock = IntAt(door, "airlock", where, 1, 4, 0);
    content.Params[2] = static_cast<uint8_t>((airlock > 0 ? (airlock - 1) | AirlockBit : 0) |
                                             (BoolAt(door, "handle", where, false) ? HandleBit : 0) |
                                             (BoolAt(door, "full_pulse", where, false) ? FullPulseBit : 0));
    content.Params[4] = HalfSecondsAt(door, "bolt_pulse", where, FreshBoltPulse);
    content.Params[6] = HalfSecondsAt(door, "open_time", where, FreshOpenTime);
    if (!door.contains("exit_readers"))
        return;
    const Json& exits = door.at("exit_readers");
    if (!exits.is_array())
        Fail(where + ".exit_readers", "expected a list of reader numbers 1 to 4");
    for (const Json& reader : exits) {
        if (!WholeIn(reader, 1, 4))
            Fail(where + ".exit_readers", "expected a list of reader numbers 1 to 4");
        content.Params[ReaderFlagsAt + 4 * static_cast<size_t>(reader.get<int>() - 1)] |= 0x01;
    }
}

BlockContent ReadDoor(const Json& door, const BusConfig& bus, const std::string& where)
{
    CheckKeys(door, where, {"door",        "bolt",        "reminder",     "alarm",     "cctv",
                            "exit_button", "open_sensor", "alarm_sensor", "tamper",    "evacuation",
                            "readers",     "door_type",   "bolt_pulse",   "open_time", "airlock",
                            "handle",      "full_pulse",  "exit_readers", "slots",     "param_bytes"});
    BlockContent content = FreshDoor();
    const char* const outputs[] = {"bolt", "reminder", "alarm", "cctv"};
    for (size_t i = 0; i < std::size(outputs); ++i)
        ReadRefAt(door, outputs[i], Group::Out, content.Outputs[i], bus, where);
    const char* const inputs[] = {"exit_button", "open_sensor", "alarm_sensor", "tamper", "evacuation"};
    for (size_t i = 0; i < std::size(inputs); ++i)
        ReadRefAt(door, inputs[i], Group::In, content.Inputs[i], bus, where);
    ReadReaders(door, content, bus, where);
    ReadDoorParams(door, content, where);
    ReadSlotsAndParams(door, *ShapeOf(DoorBlockType), content, bus, where);
    return content;
}

void Store(EmuController& controller, uint8_t type, uint8_t index, const BlockContent& content)
{
    const BlockShape& shape = *ShapeOf(type);
    controller.Blocks[{type, index}] = ReadLayout(shape, BlockBody(shape, content));
}

void ReadDoorBlocks(const Json& device, EmuController& controller, const std::string& where)
{
    const BusConfig& bus = *controller.Bus;
    for (uint8_t i = 0; i < bus.DoorCount; ++i)
        Store(controller, DoorBlockType, i, FreshDoor());
    if (bus.TrainFlag == 1) {
        BlockContent common;
        const int train = IntAt(device, "train_number", where, 0, 65535, 0);
        common.Data[0] = static_cast<uint8_t>(train);
        common.Data[1] = static_cast<uint8_t>(train >> 8);
        Store(controller, CommonBlockType, 0, common);
    } else if (device.contains("train_number")) {
        Fail(where + ".train_number", "only a controller with \"train\": 1 keeps a train number");
    }
    if (!device.contains("door_blocks"))
        return;
    const Json& doors = device.at("door_blocks");
    if (!doors.is_array())
        Fail(where + ".door_blocks", "expected a list");
    for (size_t i = 0; i < doors.size(); ++i) {
        const std::string at = where + ".door_blocks[" + std::to_string(i) + "]";
        if (!doors[i].is_object() || !doors[i].contains("door"))
            Fail(at, "needs \"door\", the door number from 1");
        const int door = IntAt(doors[i], "door", at, 1, bus.DoorCount, 1);
        Store(controller, DoorBlockType, static_cast<uint8_t>(door - 1), ReadDoor(doors[i], bus, at));
    }
}

Bytes ReadHex(const Json& value, const std::string& where)
{
    const std::string text = value.is_string() ? value.get<std::string>() : "";
    Bytes bytes;
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c;
    if (!value.is_string() || digits.size() % 2 != 0 ||
        digits.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        Fail(where, "expected bytes as hex text, for example \"01 04 0A 04\"");
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

// Blocks given byte for byte as the controller sends them, head included: for
// blocks a described configuration cannot hold (a wrong head, a wrong length).
void ReadRawBlocks(const Json& device, EmuController& controller, const std::string& where)
{
    const Json& raws = device.at("raw_blocks");
    if (!raws.is_array())
        Fail(where + ".raw_blocks", "expected a list");
    for (size_t i = 0; i < raws.size(); ++i) {
        const std::string at = where + ".raw_blocks[" + std::to_string(i) + "]";
        CheckKeys(raws[i], at, {"type", "index", "hex"});
        if (!raws[i].contains("type") || !raws[i].contains("hex"))
            Fail(at, "needs \"type\" and \"hex\"");
        const auto type = static_cast<uint8_t>(IntAt(raws[i], "type", at, 0, 255, 0));
        const auto index = static_cast<uint8_t>(IntAt(raws[i], "index", at, 0, 255, 0));
        controller.Blocks[{type, index}] = ReadHex(raws[i].at("hex"), at + ".hex");
    }
}

}  // namespace

void ReadBlocks(const Json& device, EmuController& controller, const std::string& where)
{
    const BusConfig& bus = *controller.Bus;
    const bool doors = bus.Kind == KindDoorsCode;
    const bool lift = bus.Kind == KindLiftCode;
    const bool lockers = bus.Kind == KindLockersCode;
    for (const auto& [key, allowed] : {std::pair{"door_blocks", doors}, std::pair{"train_number", doors},
                                       std::pair{"lift", lift}, std::pair{"lockers", lockers}})
        if (device.contains(key) && !allowed)
            Fail(where + "." + key, "does not fit a controller of this kind");
    if (doors)
        ReadDoorBlocks(device, controller, where);
    if (lift)
        Store(controller, LiftBlockType, 0,
              device.contains("lift") ? ReadLift(ObjectAt(device, "lift", where), bus, where + ".lift")
                                      : ReadLift(Json::object(), bus, where + ".lift"));
    if (lockers)
        Store(controller, LockersBlockType, 0,
              device.contains("lockers")
                  ? ReadLockers(ObjectAt(device, "lockers", where), bus, where + ".lockers")
                  : ReadLockers(Json::object(), bus, where + ".lockers"));
    if (device.contains("raw_blocks"))
        ReadRawBlocks(device, controller, where);
}

}  // namespace quor::sim::scenario
