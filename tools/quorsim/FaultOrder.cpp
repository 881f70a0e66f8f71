#include "tools/quorsim/FaultOrder.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quor::tools {

namespace {

constexpr std::array<std::pair<std::string_view, sim::Fault>, 7> KindNames{{
    {"drop", sim::Fault::DropReply},
    {"crc", sim::Fault::BadCrc},
    {"sig", sim::Fault::BadSignature},
    {"echo", sim::Fault::BadEcho},
    {"ack", sim::Fault::BadAck},
    {"long", sim::Fault::LongReply},
    {"late", sim::Fault::LateReply},
}};

std::vector<std::string_view> SplitColons(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t colon; (colon = text.find(':', start)) != std::string_view::npos; start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    return parts;
}

[[noreturn]] void Refuse(std::string_view text, std::string_view why)
{
    throw std::invalid_argument("fault '" + std::string(text) + "': " + std::string(why));
}

int PositiveNumber(std::string_view whole, std::string_view digits)
{
    int value = 0;
    const auto [end, err] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (err != std::errc() || end != digits.data() + digits.size() || value <= 0)
        Refuse(whole, std::string(digits).insert(0, 1, '\'') + "' is not a positive number");
    return value;
}

uint8_t CommandLetter(std::string_view whole, std::string_view field)
{
    if (field == "*")
        return 0;
    if (field.size() != 1 || field[0] <= ' ' || field[0] > '~')
        Refuse(whole, "the command is one letter or *");
    return static_cast<uint8_t>(field[0]);
}

}  // namespace

FaultOrder ParseFaultOrder(std::string_view text)
{
    FaultOrder order;
    std::string_view faultText = text;
    if (const size_t at = text.find('@'); at != std::string_view::npos) {
        order.Device = std::string(text.substr(at + 1));
        faultText = text.substr(0, at);
        if (order.Device.empty())
            Refuse(text, "no device after @");
    }
    const auto parts = SplitColons(faultText);
    if (parts[0] == "flood") {
        if (parts.size() != 2)
            Refuse(text, "a flood takes one period in ms: flood:MS");
        order.FloodMs = PositiveNumber(text, parts[1]);
        return order;
    }
    for (const auto& [name, kind] : KindNames) {
        if (parts[0] == name)
            order.Kind = kind;
    }
    if (!order.Kind)
        Refuse(text, "unknown kind (drop, crc, sig, echo, ack, long, late, flood)");
    if (parts.size() > 3)
        Refuse(text, "too many fields: KIND[:CMD[:COUNT]]");
    if (parts.size() > 1)
        order.Cmd = CommandLetter(text, parts[1]);
    if (parts.size() > 2)
        order.Count = parts[2] == "*" ? -1 : PositiveNumber(text, parts[2]);
    return order;
}

void ApplyFault(const FaultOrder& order, sim::EmuDevice& device)
{
    if (order.Kind)
        device.Inject(*order.Kind, order.Cmd, order.Count);
    else
        device.FloodPeriod = order.FloodMs;
}

}  // namespace quor::tools
