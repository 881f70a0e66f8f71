// quorsim: the emulated devices of a scenario on real UDP sockets (its options and --help in Options.cpp).

#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>

#include "sim/Scenario.h"
#include "tools/common/NetGuard.h"
#include "tools/quorsim/Options.h"
#include "tools/quorsim/Roster.h"
#include "tools/quorsim/SocketRunner.h"

namespace quor::tools {
namespace {

const std::string Wildcard = "0.0.0.0";

Roster ScenarioRoster(sim::Scenario& scenario)
{
    Roster roster;
    for (size_t i = 0; i < scenario.Devices.size(); ++i)
        roster.push_back(MakeEntry(*scenario.Devices[i], scenario.Ips.at(i)));
    return roster;
}

std::string IdentityHex(uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

// Real sockets on the machine's own network only over loopback.
void CheckSafe(const QuorsimOptions& options)
{
    if (InSeparateNetNamespace() || IsLoopbackAddress(options.BindIp))
        return;
    throw std::invalid_argument(
        "outside a network namespace of its own, quorsim runs only with --device and a loopback --bind "
        "(tools/lan up runs the devices in a LAN of namespaces)");
}

void AddDevices(SocketRunner& runner, const QuorsimOptions& options, const Roster& running)
{
    if (options.Device.empty()) {
        for (const RosterEntry& e : running)
            runner.Add(*e.Device, e.Ip, e.Ip, true);
        runner.AddBroadcastListener();
        return;
    }
    const RosterEntry& e = running.front();
    const std::string& bind = options.BindIp.empty() ? Wildcard : options.BindIp;
    runner.Add(*e.Device, options.BindIp.empty() ? e.Ip : options.BindIp, bind, false);
}

int Run(const QuorsimOptions& options)
{
    sim::Scenario scenario = sim::LoadScenario(options.ScenarioPath);
    const Roster all = ScenarioRoster(scenario);
    if (options.List) {
        for (const RosterEntry& e : all)
            std::cout << e.Name << ' ' << e.Ip << ' ' << IdentityHex(e.Device->Id) << '\n';
        return 0;
    }
    CheckSafe(options);
    const Roster running = options.Device.empty() ? all : Roster{FindDevice(all, options.Device)};
    ApplyFaults(options.Faults, all, running);
    DeviceBook book;
    for (const RosterEntry& e : all)
        book.Add(*e.Device);
    StopSignals stop;
    FrameLog log(options.LogPath, book);
    SocketRunner runner(log, options.Port);
    AddDevices(runner, options, running);
    runner.Serve(stop);
    return 0;
}

}  // namespace
}  // namespace quor::tools

int main(int argc, char** argv)
{
    using namespace quor::tools;
    try {
        const QuorsimOptions options = ParseOptions({argv + 1, argv + argc});
        if (options.Help || options.Version) {
            std::cout << (options.Help ? QuorsimHelp() : QuorsimVersion());
            return 0;
        }
        return Run(options);
    } catch (const std::invalid_argument& e) {
        std::cerr << "quorsim: " << e.what() << "\n(quorsim --help for the usage)\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "quorsim: " << e.what() << '\n';
        return 1;
    }
}
