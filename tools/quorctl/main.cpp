// quorctl: the configurator's search, bus-device table, configuration and
// report on the command line (its options and --help in Options.cpp).

#include <chrono>
#include <ctime>
#include <iostream>
#include <stdexcept>

#include "link/NetInterfaces.h"
#include "link/UdpEndpoint.h"
#include "tools/common/NetGuard.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/NetworkChoice.h"
#include "tools/quorctl/SiteFileCommands.h"

namespace {

std::chrono::year_month_day LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace quor::tools;
    QuorctlOptions options;
    try {
        options = ParseQuorctlOptions({argv + 1, argv + argc});
    } catch (const std::invalid_argument& e) {
        std::cerr << "quorctl: " << e.what() << "\n(quorctl --help for the usage)\n";
        return 2;
    }
    if (options.Command == CtlCommand::Help || options.Command == CtlCommand::Version) {
        std::cout << (options.Command == CtlCommand::Help ? QuorctlHelp(options.HelpOf) : QuorctlVersion());
        return 0;
    }
    // Line by line, also into a file or a pipe: a run killed half-way leaves what it said.
    std::cout << std::unitbuf;
    try {
        if (options.Command == CtlCommand::SiteShow || options.Command == CtlCommand::SiteCheck)
            return RunSiteOffline(options, std::cout, std::cerr);
        const std::vector<quor::NetInterface> candidates = quor::SearchInterfaces();
        if (options.Command == CtlCommand::Interfaces) {
            std::cout << quor::InterfaceLines(candidates);
            return 0;
        }
        // Nothing is sent before this: a search broadcasts.
        if (const auto refusal = NetworkRefusal(options.Interface, InSeparateNetNamespace(), candidates)) {
            std::cerr << *refusal;
            return 2;
        }
        options.LoopbackTargets = InSeparateNetNamespace();
        quor::UdpEndpoint udp(quor::QuorPort, options.Interface);
        return RunQuorctl(options, udp, std::cout, std::cerr, LocalToday());
    } catch (const std::exception& e) {
        std::cerr << ErrorLine(e);
        return FailureExit(options);
    }
}
