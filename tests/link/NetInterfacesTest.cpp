// The interfaces a search can leave by, picked from a list as getifaddrs gives it.

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <deque>

#include <gtest/gtest.h>

#include "link/NetInterfaces.h"

namespace quor {
namespace {

// A getifaddrs list built by hand; entries keep their addresses alive.
class IfList {
public:
    void Add(const char* name, unsigned flags, const char* ipv4, const char* mask)
    {
        Entry& e = Entries.emplace_back();
        e.Name = name;
        e.Node.ifa_name = e.Name.data();
        e.Node.ifa_flags = flags;
        if (ipv4 != nullptr) {
            Fill(e.Addr, ipv4);
            e.Node.ifa_addr = reinterpret_cast<sockaddr*>(&e.Addr);
        }
        if (mask != nullptr) {
            Fill(e.Mask, mask);
            e.Node.ifa_netmask = reinterpret_cast<sockaddr*>(&e.Mask);
        }
        Link();
    }

    // An IPv6 address: the family alone matters.
    void AddIpv6(const char* name, unsigned flags)
    {
        Entry& e = Entries.emplace_back();
        e.Name = name;
        e.Node.ifa_name = e.Name.data();
        e.Node.ifa_flags = flags;
        e.Addr6.sin6_family = AF_INET6;
        e.Node.ifa_addr = reinterpret_cast<sockaddr*>(&e.Addr6);
        Link();
    }

    const ifaddrs* Head() const { return Entries.empty() ? nullptr : &Entries.front().Node; }

private:
    struct Entry {
        std::string Name;
        ifaddrs Node{};
        sockaddr_in Addr{};
        sockaddr_in Mask{};
        sockaddr_in6 Addr6{};
    };

    static void Fill(sockaddr_in& sa, const char* dotted)
    {
        sa.sin_family = AF_INET;
        inet_pton(AF_INET, dotted, &sa.sin_addr);
    }

    void Link()
    {
        for (size_t i = 0; i + 1 < Entries.size(); ++i)
            Entries[i].Node.ifa_next = &Entries[i + 1].Node;
    }

    std::deque<Entry> Entries;
};

constexpr unsigned Up = IFF_UP | IFF_RUNNING | IFF_BROADCAST;

TEST(NetInterfaces, CandidatesAreUpIpv4AndNotLoopback)
{
    IfList list;
    list.Add("lo", IFF_UP | IFF_LOOPBACK | IFF_RUNNING, "127.0.0.1", "255.0.0.0");
    list.Add("enp3s0", Up, "192.168.8.20", "255.255.255.0");
    list.AddIpv6("enp3s0", Up);
    list.Add("wlp2s0", Up, "10.0.0.5", "255.255.0.0");
    list.Add("wlp2s0", Up, "172.16.4.1", "255.255.255.252");
    list.Add("eth9", IFF_BROADCAST, "10.9.9.9", "255.0.0.0");  // down
    list.Add("tun0", IFF_UP | IFF_POINTOPOINT, "10.8.0.2", nullptr);
    list.Add("dummy0", Up, nullptr, nullptr);  // no address at all

    const std::vector<NetInterface> found = SearchCandidates(list.Head());
    EXPECT_EQ(InterfaceLines(found), "enp3s0  192.168.8.20/24\n"
                                     "wlp2s0  10.0.0.5/16\n"
                                     "wlp2s0  172.16.4.1/30\n"
                                     "tun0    10.8.0.2/32\n");
    EXPECT_TRUE(IsCandidate(found, "wlp2s0"));
    EXPECT_FALSE(IsCandidate(found, "lo"));
    EXPECT_FALSE(IsCandidate(found, "eth9"));
    EXPECT_FALSE(IsCandidate(found, "wlp2"));
}

TEST(NetInterfaces, NoCandidatesReadsNone)
{
    IfList list;
    list.Add("lo", IFF_UP | IFF_LOOPBACK, "127.0.0.1", "255.0.0.0");
    EXPECT_TRUE(SearchCandidates(list.Head()).empty());
    EXPECT_EQ(InterfaceLines({}, "  "), "  (none)\n");
}

}  // namespace
}  // namespace quor
