// quorsim's command line: the arguments, NUL-separated in the input; the
// first argument is also read as a fault order on its own.

#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "sim/EmuDevice.h"
#include "tools/quorsim/FaultOrder.h"
#include "tools/quorsim/Options.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

void CheckOrder(const tools::FaultOrder& order)
{
    FUZZ_CHECK(order.Count == -1 || order.Count >= 1);
    FUZZ_CHECK(order.Cmd == 0 || (order.Cmd > ' ' && order.Cmd <= '~'));
    FUZZ_CHECK(order.Kind.has_value() || order.FloodMs > 0);
    sim::EmuDevice device(0x20640007, 2);
    tools::ApplyFault(order, device);
    if (!order.Kind)
        FUZZ_CHECK(device.FloodPeriod == order.FloodMs);
}

}  // namespace

QUOR_FUZZ_TARGET(quorsim_args)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    try {
        CheckOrder(tools::ParseFaultOrder(args[0]));
    } catch (const std::invalid_argument&) {
    }
    try {
        const tools::QuorsimOptions options = tools::ParseOptions(args);
        FUZZ_CHECK(options.Help || options.Version || !options.ScenarioPath.empty());
        FUZZ_CHECK(options.Port != 0);
        for (const auto& order : options.Faults)
            CheckOrder(order);
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
