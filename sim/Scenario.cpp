#include "sim/Scenario.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "sim/EmuFrames.h"
#include "sim/ScenarioRead.h"

namespace quor::sim {

using namespace scenario;

namespace {

constexpr int ControllerType = 3;

const char* const ModeNames[] = {"Blokada", "Konfiguracja", "Serwis", "Instalacja"};

bool IsDottedQuad(const std::string& ip)
{
    std::istringstream in(ip);
    int parts = 0;
    std::string part;
    while (std::getline(in, part, '.')) {
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(part) > 255)
            return false;
        ++parts;
    }
    return parts == 4 && ip.back() != '.';
}

uint8_t ReadMode(const Json& device, const std::string& where)
{
    if (!device.contains("mode"))
        Fail(where, "needs \"mode\"");
    const Json& mode = device.at("mode");
    if (mode.is_string()) {
        for (uint8_t i = 0; i < 4; ++i)
            if (mode.get<std::string>() == ModeNames[i])
                return i;
        Fail(where + ".mode", "expected Blokada, Konfiguracja, Serwis, Instalacja or a number");
    }
    // Bit 7 is the device's report of a live session and is never configured.
    return static_cast<uint8_t>(IntAt(device, "mode", where, 0, 127, 0));
}

Fault ReadFaultKind(const std::string& name, const std::string& where)
{
    static const std::pair<const char*, Fault> kinds[] = {
        {"DropReply", Fault::DropReply}, {"BadCrc", Fault::BadCrc}, {"BadSignature", Fault::BadSignature},
        {"BadEcho", Fault::BadEcho},     {"BadAck", Fault::BadAck}, {"LongReply", Fault::LongReply},
        {"LateReply", Fault::LateReply},
    };
    for (const auto& [text, kind] : kinds)
        if (name == text)
            return kind;
    Fail(where, "unknown fault \"" + name + "\"");
}

void ReadFaults(const Json& device, EmuDevice& emu, const std::string& where)
{
    if (!device.contains("faults"))
        return;
    const Json& faults = device.at("faults");
    if (!faults.is_array())
        Fail(where + ".faults", "expected a list");
    for (size_t i = 0; i < faults.size(); ++i) {
        const std::string at = where + ".faults[" + std::to_string(i) + "]";
        CheckKeys(faults[i], at, {"kind", "cmd", "count"});
        const Fault kind = ReadFaultKind(StringAt(faults[i], "kind", at, ""), at + ".kind");
        const std::string cmd = StringAt(faults[i], "cmd", at, "");
        if (cmd.size() > 1)
            Fail(at + ".cmd", "expected one command letter");
        const int count = IntAt(faults[i], "count", at, -1, 1000000, 1);
        if (count == 0)
            Fail(at + ".count", "expected -1 (until cleared) or a count from 1");
        emu.Inject(kind, cmd.empty() ? 0 : static_cast<uint8_t>(cmd[0]), count);
    }
}

std::unique_ptr<EmuDevice> ReadController(const Json& device, uint32_t id, uint8_t mode, uint8_t digit,
                                          const std::string& where)
{
    auto controller = std::make_unique<EmuController>(id, mode, digit);
    controller->SessionLapseMs = IntAt(device, "lapse_ms", where, 1, 3600000, 30000);
    if (device.contains("foreign_session"))
        controller->HoldForeignSession(0, StringAt(device, "foreign_session", where, ""));
    if (device.contains("kind")) {
        controller->Bus = ReadBus(device, id, where);
        ReadBlocks(device, *controller, where);
    } else {
        for (const char* key : {"doors", "train", "train_number", "bus", "door_blocks", "lift", "lockers"})
            if (device.contains(key))
                Fail(where, std::string("\"") + key + "\" needs \"kind\"");
    }
    return controller;
}

std::unique_ptr<EmuDevice> ReadDevice(const Json& device, const std::string& where)
{
    CheckKeys(device, where, {"ip",      "id",        "model",        "serial",   "variant",         "mode",
                              "version", "faults",    "flood_ms",     "lapse_ms", "foreign_session", "kind",
                              "doors",   "train",     "train_number", "bus",      "door_blocks",     "lift",
                              "lockers", "raw_blocks"});
    const uint32_t id = ReadIdentity(device, where);
    if (id == SearchId)
        Fail(where, "the identity FFFFFFFF addresses all devices and is no device's own");
    const uint8_t mode = ReadMode(device, where);
    const auto digit = static_cast<uint8_t>('0' + IntAt(device, "version", where, 0, 9, 2));
    const bool controller = ((id >> 16) & 0x3FF) / 100 == ControllerType;
    std::unique_ptr<EmuDevice> emu;
    if (controller) {
        emu = ReadController(device, id, mode, digit, where);
    } else {
        for (const char* key : {"lapse_ms", "foreign_session", "kind", "doors", "train", "train_number",
                                "bus", "door_blocks", "lift", "lockers", "raw_blocks"})
            if (device.contains(key))
                Fail(where, std::string("\"") + key + "\" is for controllers (device type 3) only");
        emu = std::make_unique<EmuDevice>(id, mode, digit);
    }
    emu->FloodPeriod = IntAt(device, "flood_ms", where, 0, 60000, 0);
    ReadFaults(device, *emu, where);
    return emu;
}

}  // namespace

Scenario ParseScenario(std::string_view json, const std::string& source)
{
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::exception& e) {
        throw std::runtime_error(source + ": not valid JSON: " + e.what());
    }
    Scenario scenario;
    try {
        CheckKeys(root, source, {"devices"});
        if (!root.contains("devices") || !root.at("devices").is_array())
            Fail(source, "needs a list \"devices\"");
        std::set<std::string> ips;
        std::set<uint32_t> ids;
        for (size_t i = 0; i < root.at("devices").size(); ++i) {
            const std::string where = source + ": devices[" + std::to_string(i) + "]";
            const Json& device = root.at("devices")[i];
            auto emu = ReadDevice(device, where);
            const std::string ip = StringAt(device, "ip", where, "");
            if (!IsDottedQuad(ip))
                Fail(where + ".ip", "expected an IPv4 address such as \"10.45.1.10\"");
            if (!ips.insert(ip).second)
                Fail(where + ".ip", ip + " is taken by another device");
            if (!ids.insert(emu->Id).second)
                Fail(where, "another device has the same identity");
            scenario.Devices.push_back(std::move(emu));
            scenario.Ips.push_back(ip);
        }
    } catch (const Json::exception& e) {
        throw std::runtime_error(source + ": " + e.what());
    }
    return scenario;
}

Scenario LoadScenario(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot open the scenario file");
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScenario(text.str(), path);
}

void AttachAll(Scenario& scenario, VirtualLan& lan)
{
    for (size_t i = 0; i < scenario.Devices.size(); ++i)
        lan.Attach(scenario.Ips[i], *scenario.Devices[i]);
}

}  // namespace quor::sim
