#include "link/NetInterfaces.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <memory>
#include <system_error>

namespace quor {

namespace {

std::string Dotted(const sockaddr* addr)
{
    char text[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(addr)->sin_addr, text, sizeof text);
    return text;
}

int PrefixBits(const sockaddr* mask)
{
    if (mask == nullptr || mask->sa_family != AF_INET)
        return 32;
    return std::popcount(reinterpret_cast<const sockaddr_in*>(mask)->sin_addr.s_addr);
}

}  // namespace

std::vector<NetInterface> SearchCandidates(const ifaddrs* list)
{
    std::vector<NetInterface> candidates;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        const bool up = (a->ifa_flags & IFF_UP) != 0;
        const bool loopback = (a->ifa_flags & IFF_LOOPBACK) != 0;
        if (!up || loopback || a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET)
            continue;
        candidates.push_back({a->ifa_name, Dotted(a->ifa_addr), PrefixBits(a->ifa_netmask)});
    }
    return candidates;
}

std::vector<NetInterface> SearchInterfaces()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        throw std::system_error(errno, std::generic_category(), "network interfaces");
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, freeifaddrs);
    return SearchCandidates(list);
}

bool IsCandidate(const std::vector<NetInterface>& candidates, std::string_view name)
{
    return std::ranges::any_of(candidates, [name](const NetInterface& c) { return c.Name == name; });
}

std::string InterfaceLines(const std::vector<NetInterface>& candidates, std::string_view indent)
{
    if (candidates.empty())
        return std::string(indent) + "(none)\n";
    size_t width = 0;
    for (const NetInterface& c : candidates)
        width = std::max(width, c.Name.size());
    std::string lines;
    for (const NetInterface& c : candidates) {
        lines += indent;
        lines += c.Name;
        lines.append(width - c.Name.size() + 2, ' ');
        lines += c.Address + "/" + std::to_string(c.PrefixBits) + "\n";
    }
    return lines;
}

}  // namespace quor
