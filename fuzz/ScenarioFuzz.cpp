// Scenario files: any text. ParseScenario reports every fault of the text as
// std::runtime_error; any other exception escaping it is a finding.

#include <set>
#include <stdexcept>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "link/Frame.h"
#include "link/Udpdev.h"
#include "sim/EmuFrames.h"
#include "sim/Scenario.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

// A scenario taken in describes devices that answer a search.
void CheckDevice(sim::EmuDevice& device)
{
    FUZZ_CHECK(device.Id != sim::SearchId);
    const sim::Bytes search = sim::PlainFrame(CmdStatus, sim::SearchId, {});
    const auto replies = device.Handle(search, "10.45.0.1", 0);
    for (const auto& reply : replies)
        FUZZ_CHECK(reply.size() >= PlainOverhead && reply.size() <= MaxFrameLen);
    const auto* controller = dynamic_cast<const sim::EmuController*>(&device);
    if (controller && controller->Bus)
        FUZZ_CHECK(controller->Bus->TableBytes().size() <= BlockAreaSize);
}

}  // namespace

QUOR_FUZZ_TARGET(scenario)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sim::Scenario scenario;
    try {
        scenario = sim::ParseScenario(text, "fuzz.json");
    } catch (const std::runtime_error& e) {
        FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.json: "));
        return 0;
    }
    FUZZ_CHECK(scenario.Devices.size() == scenario.Ips.size());
    std::set<uint32_t> ids;
    for (const auto& device : scenario.Devices) {
        FUZZ_CHECK(ids.insert(device->Id).second);
        CheckDevice(*device);
    }
    FUZZ_CHECK(std::set<std::string>(scenario.Ips.begin(), scenario.Ips.end()).size() == scenario.Ips.size());
    return 0;
}
