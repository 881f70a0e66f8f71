#pragma once
// The network interfaces a search can leave by: up, with an IPv4 address, not
// loopback. An installer whose PC has several (Wi-Fi and a wired port) names
// the one the controllers are on, and the endpoint is tied to it.

#include <ifaddrs.h>

#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct NetInterface {
    std::string Name;
    std::string Address;  // dotted IPv4
    int PrefixBits = 0;   // of the netmask
};

// The candidates in a list from getifaddrs, in its order; one entry per IPv4
// address, so an interface with two addresses appears twice.
std::vector<NetInterface> SearchCandidates(const ifaddrs* list);

// The candidates of this machine (of the network namespace the process is in).
// Throws std::system_error when the system cannot list them.
std::vector<NetInterface> SearchInterfaces();

bool IsCandidate(const std::vector<NetInterface>& candidates, std::string_view name);

// One line per candidate: the name, padded to the longest, and ADDRESS/BITS,
// each line led by indent; "(none)" after the indent when there is none.
std::string InterfaceLines(const std::vector<NetInterface>& candidates, std::string_view indent = "");

}  // namespace quor
