// The bus part of a controller in a scenario file.

#include "sim/ScenarioRead.h"

namespace quor::sim::scenario {

namespace {

// The longest table that fits in a 1400-byte reply: a 6-byte head and 12 bytes per entry.
constexpr size_t MostEntries = 116;
// Bits of an identity that carry the connection letter: 26-27 the low two bits, 31 the high one.
constexpr uint32_t ConnLetterMask = 0x8C000000;

uint32_t ConnLetterBits(char letter)
{
    const auto index = static_cast<uint32_t>(letter - 'A');
    return (index & 3) << 26 | (index >> 2) << 31;
}

void ReadConn(const Json& entry, BusEntry& out, const std::string& where)
{
    const std::string conn = StringAt(entry, "conn", where, "");
    const bool digits =
        conn.size() >= 2 && conn.size() <= 4 && conn.find_first_not_of("0123456789", 1) == std::string::npos;
    if (!digits || conn[0] < 'A' || conn[0] > 'H' || std::stoi(conn.substr(1)) > 255)
        Fail(where + ".conn",
             "expected a connection letter A to H and a number 0 to 255, for example \"A3\"");
    out.Id = (out.Id & ~ConnLetterMask) | ConnLetterBits(conn[0]);
    out.Conn = static_cast<uint8_t>(std::stoi(conn.substr(1)));
}

uint8_t ReadFlags(const Json& entry, const std::string& where)
{
    if (!entry.contains("flags"))
        return 0;
    const Json& flags = entry.at("flags");
    if (flags.is_number_integer())
        return static_cast<uint8_t>(IntAt(entry, "flags", where, 0, 255, 0));
    if (!flags.is_array())
        Fail(where + ".flags", "expected a list of inactive, power, tamper, new, or a number");
    uint8_t bits = 0;
    for (const Json& flag : flags) {
        const std::string name = flag.is_string() ? flag.get<std::string>() : "";
        if (name == "inactive")
            bits |= BusInactive;
        else if (name == "power")
            bits |= BusPower;
        else if (name == "tamper")
            bits |= BusTamper;
        else if (name == "new")
            bits |= BusNew;
        else
            Fail(where + ".flags", "unknown flag " + Shown(flag));
    }
    return bits;
}

void ReadResources(const Json& entry, BusEntry& out, const std::string& where)
{
    out.RelayOutputs = static_cast<uint8_t>(IntAt(entry, "relay", where, 0, 32, 0));
    out.OcOutputs = static_cast<uint8_t>(IntAt(entry, "oc", where, 0, 32, 0));
    out.Inputs = static_cast<uint8_t>(IntAt(entry, "inputs", where, 0, 32, 0));
    out.Readers = static_cast<uint8_t>(IntAt(entry, "readers", where, 0, 4, 0));
    out.OutputSets = static_cast<uint8_t>(IntAt(entry, "sets", where, 0, 3, 0));
    out.SetInD3 = BoolAt(entry, "set_in_d3", where, false);
    if (out.RelayOutputs + out.OcOutputs > 32)
        Fail(where, "a device has at most 32 outputs");
    if (out.OutputSets > 0 && out.RelayOutputs + out.OcOutputs > 0)
        Fail(where, "a device with output sets reports no outputs");
    if (out.SetInD3 && out.OutputSets != 1)
        Fail(where + ".set_in_d3", "only a device with exactly one output set reports it in D3");
}

BusEntry ReadEntry(const Json& entry, uint32_t selfId, const std::string& where)
{
    CheckKeys(entry, where,
              {"empty", "self", "id", "model", "serial", "variant", "conn", "flags", "relay", "oc", "inputs",
               "readers", "sets", "set_in_d3"});
    if (BoolAt(entry, "empty", where, false)) {
        if (entry.size() > (entry.contains("note") ? 2u : 1u))
            Fail(where, "an empty slot has nothing else");
        return BusEntry{};
    }
    BusEntry out;
    if (BoolAt(entry, "self", where, false)) {
        if (entry.contains("id") || entry.contains("model") || entry.contains("serial"))
            Fail(where, "\"self\" takes the controller's own identity");
        out.Id = selfId;
    } else {
        out.Id = ReadIdentity(entry, where);
    }
    ReadConn(entry, out, where);
    if (!out.Present())
        Fail(where, "identities with FFFF in the upper 16 bits mark empty slots");
    out.Flags = ReadFlags(entry, where);
    ReadResources(entry, out, where);
    return out;
}

uint8_t ReadKind(const Json& device, const std::string& where)
{
    const std::string kind = StringAt(device, "kind", where, "");
    if (kind == "doors")
        return KindDoorsCode;
    if (kind == "lift")
        return KindLiftCode;
    if (kind == "lockers")
        return KindLockersCode;
    Fail(where + ".kind", "expected doors, lift or lockers");
}

}  // namespace

// Lift and lockers controllers report one door; a scenario may say otherwise
// to stand for a controller whose table the configurator must refuse.
BusConfig ReadBus(const Json& device, uint32_t selfId, const std::string& where)
{
    BusConfig bus;
    bus.Kind = ReadKind(device, where);
    bus.DoorCount = static_cast<uint8_t>(IntAt(device, "doors", where, 0, 31, 1));
    bus.TrainFlag = static_cast<uint8_t>(IntAt(device, "train", where, 0, 15, 0));
    if (!device.contains("bus"))
        return bus;
    const Json& entries = device.at("bus");
    if (!entries.is_array() || entries.size() > MostEntries)
        Fail(where + ".bus", "expected a list of at most 116 bus devices");
    for (size_t i = 0; i < entries.size(); ++i)
        bus.Entries.push_back(ReadEntry(entries[i], selfId, where + ".bus[" + std::to_string(i) + "]"));
    return bus;
}

}  // namespace quor::sim::scenario
