// When quorctl may talk on the network it runs in, and what it says when not.

#include <gtest/gtest.h>

#include "tools/quorctl/NetworkChoice.h"

namespace quor::tools {
namespace {

const std::vector<NetInterface> Laptop = {{"enp3s0", "192.168.8.20", 24}, {"wlp2s0", "10.0.0.5", 16}};

TEST(NetworkChoice, GoesOnInItsOwnNamespaceOrWithAnInterfaceItHas)
{
    EXPECT_EQ(NetworkRefusal("", true, Laptop), std::nullopt);
    EXPECT_EQ(NetworkRefusal("wlp2s0", false, Laptop), std::nullopt);
    EXPECT_EQ(NetworkRefusal("enp3s0", true, Laptop), std::nullopt);
}

TEST(NetworkChoice, OnTheMachinesNetworkWithoutInterfaceListsThemAndTellsHowToChoose)
{
    EXPECT_EQ(NetworkRefusal("", false, Laptop),
              "quorctl: a search broadcasts to the whole network, so on the machine's own network quorctl\n"
              "needs the interface the controllers are on. The interfaces:\n"
              "  enp3s0  192.168.8.20/24\n"
              "  wlp2s0  10.0.0.5/16\n"
              "Choose one with --interface NAME, e.g. quorctl --interface enp3s0 search\n");
    EXPECT_EQ(NetworkRefusal("", false, {}),
              "quorctl: a search broadcasts to the whole network, so on the machine's own network quorctl\n"
              "needs the interface the controllers are on. The interfaces:\n"
              "  (none)\n"
              "Choose one with --interface NAME, e.g. quorctl --interface NAME search\n");
}

TEST(NetworkChoice, RefusesAnInterfaceThatIsNoCandidateEvenInItsOwnNamespace)
{
    const char* const expected = "quorctl: lo is not an interface a search can use (up, with an IPv4 "
                                 "address, not loopback); these are:\n"
                                 "  enp3s0  192.168.8.20/24\n"
                                 "  wlp2s0  10.0.0.5/16\n";
    EXPECT_EQ(NetworkRefusal("lo", false, Laptop), expected);
    EXPECT_EQ(NetworkRefusal("lo", true, Laptop), expected);
    // A prefix of a name is not the name.
    EXPECT_NE(NetworkRefusal("wlp2", true, Laptop), std::nullopt);
}

}  // namespace
}  // namespace quor::tools
