#include "site/Formats.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "link/DevId.h"
#include "link/Udpdev.h"

namespace quor::site {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The status words of the bus-device list, every one that applies.
Json StatusJson(uint8_t flags)
{
    Json words = Json::array();
    for (const StatusWord& status : StatusWords) {
        if (flags & status.Flag)
            words.push_back(std::string(status.Word));
    }
    return words;
}

}  // namespace

std::string JsonText(const Json& value)
{
    return value.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string IdText(uint32_t id)
{
    char text[12];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

uint32_t ParseIdText(std::string_view text)
{
    if (text.size() != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        throw std::invalid_argument("expected 0x and eight hexadecimal digits");
    uint32_t id = 0;
    for (char c : text.substr(2)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            throw std::invalid_argument("expected 0x and eight hexadecimal digits");
        id = id << 4 | static_cast<uint32_t>(digit);
    }
    return id;
}

std::string HexText(std::span<const uint8_t> bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += pair;
    }
    return text;
}

std::vector<uint8_t> ParseHexText(std::string_view text)
{
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
        if (Blank(text[i])) {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0)
            throw std::invalid_argument("expected pairs of hexadecimal digits");
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        i += 2;
    }
    return bytes;
}

Json EntryJson(const BusDevTable& table, int entry)
{
    const BusDev& dev = table.Dev.at(entry);
    return {{"entry", entry},
            {"name", DevName(dev.Id)},
            {"connection", ConnText(dev)},
            {"kind", std::string(DevKindWord(dev.Id))},
            {"status", StatusJson(dev.Flags)},
            {"id", IdText(dev.Id)},
            {"model", DevId(dev.Id).ModelCode()},
            {"serial", DevId(dev.Id).Serial()},
            {"conn", dev.Conn},
            {"flags", dev.Flags},
            {"outputs", dev.ResCount[ResOutput]},
            {"fixed_outputs", dev.FixedOutputs},
            {"inputs", dev.ResCount[ResInput]},
            {"readers", dev.ResCount[ResReader]},
            {"output_sets", dev.ResCount[ResOutputSet]}};
}

}  // namespace quor::site
