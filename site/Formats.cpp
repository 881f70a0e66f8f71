#include "site/Formats.h"

#include <algorithm>

#include "link/DevId.h"
#include "link/Udpdev.h"

namespace quor::site {

namespace {

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
