#include "tools/quorctl/NetworkChoice.h"

namespace quor::tools {

std::optional<std::string> NetworkRefusal(std::string_view chosen, bool inOwnNamespace,
                                          const std::vector<NetInterface>& candidates)
{
    if (!chosen.empty()) {
        if (IsCandidate(candidates, chosen))
            return std::nullopt;
        return "quorctl: " + std::string(chosen) +
               " is not an interface a search can use (up, with an IPv4 address, not loopback); these "
               "are:\n" +
               InterfaceLines(candidates, "  ");
    }
    if (inOwnNamespace)
        return std::nullopt;
    std::string text =
        "quorctl: a search broadcasts to the whole network, so on the machine's own network quorctl\n"
        "needs the interface the controllers are on. The interfaces:\n" +
        InterfaceLines(candidates, "  ");
    const std::string example = candidates.empty() ? "NAME" : candidates.front().Name;
    return text + "Choose one with --interface NAME, e.g. quorctl --interface " + example + " search\n";
}

}  // namespace quor::tools
